#include "main/ProgramDatabase_win.h"

#include <ctime>
#include <string>

#include "foundation/Language.h"
#include "foundation/MessageBoxSeam.h"
#include "foundation/ProgramPaths_win.h"
#include "main/CommandIds.h"
#include "main/MainWindows_win.h"
#include "main/ProgramModel.h"
#include "main/database/RatingCacheFile.h"
#include "main/database/RatingProgress_win.h"
#include "resources/PngBitmap_win.h"
#include "resources/ResourceIds.h"

namespace {

RatingProgressSetup g_progress;  // the window shown while lookups wait for the server

std::string RatingCachePath() {
    return ProgramFolder() + "\\" + kRatingCacheFileName;
}

// The cache's own fixed texts, shown as they are: no title, error icon.
void ShowDatabaseMessage(const char* text) {
    if (text != nullptr && *text != '\0') {
        ShowMessageBox("", text, kMessageBoxError);
    }
}

}  // namespace

void ConnectRatingDatabase() {
    RatingProgressSetup& setup = g_progress;
    setup.instance = g_windows.instance;
    setup.owner = g_windows.window;
    setup.font = g_windows.uiFont;
    if (setup.image == nullptr) {
        // The window's panel is white, and a static control draws its bitmap without blending.
        setup.image = LoadPngBitmapOn(g_windows.instance, IDR_PNG_DATABASE, RGB(255, 255, 255));
    }
    setup.title = kMainWindowTitle;
    setup.searchingText = LanguageText(LanguageKey::SearchingDatabase);
    setup.cancelText = LanguageText(LanguageKey::Cancel);

    RatingDatabase& database = g_program.database;
    database.texts = {LanguageText(LanguageKey::LookupUpdates), LanguageText(LanguageKey::RatingSystemInternal),
                      LanguageText(LanguageKey::RatingTrustworthyProgram)};
    database.now = [] { return LocalEpochSeconds(std::time(nullptr)); };
    database.progress = [](const std::string& caption, bool openWindow) {
        // The preferences window is made when first opened, so it is looked up when needed.
        g_progress.disabledWindows = {g_windows.window, g_windows.secondary[WindowPreferences]};
        return RatingProgressStep(g_progress, caption, openWindow);
    };
}

void CloseDatabaseWaitWindow() {
    if (RatingProgressWindow() != nullptr) {
        CloseRatingProgress(g_program.database);
    }
}

void LoadRatingDatabase() {
    ShowDatabaseMessage(RatingLoadMessage(
        LoadRatingCache(g_program.database.cache, RatingCachePath(), LocalEpochSeconds(std::time(nullptr)))));
}

void SaveRatingDatabase() {
    ShowDatabaseMessage(RatingSaveMessage(SaveRatingCache(g_program.database.cache, RatingCachePath())));
}

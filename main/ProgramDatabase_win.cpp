#include "main/ProgramDatabase_win.h"

#include <ctime>
#include <string>

#include "foundation/Language.h"
#include "foundation/MessageBoxSeam.h"
#include "foundation/PreferencesDefaults.h"
#include "foundation/ProgramPaths_win.h"
#include "main/CommandIds.h"
#include "main/MainWindows_win.h"
#include "main/ProgramModel.h"
#include "main/autoruns/AutorunLocations.h"
#include "main/autoruns/AutorunsView_win.h"
#include "main/database/DatabaseCommands_win.h"
#include "main/database/RatingCacheFile.h"
#include "main/database/RatingDialog_win.h"
#include "main/database/RatingProgress_win.h"
#include "main/processes/InformationWindow_win.h"
#include "main/processes/ProcessListColumns.h"
#include "main/processes/ProcessList_win.h"
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

// The account at once, apart from the other settings, so that a later reading of the file (the
// preferences window reads it when it opens) does not bring the old one back.
void SaveDatabaseAccount() {
    SettingsFile file;
    if (OpenOrCreateSettingsFile(file, SettingsFilePath())) {
        WriteDatabaseSettings(file, g_program.preferences);
        CloseSettingsFile(file);
    }
}

DatabaseContext CurrentDatabaseContext() {
    DatabaseContext context;
    context.database = &g_program.database;
    context.preferences = &g_program.preferences;
    context.saveAccount = SaveDatabaseAccount;
    context.progress = g_progress;
    context.instance = g_windows.instance;
    context.owner = g_windows.window;
    context.disabledWindows.push_back(g_windows.window);
    for (HWND window : g_windows.secondary) {
        if (window != nullptr)
            context.disabledWindows.push_back(window);
    }
    context.font = g_windows.uiFont;
    context.title = kMainWindowTitle;
    return context;
}

// The list of the current view, when it is one that rates its files.
bool CurrentRatedList(RatedList& list) {
    if (g_program.currentView == ViewProcesses) {
        list.view = &ProcessListView();
        list.fileColumn = kProcessColumnFilePath;
        list.updateDetails = [] { RefreshInformationWindow(0); };
        return true;
    }
    if (g_program.currentView == ViewAutoruns) {
        list.view = &AutorunsList();
        list.fileColumn = AutorunColumnTarget;
        list.updateDetails = [] { UpdateAutorunDetails(true); };
        return true;
    }
    return false;
}

}  // namespace

bool RunDatabaseCommand(int id) {
    if (id < CommandDatabaseQuery || id > CommandDatabaseChangeProfile)
        return false;
    const DatabaseContext context = CurrentDatabaseContext();
    if (id == CommandDatabaseChangeProfile) {
        AccountDialog(context);
        return true;
    }
    RatedList list;
    if (!CurrentRatedList(list) || list.view->table == nullptr)
        return true;
    if (id == CommandDatabaseQuery)
        QuerySelectedRows(context, list);
    else if (id == CommandDatabaseUpdate)
        RateSelectedRows(context, list);
    else
        DeleteSelectedRows(context, list);
    return true;
}

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

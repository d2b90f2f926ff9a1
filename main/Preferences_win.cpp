#include "main/Preferences_win.h"

#include <windows.h>

#include "foundation/ListViews_win.h"
#include "foundation/ProgramPaths_win.h"
#include "foundation/SettingsFile.h"
#include "foundation/ValueFormatting.h"
#include "main/CommandIds.h"
#include "main/ProgramModel.h"
#include "main/processes/ProcessList_win.h"

namespace {

bool IsXpOrLater() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&version);
#pragma GCC diagnostic pop
    return version.dwMajorVersion > 5 || (version.dwMajorVersion == 5 && version.dwMinorVersion >= 1);
}

}  // namespace

void LoadPreferences(bool withColumnWidths) {
    MainPreferences& preferences = g_program.preferences;
    SettingsFile file;
    if (OpenSettingsFile(file, SettingsFilePath())) {
        // The language file name was settled when the language was loaded, fallback included.
        std::string language = preferences.PreferencesLanguageFile;
        ReadMainPreferences(file, preferences, withColumnWidths);
        preferences.PreferencesLanguageFile = language;
        // The placement has fixed defaults rather than the values the window has by now.
        preferences.Window = MainWindowPlacement{};
        ReadMainWindowPlacement(file, preferences.Window);
        CloseSettingsFile(file);
    } else {
        preferences.Window = MainWindowPlacement{};
    }
    if (IsXpOrLater()) {
        preferences.PreferencesReactivateExplorer = 0;
    }
    SetDecimalComma(preferences.PreferencesUseComma != 0);
    ApplyProcessListColumns();
}

void TakeProcessColumnWidths(MainPreferences& preferences) {
    const TableListView& view = ProcessListView();
    if (view.list == nullptr) {
        return;
    }
    // Hidden columns are not in the list; their width 0 is saved as the width they come back with.
    preferences.PreferencesColumnWidth.fill(0);
    for (size_t i = 0; i < view.columns.size(); ++i) {
        const size_t column = view.columns[i].tableColumn;
        if (column < preferences.PreferencesColumnWidth.size()) {
            preferences.PreferencesColumnWidth[column] = ListViewColumnWidth(view.list, static_cast<int>(i));
        }
    }
}

void SavePreferences(bool exiting) {
    (void)exiting;
    TakeProcessColumnWidths(g_program.preferences);
    SettingsFile file;
    if (!OpenOrCreateSettingsFile(file, SettingsFilePath())) {
        return;
    }
    WriteMainPreferences(file, g_program.preferences);
    CloseSettingsFile(file);
    if (HWND tray = FindWindowA(kWindowClassName, kTrayWindowTitle)) {
        PostMessageA(tray, kMessageReloadSettings, 0, 0);
    }
}

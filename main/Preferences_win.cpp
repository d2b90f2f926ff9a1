#include "main/Preferences_win.h"

#include <string>
#include <vector>

#include "foundation/Controls_win.h"
#include "foundation/Language.h"
#include "foundation/LanguageChooser_win.h"
#include "foundation/ListViews_win.h"
#include "foundation/MessageBoxSeam.h"
#include "foundation/ProgramPaths_win.h"
#include "foundation/SettingsFile.h"
#include "foundation/ValueFormatting.h"
#include "main/CommandIds.h"
#include "main/MainWindows_win.h"
#include "main/PreferencesWindow.h"
#include "main/ProgramDatabase_win.h"
#include "main/ProgramModel.h"
#include "main/RefreshTimers.h"
#include "main/Views_win.h"
#include "main/autoruns/Link_win.h"
#include "main/processes/ProcessList_win.h"

bool IsWindowsXpOrLater() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&version);
#pragma GCC diagnostic pop
    return version.dwMajorVersion > 5 || (version.dwMajorVersion == 5 && version.dwMinorVersion >= 1);
}

namespace {

bool IsChecked(int id) {
    return SendMessageA(PreferencesWindowControl(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(int id, bool checked) {
    SendMessageA(PreferencesWindowControl(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string FieldText(int id) {
    HWND field = PreferencesWindowControl(id);
    int length = GetWindowTextLengthA(field);
    if (field == nullptr || length <= 0)
        return {};
    std::vector<char> text(static_cast<size_t>(length) + 1);
    int copied = GetWindowTextA(field, text.data(), length + 1);
    return std::string(text.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

void SetFieldText(int id, const std::string& text) {
    SetWindowTextA(PreferencesWindowControl(id), text.c_str());
}

void MakeMainWindowSticky(bool sticky) {
    if (g_windows.window != nullptr)
        SetWindowPos(g_windows.window, sticky ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The window's values into the preferences: flags, language, exit code, search address, intervals
// (kept within what the timers allow) and the column flags.
void TakePreferencesValues(MainPreferences& preferences) {
    for (int id : kPreferencesFlagIds)
        *PreferencesFlag(preferences, id) = IsChecked(id) ? 1 : 0;
    std::string language = SelectedLanguageFile(PreferencesWindowControl(ControlPreferencesLanguage));
    if (!language.empty())
        preferences.PreferencesLanguageFile = language;
    preferences.PreferencesExitCodeSpin = ExitCodeFromField(FieldText(ControlPreferencesExitCode));
    preferences.PreferencesSearchString = FieldText(ControlPreferencesSearchString);
    preferences.PreferencesRefresh1Spin = IntervalFromField(FieldText(ControlPreferencesListsInterval));
    preferences.PreferencesRefresh2Spin = IntervalFromField(FieldText(ControlPreferencesMonitorInterval));
    for (int n = 0; n < kColumnFlagCount; ++n)
        preferences.PreferencesShow[n] = IsChecked(ControlPreferencesColumnFirst + n) ? 1 : 0;
}

// The list after the database or tree switches of an apply: refilled when the ratings were just
// switched on, rearranged as a tree, or flattened and sorted again.
void ApplyListSwitches(bool databaseSwitchedOn) {
    const MainPreferences& preferences = g_program.preferences;
    if (databaseSwitchedOn) {
        LoadRatingDatabase();
        ClearProcessList();
        RefreshProcessList(-1, 0);
    }
    if (preferences.PreferencesPPIDView) {
        if (!databaseSwitchedOn)
            RefreshProcessList(-1, 0);
        // A refresh that found nothing new leaves the rows in place: the tree is arranged anyway.
        SetProcessTreeView(true);
    } else {
        SetProcessTreeView(false);
    }
}

void WriteSettings() {
    SettingsFile file;
    if (!OpenOrCreateSettingsFile(file, SettingsFilePath()))
        return;
    // The file knows a hidden column by its width 0 (written as the width it comes back with at the
    // next start); this session keeps the width it had for when it is shown again.
    MainPreferences written = g_program.preferences;
    for (int n = 0; n < kColumnFlagCount; ++n) {
        if (written.PreferencesShow[n] == 0)
            written.PreferencesColumnWidth[n + 1] = 0;
    }
    WriteMainPreferences(file, written);
    CloseSettingsFile(file);
    if (HWND tray = FindWindowA(kWindowClassName, kTrayWindowTitle))
        PostMessageA(tray, kMessageReloadSettings, 0, 0);
}

}  // namespace

HWND PreferencesWindowControl(int id) {
    HWND window = g_windows.secondary[WindowPreferences];
    if (window == nullptr)
        return nullptr;
    if (HWND control = GetDlgItem(window, id))
        return control;
    for (int page : {ControlPreferencesPage1, ControlPreferencesPage2}) {
        if (HWND control = GetDlgItem(GetDlgItem(window, page), id))
            return control;
    }
    return nullptr;
}

void ShowPreferencesValues(const MainPreferences& preferences) {
    if (g_windows.secondary[WindowPreferences] == nullptr)
        return;
    for (int id : kPreferencesFlagIds)
        SetChecked(id, PreferencesFlagValue(preferences, id) != 0);
    SelectLanguageEntry(PreferencesWindowControl(ControlPreferencesLanguage), preferences.PreferencesLanguageFile);
    SetFieldText(ControlPreferencesExitCode, std::to_string(preferences.PreferencesExitCodeSpin));
    SetFieldText(ControlPreferencesSearchString, preferences.PreferencesSearchString);
    SetFieldText(ControlPreferencesListsInterval, std::to_string(preferences.PreferencesRefresh1Spin));
    SetFieldText(ControlPreferencesMonitorInterval, std::to_string(preferences.PreferencesRefresh2Spin));
    for (int n = 0; n < kColumnFlagCount; ++n)
        SetChecked(ControlPreferencesColumnFirst + n, preferences.PreferencesShow[n] != 0);
}

void LoadPreferences(bool withColumnWidths) {
    MainPreferences& preferences = g_program.preferences;
    // Reopening the window must not move the running window back to where the file last had it,
    // nor undo the tree switch of the main window that the exit saves.
    const MainWindowPlacement running = preferences.Window;
    const int runningTree = preferences.PreferencesPPIDView;
    SettingsFile file;
    if (OpenSettingsFile(file, SettingsFilePath())) {
        // The language file name was settled when the language was loaded (fallback included) or
        // last chosen here.
        std::string language = preferences.PreferencesLanguageFile;
        ReadMainPreferences(file, preferences, withColumnWidths);
        preferences.PreferencesLanguageFile = language;
        if (withColumnWidths) {
            // The placement has fixed defaults rather than the values the window has by now.
            preferences.Window = MainWindowPlacement{};
            ReadMainWindowPlacement(file, preferences.Window);
        }
        CloseSettingsFile(file);
    } else if (withColumnWidths) {
        preferences.Window = MainWindowPlacement{};
    }
    if (!withColumnWidths) {
        preferences.Window = running;
        preferences.PreferencesPPIDView = runningTree;
    }
    // Intervals edited by hand show as the timers use them.
    preferences.PreferencesRefresh1Spin = static_cast<int>(TimerInterval(preferences.PreferencesRefresh1Spin));
    preferences.PreferencesRefresh2Spin = static_cast<int>(TimerInterval(preferences.PreferencesRefresh2Spin));
    if (IsWindowsXpOrLater())
        preferences.PreferencesReactivateExplorer = 0;
    SetDecimalComma(preferences.PreferencesUseComma != 0);
    MakeMainWindowSticky(preferences.PreferencesSticky != 0);
    if (g_windows.views[ViewProcesses] != nullptr)
        ShowPreferencesInViews();
    ShowPreferencesValues(preferences);
    if (withColumnWidths)
        ApplyProcessListColumns();
}

void TakeProcessColumnWidths(MainPreferences& preferences) {
    const TableListView& view = ProcessListView();
    if (view.list == nullptr)
        return;
    // Hidden columns are not in the list: they keep their width for when they come back.
    for (size_t i = 0; i < view.columns.size(); ++i) {
        const size_t column = view.columns[i].tableColumn;
        if (column < preferences.PreferencesColumnWidth.size())
            preferences.PreferencesColumnWidth[column] = ListViewColumnWidth(view.list, static_cast<int>(i));
    }
}

void SaveSmartSelection() {
    TakeProcessColumnWidths(g_program.preferences);
    WriteSettings();
}

void SavePreferences(bool exiting) {
    MainPreferences& preferences = g_program.preferences;
    TakeProcessColumnWidths(preferences);
    const bool windowExists = g_windows.secondary[WindowPreferences] != nullptr;
    // What the user cancelled or left open at exit is not kept: the window goes back to the values
    // in use, and the save below writes those.
    if (exiting && windowExists)
        ShowPreferencesValues(preferences);

    const int historyBefore = preferences.PreferencesCPUPerProcess;
    const int databaseBefore = preferences.PreferencesUseDatabase;
    const std::string languageBefore = preferences.PreferencesLanguageFile;
    if (windowExists)
        TakePreferencesValues(preferences);
    if (historyBefore != preferences.PreferencesCPUPerProcess)
        SetCpuHistoryImages(preferences.PreferencesCPUPerProcess != 0);
    if (g_windows.views[ViewProcesses] != nullptr)
        ShowPreferencesInViews();
    SetDecimalComma(preferences.PreferencesUseComma != 0);

    UpdateAutostartShortcut(preferences.PreferencesAutorun != 0, ProgramFolder());
    MakeMainWindowSticky(preferences.PreferencesSticky != 0);
    if (!exiting)
        ApplyListSwitches(!databaseBefore && preferences.PreferencesUseDatabase);
    WriteSettings();

    if (exiting || preferences.PreferencesLanguageFile == languageBefore)
        return;
    const int answer = ShowMessageBox(LanguageText(LanguageKey::Information),
                                      ExpandLineBreaks(LanguageText(LanguageKey::RestartForLanguage)),
                                      kMessageBoxYesNo | kMessageBoxInformation);
    if (answer == kAnswerYes) {
        // The loop ends and the exit saves everything and lets go of the instance before the new
        // instance starts.
        g_program.restartAfterExit = 1;
        PostQuitMessage(0);
    }
}

#include "main/Dispatch_win.h"

#include <shellapi.h>

#include <string>

#include "foundation/Help_win.h"
#include "foundation/Language.h"
#include "foundation/MessageBoxSeam.h"
#include "hardware/NetworksView_win.h"
#include "hardware/SmartView_win.h"
#include "main/CommandIds.h"
#include "main/MainWindows_win.h"
#include "main/Menus_win.h"
#include "main/PreferencesWindow_win.h"
#include "main/Preferences_win.h"
#include "main/ProgramDatabase_win.h"
#include "main/ProgramModel.h"
#include "main/SecondaryWindows_win.h"
#include "main/SystemPower_win.h"
#include "main/UnbuiltCommands.h"
#include "main/View.h"
#include "main/Views_win.h"
#include "main/autoruns/AutorunsView_win.h"
#include "main/autoruns/NewAutorunWindow_win.h"
#include "main/export/ExportLists_win.h"
#include "main/export/SearchWindow_win.h"
#include "main/processes/DiagramWindow_win.h"
#include "main/processes/InformationWindow_win.h"
#include "main/processes/ProcessActions_win.h"
#include "main/processes/ProcessListColumns.h"
#include "main/processes/ProcessList_win.h"
#include "main/processes/RunWindow_win.h"
#include "main/processes/WindowsView_win.h"
#include "main/services/ServicesView_win.h"

namespace {

// The process list with the row of the selected window's process chosen, as the process view.
void JumpToWindowProcess() {
    DWORD pid = SelectedWindowProcessId();
    if (pid == 0) {
        return;
    }
    SwitchView(ViewProcesses, true);
    TableListView& processes = ProcessListView();
    size_t row = FindRow(*processes.table, kProcessColumnProcessId, std::to_string(pid));
    if (row != kNoRow) {
        SelectOnlyRow(processes, row);
        SetFocus(processes.list);
    }
}

// The autostart field compares against an up-to-date autorun list.
void ShowProcessInformation() {
    SecondaryWindowHandle(WindowProcessInformation);
    MakeViewControls(ViewAutoruns);
    RefreshAutoruns();
    SetInformationAutoruns(AutorunsList().table);
    ShowInformationWindow();
}

// The help of the current language, at the page of the view the user is looking at.
void OpenHelp() {
    if (!OpenHelpFile(g_windows.window, ViewHelpPage(g_program.currentView))) {
        ShowMessageBox(LanguageText(LanguageKey::Information), LanguageText(LanguageKey::CanNotOpenHelp),
                       kMessageBoxWarning);
    }
}

}  // namespace

void DispatchCommand(int id, int code, HWND control) {
    (void)control;
    if (!IsCommandBuilt(id)) {
        return;  // its entries and button are grey; a shortcut must not reach it either
    }
    if (id >= CommandViewFirst && id <= CommandViewLast) {
        SwitchView(id - CommandViewFirst, true);
        return;
    }
    if (id >= CommandExportAll && id <= CommandExportAutoruns) {
        ExportLists(id);
        return;
    }
    if (id == CommandSearch) {
        SecondaryWindowHandle(WindowSearch);
        ShowSearchWindow();
        return;
    }
    if (id == ControlProcessTree) {
        bool tree = IsDlgButtonChecked(g_windows.views[ViewProcesses], id) == BST_CHECKED;
        g_program.preferences.PreferencesPPIDView = tree ? 1 : 0;
        SetProcessTreeView(tree);
        return;
    }
    if (RunDatabaseCommand(id)) {
        return;
    }
    if (g_program.currentView == ViewProcesses && RunProcessCommand(id, g_program.preferences)) {
        g_program.timers.listMark = GetTickCount();
        return;
    }
    if (g_program.currentView == ViewWindows && RunWindowsCommand(id)) {
        return;
    }
    if (id == CommandProcessInformation) {
        ShowProcessInformation();
        return;
    }
    if (id == CommandWindowProcessInformation) {
        JumpToWindowProcess();
        ShowProcessInformation();
        return;
    }
    if (id == CommandWindowJumpProcess) {
        JumpToWindowProcess();
        return;
    }
    if (id == ControlHiddenWindows || id == ControlNoSizeWindows || id == ControlOutsideWindows) {
        RebuildWindowsList();
        return;
    }
    if (IsServicesCommand(id)) {
        if (RunServicesCommand(id)) {
            g_program.timers.listMark = GetTickCount();
        }
        return;
    }
    int view = g_program.currentView;
    if (view == ViewAutoruns && RunAutorunsCommand(id)) {
        UpdateButtons();
        return;
    }
    // From the menu or the button (code 0) or from Ctrl+S (code 1).
    if (id == CommandWebSearch && (code == 0 || code == 1) && (view == ViewServices || view == ViewDrivers)) {
        SearchSelectedServiceOnWeb(view, g_program.preferences.PreferencesSearchString);
        return;
    }
    switch (id) {
        case CommandClose:
            // The event loop ends on the quit message, and the exit procedure runs after it.
            PostQuitMessage(0);
            return;
        case CommandTaskManager:
            ShellExecuteA(g_windows.window, "open", "taskmgr", nullptr, nullptr, SW_SHOWNORMAL);
            return;
        case CommandShutdown:
        case CommandReboot:
        case CommandStandby:
        case CommandHibernate:
        case CommandLogoff:
        case CommandLock:
            RunPowerCommand(id);
            return;
        case CommandRefresh:
            RefreshView(g_program.currentView);
            return;
        case CommandOpenHelp:
            OpenHelp();
            return;
        case CommandPreferences:
            SecondaryWindowHandle(WindowPreferences);  // before the values are shown in it
            LoadPreferences(false);
            ShowPreferencesPage(1);
            ShowModalWindow(WindowPreferences);
            return;
        case CommandDiagram:
            ToggleDiagramWindow(SecondaryWindowHandle(WindowDiagram));
            return;
        case CommandAbout:
            ShowAboutWindow();
            return;
        case CommandRun:
            // The autoruns view has its own window for this command.
            if (view == ViewAutoruns) {
                PrepareNewAutorunWindow(SecondaryWindowHandle(WindowNewAutorun));
                ShowModalWindow(WindowNewAutorun);
                SetFocus(GetDlgItem(SecondaryWindowHandle(WindowNewAutorun), ControlNewAutorunProgram));
            } else {
                PrepareRunWindow(SecondaryWindowHandle(WindowExecute));
                ShowModalWindow(WindowExecute);
                SetFocus(GetDlgItem(SecondaryWindowHandle(WindowExecute), ControlRunCommand));
            }
            return;
        case CommandExploreDriverFolder:
            ExploreDriverFolder();
            return;
    }
    (void)code;
}

LRESULT DispatchNotification(const NMHDR& header) {
    if (header.idFrom == ControlProcessList && header.code == NM_RCLICK) {
        HMENU menu = CreateContextMenu(ContextMenuProcesses);
        PrepareProcessMenu(menu);
        ShowContextMenu(menu);
        return 0;
    }
    // The buttons that need a selected row follow the selection of every list.
    const bool selectionChange = header.code == LVN_ITEMCHANGED || header.code == LVN_ODSTATECHANGED;
    LRESULT listResult = 0;
    if (HandleProcessListNotification(header, listResult)) {
        return listResult;
    }
    if (header.idFrom == ControlProcessList && selectionChange) {
        UpdateButtons();
        return 0;
    }
    if (header.idFrom == ControlWindowList && header.code == NM_RCLICK) {
        HMENU menu = CreateContextMenu(ContextMenuWindows);
        PrepareWindowsMenu(menu);
        ShowContextMenu(menu);
        return 0;
    }
    if (HandleNetworksListNotification(header, listResult)) {
        return listResult;
    }
    if (HandleWindowsListNotification(header, listResult)) {
        if (selectionChange) {
            UpdateButtons();
        }
        return listResult;
    }
    if (int menuNumber = ServiceListsContextMenu(header)) {
        HMENU menu = CreateContextMenu(menuNumber);
        if (menuNumber == ContextMenuServices) {
            PrepareServicesMenu(menu);
        }
        ShowContextMenu(menu);
        return 0;
    }
    if (SmartListsContextMenu(header) != 0) {
        ShowContextMenu(CreateContextMenu(ContextMenuSmart));
        return 0;
    }
    if (header.idFrom == ControlAutorunList && header.code == NM_RCLICK) {
        ShowContextMenu(CreateContextMenu(ContextMenuAutoruns));
        return 0;
    }
    LRESULT result = 0;
    if (HandleSmartListsNotification(header, result)) {
        if (TakeSmartSelectionChange()) {
            SaveSmartSelection();
        }
        return result;
    }
    if (HandleAutorunsNotification(header, result)) {
        if (selectionChange) {
            UpdateButtons();
        }
        return result;
    }
    if (HandleServiceListsNotification(header, result)) {
        if (selectionChange) {
            UpdateButtons();
        }
        return result;
    }
    return 0;
}

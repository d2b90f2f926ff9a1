#include "main/Menus_win.h"

#include <string>

#include "foundation/Controls_win.h"
#include "foundation/Language.h"
#include "main/CommandIds.h"
#include "main/LibraryTable_win.h"
#include "main/MainWindows_win.h"
#include "main/MenuIcons_win.h"
#include "main/ProgramModel.h"

namespace {

// An entry that opens a window of its own ends in "...".
void Append(HMENU menu, int command, LanguageKey key, bool dialog = false) {
    AppendMenuCommand(menu, command, LanguageText(key) + (dialog ? "..." : ""));
}

void AppendPopup(HMENU parent, HMENU popup, LanguageKey key) {
    AppendSubmenu(parent, popup, LanguageText(key));
}

std::string LoggedOnUser() {
    char name[257] = {};
    DWORD size = sizeof(name);
    return GetUserNameA(name, &size) ? std::string(name) : std::string();
}

void AppendDatabaseItems(HMENU menu) {
    Append(menu, CommandDatabaseQuery, LanguageKey::DatabaseQuery);
    Append(menu, CommandDatabaseUpdate, LanguageKey::DatabaseUpdate, true);
    Append(menu, CommandDatabaseDelete, LanguageKey::DatabaseDelete, true);
    Append(menu, CommandDatabaseChangeProfile, LanguageKey::DatabaseChangeProfile, true);
}

void AppendRefreshAndSearch(HMENU menu) {
    Append(menu, CommandRefresh, LanguageKey::Refresh);
    Append(menu, CommandSearch, LanguageKey::Search);
}

HMENU ProcessMenu() {
    HMENU menu = CreatePopupMenu();
    AppendRefreshAndSearch(menu);
    Append(menu, CommandRun, LanguageKey::RunProcess, true);
    AppendMenuSeparator(menu);
    AppendDatabaseItems(menu);
    AppendMenuSeparator(menu);
    HMENU priority = CreatePopupMenu();
    Append(priority, CommandPriorityRealtime, LanguageKey::PriorityShortRealtime);
    Append(priority, CommandPriorityHigh, LanguageKey::PriorityShortHigh);
    Append(priority, CommandPriorityAboveNormal, LanguageKey::PriorityShortIncreased);
    Append(priority, CommandPriorityNormal, LanguageKey::PriorityShortDefault);
    Append(priority, CommandPriorityBelowNormal, LanguageKey::PriorityShortDecreased);
    Append(priority, CommandPriorityIdle, LanguageKey::PriorityShortLow);
    AppendPopup(menu, priority, LanguageKey::Priority);
    HMENU processors = CreatePopupMenu();
    int count = g_program.processorCount;
    for (int p = 1; p <= count && CommandProcessorFirst + p - 1 <= CommandProcessorLast; ++p) {
        AppendMenuCommand(processors, CommandProcessorFirst + p - 1, "#" + std::to_string(p) + " ");
    }
    AppendPopup(menu, processors, LanguageKey::Processor);
    Append(menu, CommandPauseProcess, LanguageKey::PauseProcess);
    Append(menu, CommandResumeProcess, LanguageKey::ResumeProcess);
    AppendMenuSeparator(menu);
    Append(menu, CommandDiagram, LanguageKey::ShowDiagram);
    Append(menu, CommandEnd, LanguageKey::EndProcess);
    Append(menu, CommandWebSearch, LanguageKey::SearchProcess);
    Append(menu, CommandProcessInformation, LanguageKey::ShowProcessInformation);
    AppendMenuSeparator(menu);
    Append(menu, CommandOptimizeProcess, LanguageKey::OptimizeProcess);
    Append(menu, CommandDeleteProcess, LanguageKey::DeleteProcess);
    AppendMenuSeparator(menu);
    Append(menu, CommandExploreProcessFolder, LanguageKey::ExploreFolder);
    Append(menu, CommandJumpToParent, LanguageKey::JumpToPPID);
    return menu;
}

HMENU WindowMenu() {
    HMENU menu = CreatePopupMenu();
    AppendRefreshAndSearch(menu);
    AppendMenuSeparator(menu);
    HMENU transparency = CreatePopupMenu();
    Append(transparency, CommandTransparencyNone, LanguageKey::NoTransparency);
    for (int step = 1; step <= 9; ++step) {
        AppendMenuCommand(transparency, CommandTransparencyNone + step, std::to_string(step * 10) + "%");
    }
    AppendSubmenu(menu, transparency, "Transparenz");
    Append(menu, CommandWindowForeground, LanguageKey::Foreground);
    Append(menu, CommandWindowHidden, LanguageKey::Hidden);
    Append(menu, CommandWindowDeactivated, LanguageKey::Deactivated);
    AppendMenuSeparator(menu);
    Append(menu, CommandWindowMinimize, LanguageKey::Minimize);
    Append(menu, CommandWindowMaximize, LanguageKey::Maximize);
    Append(menu, CommandWindowRestore, LanguageKey::Restore);
    Append(menu, CommandWindowRepairPosition, LanguageKey::RepairPosition);
    AppendMenuSeparator(menu);
    Append(menu, CommandEnd, LanguageKey::Close);
    AppendMenuSeparator(menu);
    Append(menu, CommandWindowProcessInformation, LanguageKey::ShowProcessInformation);
    Append(menu, CommandWindowJumpProcess, LanguageKey::JumpProcess);
    Append(menu, CommandWindowJumpWindow, LanguageKey::JumpWindow);
    return menu;
}

HMENU ServiceMenu() {
    HMENU menu = CreatePopupMenu();
    AppendRefreshAndSearch(menu);
    Append(menu, CommandWebSearch, LanguageKey::SearchService);
    AppendMenuSeparator(menu);
    Append(menu, CommandServiceStart, LanguageKey::ServiceStarting);
    Append(menu, CommandServiceStop, LanguageKey::ServiceStopping);
    AppendMenuSeparator(menu);
    Append(menu, CommandServicePause, LanguageKey::ServicePausing);
    Append(menu, CommandServiceContinue, LanguageKey::ServiceContinuing);
    AppendMenuSeparator(menu);
    Append(menu, CommandServiceDisabled, LanguageKey::ServiceRunDeactivated);
    Append(menu, CommandServiceAutomatic, LanguageKey::ServiceRunAutomatic);
    Append(menu, CommandServiceManual, LanguageKey::ServiceRunManual);
    return menu;
}

HMENU DriverMenu() {
    HMENU menu = CreatePopupMenu();
    AppendRefreshAndSearch(menu);
    Append(menu, CommandWebSearch, LanguageKey::SearchDriver);
    Append(menu, CommandExploreDriverFolder, LanguageKey::ExploreFolder);
    return menu;
}

HMENU AutorunMenu() {
    HMENU menu = CreatePopupMenu();
    AppendRefreshAndSearch(menu);
    Append(menu, CommandRun, LanguageKey::AddAutorun, true);
    AppendMenuSeparator(menu);
    AppendDatabaseItems(menu);
    AppendMenuSeparator(menu);
    Append(menu, CommandEnd, LanguageKey::RemoveAutorun);
    Append(menu, CommandWebSearch, LanguageKey::SearchAutorun);
    Append(menu, CommandExploreAutorunSource, LanguageKey::ExploreSource);
    Append(menu, CommandExploreAutorunTarget, LanguageKey::ExploreDestination);
    return menu;
}

}  // namespace

void CreateMenus() {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    Append(file, CommandExportAll, LanguageKey::ExportAll, true);
    AppendMenuSeparator(file);
    Append(file, CommandExportProcesses, LanguageKey::ExportProcesslist, true);
    Append(file, CommandExportWindows, LanguageKey::ExportWindowlist, true);
    Append(file, CommandExportServices, LanguageKey::ExportServicelist, true);
    Append(file, CommandExportDrivers, LanguageKey::ExportDriverlist, true);
    Append(file, CommandExportNetworks, LanguageKey::ExportNetworklist, true);
    Append(file, CommandExportSmart, LanguageKey::ExportSMARTlist, true);
    Append(file, CommandExportAutoruns, LanguageKey::ExportAutorunlist, true);
    AppendMenuSeparator(file);
    Append(file, CommandPreferences, LanguageKey::Preferences);
    AppendMenuSeparator(file);
    Append(file, CommandClose, LanguageKey::Close);
    AppendPopup(bar, file, LanguageKey::File);

    HMENU view = CreatePopupMenu();
    for (int v = 0; v < ViewCount; ++v) {
        Append(view, CommandViewFirst + v, ViewName(v));
    }
    AppendPopup(bar, view, LanguageKey::View);
    g_windows.viewMenu = view;

    HMENU system = CreatePopupMenu();
    Append(system, CommandShutdown, LanguageKey::Shutdown);
    Append(system, CommandReboot, LanguageKey::Reboot);
    Append(system, CommandStandby, LanguageKey::Standby);
    Append(system, CommandHibernate, LanguageKey::Hibernate);
    AppendMenuCommand(system, CommandLogoff, LanguageTextWith(LanguageKey::Logoff, LoggedOnUser()));
    Append(system, CommandLock, LanguageKey::Lock);
    AppendPopup(bar, system, LanguageKey::System);
    g_windows.systemMenu = system;

    HMENU help = CreatePopupMenu();
    Append(help, CommandOpenHelp, LanguageKey::OpenHelp);
    AppendMenuSeparator(help);
    Append(help, CommandAbout, LanguageKey::About);
    AppendPopup(bar, help, LanguageKey::Help);

    LoadMenuIcons(g_windows.instance);
    AttachMenuIcons(bar);
    SetMenu(g_windows.window, bar);
    g_windows.menuBar = bar;
}

void UpdatePowerMenu() {
    if (!IsSlotOpen(kPowrProfSlot)) {
        return;  // without the power library every entry stays enabled
    }
    using Query = BOOLEAN(WINAPI*)();
    struct Rule {
        const char* function;
        int commands[2];
    };
    const Rule rules[] = {{"IsPwrShutdownAllowed", {CommandShutdown, CommandReboot}},
                          {"IsPwrHibernateAllowed", {CommandHibernate, 0}},
                          {"IsPwrSuspendAllowed", {CommandStandby, 0}}};
    for (const Rule& rule : rules) {
        Query query = SlotFunctionAs<Query>(kPowrProfSlot, rule.function);
        if (query == nullptr || query()) {
            continue;
        }
        for (int command : rule.commands) {
            if (command != 0) {
                EnableMenuCommand(g_windows.systemMenu, command, false);
            }
        }
    }
}

HACCEL CreateShortcuts() {
    ACCEL keys[] = {
        {FCONTROL | FVIRTKEY, 'R', CommandRun},
        {FCONTROL | FVIRTKEY, 'P', CommandPreferences},
        {FCONTROL | FVIRTKEY, 'D', CommandDiagram},
        {FCONTROL | FVIRTKEY, 'F', CommandSearch},
        {FVIRTKEY, VK_DELETE, CommandEnd},
        {FCONTROL | FVIRTKEY, 'S', CommandWebSearch},
        {FCONTROL | FVIRTKEY, 'I', CommandProcessInformation},
        {FVIRTKEY, VK_F5, CommandRefresh},
    };
    return CreateAcceleratorTableA(keys, sizeof(keys) / sizeof(keys[0]));
}

namespace {

HMENU BuildContextMenu(int menu) {
    switch (menu) {
        case ContextMenuProcesses:
            return ProcessMenu();
        case ContextMenuWindows:
            return WindowMenu();
        case ContextMenuServices:
            return ServiceMenu();
        case ContextMenuDrivers:
            return DriverMenu();
        case ContextMenuSmart: {
            HMENU smart = CreatePopupMenu();
            Append(smart, CommandRefresh, LanguageKey::Refresh);
            return smart;
        }
        case ContextMenuAutoruns:
            return AutorunMenu();
    }
    return nullptr;
}

}  // namespace

HMENU CreateContextMenu(int menu) {
    HMENU result = BuildContextMenu(menu);
    if (result != nullptr) {
        AttachMenuIcons(result);
    }
    return result;
}

void ShowContextMenu(HMENU menu) {
    if (menu == nullptr) {
        return;
    }
    POINT cursor;
    GetCursorPos(&cursor);
    SetForegroundWindow(g_windows.window);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, g_windows.window, nullptr);
    DestroyMenu(menu);
}

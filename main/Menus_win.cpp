#include "main/Menus_win.h"

#include <string>

#include "foundation/Controls_win.h"
#include "main/CommandIds.h"
#include "main/MainWindows_win.h"
#include "main/MenuIcons_win.h"
#include "main/Menus.h"
#include "main/ProgramModel.h"
#include "main/SystemPower_win.h"

namespace {

std::string LoggedOnUser() {
    char name[257] = {};
    DWORD size = sizeof(name);
    return GetUserNameA(name, &size) ? std::string(name) : std::string();
}

void AppendEntries(HMENU menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& entry : entries) {
        switch (entry.kind) {
            case MenuEntryKind::Separator:
                AppendMenuSeparator(menu);
                break;
            case MenuEntryKind::Submenu:
                AppendSubmenu(menu, CreateMenuFromEntries(entry.entries), entry.text);
                break;
            case MenuEntryKind::Item:
                AppendMenuCommand(menu, entry.command, entry.text);
                if (!entry.enabled) {
                    EnableMenuCommand(menu, entry.command, false);
                }
                break;
        }
    }
}

}  // namespace

MenuConditions CurrentMenuConditions() {
    MenuConditions conditions;
    conditions.useDatabase = g_program.preferences.PreferencesUseDatabase == 1;
    return conditions;
}

HMENU CreateMenuFromEntries(const std::vector<MenuEntry>& entries) {
    HMENU menu = CreatePopupMenu();
    AppendEntries(menu, entries);
    return menu;
}

void CreateMenus() {
    HMENU bar = CreateMenu();
    AppendEntries(bar, MenuBarEntries(LoggedOnUser(), CurrentMenuConditions()));
    g_windows.viewMenu = GetSubMenu(bar, 1);
    g_windows.systemMenu = GetSubMenu(bar, 2);
    LoadMenuIcons(g_windows.instance);
    AttachMenuIcons(bar);
    SetMenu(g_windows.window, bar);
    g_windows.menuBar = bar;
}

void UpdatePowerMenu() {
    for (int command : {CommandShutdown, CommandReboot, CommandStandby, CommandHibernate}) {
        if (!PowerCommandAllowed(command)) {
            EnableMenuCommand(g_windows.systemMenu, command, false);
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
        {FVIRTKEY, VK_F1, CommandOpenHelp},  // what Windows users press for help on what they see
    };
    return CreateAcceleratorTableA(keys, sizeof(keys) / sizeof(keys[0]));
}

HMENU CreateContextMenu(int menu) {
    std::vector<MenuEntry> entries = ContextMenuEntries(menu, g_program.processorCount, CurrentMenuConditions());
    if (entries.empty()) {
        return nullptr;
    }
    HMENU result = CreateMenuFromEntries(entries);
    AttachMenuIcons(result);
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

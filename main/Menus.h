#pragma once
// The menu bar and the views' context menus as plain entries, with the enabled states that follow
// from the program's settings; Menus_win turns them into menus.

#include <string>
#include <vector>

#include "foundation/Language.h"

enum class MenuEntryKind { Item, Separator, Submenu };

struct MenuEntry {
    MenuEntryKind kind = MenuEntryKind::Item;
    int command = 0;  // 0 for separators and submenus
    std::string text;
    bool enabled = true;
    std::vector<MenuEntry> entries;  // of a submenu
};

// What the entries' enabled states depend on apart from the selection.
struct MenuConditions {
    bool useDatabase = false;
    bool unbuiltGreyed = true;  // commands of features not built yet are disabled
};

// File, View, System and Help, with `user` in the log-off entry.
std::vector<MenuEntry> MenuBarEntries(const std::string& user, const MenuConditions& conditions);
// The context menu of a list (a ContextMenu number), with one entry per processor in the processes'
// menu; empty for an unknown number.
std::vector<MenuEntry> ContextMenuEntries(int menu, int processorCount, const MenuConditions& conditions);

#pragma once
// The menu bar, the context menus of the views, and the keyboard shortcuts.

#include <windows.h>

#include <vector>

#include "main/Menus.h"

void CreateMenus();
// The conditions of the menus' enabled states as the program's settings are now.
MenuConditions CurrentMenuConditions();
// A popup menu with these entries, their submenus and their enabled states.
HMENU CreateMenuFromEntries(const std::vector<MenuEntry>& entries);
// Enables the power entries after what the power library allows.
void UpdatePowerMenu();
HACCEL CreateShortcuts();

// The context menu of a view (2 processes, 3 windows, 4 services, 5 drivers, 6 SMART attributes,
// 7 autoruns), built fresh with the current language texts; the caller shows and destroys it.
HMENU CreateContextMenu(int menu);
// Shows a context menu at the cursor; its command goes through the dispatch.
void ShowContextMenu(HMENU menu);

#pragma once
// Small icons beside the menu entries. The menu asks the main window to draw them (HBMMENU_CALLBACK),
// so their soft edges are blended onto whatever colour the menu has, on every Windows from XP on.

#include <windows.h>

// Decodes the icons from the program's resources once; entries without an icon stay plain.
void LoadMenuIcons(HINSTANCE instance);
void FreeMenuIcons();

// Gives every entry of `menu` and its submenus whose command has an icon that icon. The icons sit in
// a column of their own beside the check marks, so check entries (views, priorities) get none.
void AttachMenuIcons(HMENU menu);

// The icon of a command, or null.
HBITMAP MenuIconOf(UINT command);

// WM_MEASUREITEM and WM_DRAWITEM of menu entries; false when the message is not about a menu icon.
bool MeasureMenuIcon(MEASUREITEMSTRUCT& item);
bool DrawMenuIcon(const DRAWITEMSTRUCT& item);

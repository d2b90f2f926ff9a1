#pragma once
// One dispatch for every identifier of menus, image buttons, shortcuts and controls.

#include <windows.h>

// `code` is the notification code of a control (0 for menu items, shortcuts and clicks).
void DispatchCommand(int id, int code, HWND control);
LRESULT DispatchNotification(const NMHDR& header);

// Refreshes a view's list now, as the refresh command does.
void RefreshView(int view);

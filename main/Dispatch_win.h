#pragma once
// One dispatch for every identifier of menus, image buttons, shortcuts and controls.

#include <windows.h>

// `code` is the notification code of a control (0 for menu items, shortcuts and clicks). The close
// command ends the event loop with a quit message.
void DispatchCommand(int id, int code, HWND control);
LRESULT DispatchNotification(const NMHDR& header);

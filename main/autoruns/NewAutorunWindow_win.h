#pragma once
// The new-autorun window: a program (with the programs entered before to pick from), its
// parameters, a shortcut in a startup folder or a Run value, for the current user or all users,
// RunOnce for Run values, and OK, Cancel and Browse. Its frame is the secondary window created at
// start-up; closing it enables the other windows again.

#include <windows.h>

// The window's controls are named in main/CommandIds.h (ControlNewAutorunOk and the others).

void FillNewAutorunWindow(HWND window, HFONT font);
// Before showing: empty fields, the history in the drop-down list, the first options chosen.
void PrepareNewAutorunWindow(HWND window);
// Commands from the window's controls; true when the identifier was one of them.
bool HandleNewAutorunCommand(HWND window, int id, int code);
// The window's light blue background for WM_ERASEBKGND, WM_CTLCOLORSTATIC and WM_CTLCOLORBTN; true
// when the message was one of them.
bool PaintNewAutorunBackground(HWND window, UINT message, WPARAM wParam, LRESULT& result);

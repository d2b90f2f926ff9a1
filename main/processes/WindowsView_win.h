#pragma once
// The windows view's list (ViewWindows): the desktop's top-level windows, rebuilt from scratch at
// every refresh with sort, selected row index and scroll position kept, and the actions of its menu.

#include <windows.h>

#include "main/TableListView_win.h"
#include "main/processes/WindowRows.h"

TableListView& WindowsList();
// The list and its three check boxes' container is the view.
void CreateWindowsList(HWND view);
void LayoutWindowsList(int width, int height);
// One pass over the top-level windows, filtered by the view's check boxes.
void RebuildWindowsList();

// The window and its process of the current row; null and 0 without one.
HWND SelectedWindow();
DWORD SelectedWindowProcessId();

// The menu's checks after the selected window's state.
void PrepareWindowsMenu(HMENU menu);
// The window actions that stay inside this view: translucency, topmost, hide, disable, minimise,
// maximise, restore, repair position, bring to the front, and close (CommandEnd). True when `id`
// was one of them.
bool RunWindowsCommand(int id);
// Brings the window forward: restored when minimised, otherwise shown; then made the foreground one.
void BringWindowForward(HWND window);

// The list's notifications; true when they were the windows list's.
bool HandleWindowsListNotification(const NMHDR& header, LRESULT& result);

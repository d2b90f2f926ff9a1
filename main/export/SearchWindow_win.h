#pragma once
// The search window (WindowSearch): which lists to search, the search text, and one result per
// matching row; activating a result shows that row in its view.

#include <windows.h>

#include <string>

#include "main/TableListView_win.h"

void FillSearchWindow(HWND window, HFONT font);
// Places the controls in the window's client area, after each change of its size.
void LayoutSearchWindow();
// WM_ERASEBKGND: the light blue window with the white panel behind the check boxes.
void PaintSearchWindowBackground(HDC dc);
// WM_CTLCOLORSTATIC: white in the panel, light blue outside it.
LRESULT SearchWindowControlColour(HWND control, HDC dc);
// Shows the window, kept as it was left, with the focus in the search field.
void ShowSearchWindow();
// Searches the checked lists and fills the result list, keeping its sort.
void SearchLists(const std::string& searchText);
TableListView& SearchResultList();
// Shows the result's row in its view and brings the main window forward.
void ActivateSearchResult(size_t row);

// The window's controls and its list's notifications; true when handled.
bool HandleSearchWindowCommand(HWND window, int id, int code);
bool HandleSearchWindowNotification(const NMHDR& header, LRESULT& result);

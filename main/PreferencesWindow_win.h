#pragma once
// The preferences window (window 5): its two pages of controls with their tool tips, the page
// button, the Default buttons and the search-engine menu, OK and Cancel. Its frame is the secondary
// window created at start-up; closing it (Cancel, Escape, the close box) drops the edits.

#include <windows.h>

void FillPreferencesWindow(HWND window);
// Shows page 1 (the settings) or 2 (the columns) and hides the other.
void ShowPreferencesPage(int page);
// The window's own messages; true when handled, with the answer in `result`.
bool HandlePreferencesWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

#pragma once
// The main window: its controls, views, banner and buttons, and its window procedure.

#include <windows.h>

// Creates the main window (hidden), its menus, buttons, views and the secondary windows.
bool CreateMainWindows(HINSTANCE instance);
// Applies the saved placement and shows the main window.
void ShowMainWindow();

void SwitchView(int view, bool refreshNow);
void UpdateButtons();
// Redraws the image buttons; the one under the mouse is drawn highlighted.
void UpdateHotButton();

LRESULT CALLBACK MainWindowCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

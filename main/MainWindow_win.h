#pragma once
// The main window: its creation, placement and layout, and its window procedure.

#include <windows.h>

// Creates the main window (hidden), its menus, buttons, views and the secondary windows.
bool CreateMainWindows(HINSTANCE instance);
// Applies the saved placement and shows the main window.
void ShowMainWindow();

LRESULT CALLBACK MainWindowCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

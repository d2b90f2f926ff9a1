#pragma once
// The secondary windows: created hidden the first time they are needed, shown by their commands,
// hidden (never destroyed) when closed.

#include <windows.h>

void RegisterSecondaryWindowClass();
// The window, made (hidden) if it does not exist yet; null for a number that is none.
HWND SecondaryWindowHandle(int window);

// Shows a window that keeps the main window and the other listed windows disabled meanwhile.
void ShowModalWindow(int window);
void ShowAboutWindow();

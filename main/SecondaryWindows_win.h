#pragma once
// The secondary windows: created hidden at start-up, shown by their commands, hidden (never
// destroyed) when closed.

#include <windows.h>

void CreateSecondaryWindows();

// Shows a window that keeps the main window and the other listed windows disabled meanwhile.
void ShowModalWindow(int window);
void ShowAboutWindow();

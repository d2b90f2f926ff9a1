#pragma once
// The opacity bar and the hot key that drives it (right Alt + right Ctrl, polled every turn).

#include <windows.h>

// Owned by the tray window, so that it gets no taskbar button.
HWND CreateOpacityBar(HINSTANCE instance, HWND owner);
void PollOpacityHotKey();
// Alpha 255 takes the layered style away again, so the window is drawn as before.
void SetWindowOpacity(HWND window, int alpha);

#pragma once
// The tray companion's start-up, its loop and its exit.

#include <windows.h>

// The whole start-up. -1 when the program runs on into the loop; otherwise the exit code (0 for a
// second instance, which has asked the main window to the front).
int StartTray(HINSTANCE instance, const char* commandLine);

// The fonts, icons, the tray window with its menu and first icon, the opacity bar and the colour
// window; false when the tray window cannot be created.
bool CreateTrayWindows(HINSTANCE instance);
void DestroyTrayWindows();

// Until the quit message; every turn waits at most 100 ms for an event.
void RunTrayLoop();
// One turn's periodic tasks and hot keys.
void RunTrayTasks();

// From the menu (`fromMenu`: the main program is asked to close too and the SMART table is saved)
// or on the main program's quit message.
void ExitTray(bool fromMenu);

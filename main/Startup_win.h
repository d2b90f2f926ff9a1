#pragma once
// Start-up, the event loop and the orderly exit of the main program.

#include <windows.h>

// Runs the start-up in its order; returns false when this instance is not to run (another one
// does, or the main window cannot be created).
bool StartProgram(HINSTANCE instance);
// The event loop; returns only when the window thread gets WM_QUIT.
int RunEventLoop();
// Saves and closes everything and ends the process with exit code 0.
[[noreturn]] void ExitProgram();

// The timer work of an idle turn of the loop.
void IdleRefresh();

// Gives the rating lookups their clock, texts and progress window; needs the main window.
void ConnectRatingDatabase();
// The loop's first step after a wait: a progress window left open by lookups is closed, the
// windows it disabled are enabled again and a Cancel is forgotten.
void CloseDatabaseWaitWindow();

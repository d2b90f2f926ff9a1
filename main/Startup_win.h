#pragma once
// Start-up, the event loop and the orderly exit of the main program.

#include <windows.h>

// Runs the start-up in its order; returns false when this instance is not to run (another one
// does, or the main window cannot be created).
bool StartProgram(HINSTANCE instance);
// The event loop; returns when the close command has posted the quit message.
void RunEventLoop();
// Saves and closes everything and ends the process with exit code 0.
[[noreturn]] void ExitProgram();

// The timer work of an idle turn of the loop.
void IdleRefresh();

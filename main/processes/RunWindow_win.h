#pragma once
// The run window: a command (with the commands started before to pick from), its parameters, and
// OK, Cancel and Browse. Its frame is the secondary window created at start-up; it only closes
// itself, and the frame's close handling enables the other windows again.

#include <windows.h>

#include <string>

// The window's controls are named in main/CommandIds.h (ControlRunOk and the others).

void FillRunWindow(HWND window, HFONT font);
// Before showing: the drop-down list from the history, no parameters, the last command selected.
void PrepareRunWindow(HWND window);
// Commands from the window's controls; true when the identifier was one of them.
bool HandleRunWindowCommand(HWND window, int id, int code);

// Starts the command with the parameters in the program's own folder; true when it started.
bool StartRunCommand(HWND owner, const std::string& command, const std::string& parameters);

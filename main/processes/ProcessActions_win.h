#pragma once
// What the process list's menu does to the processes of the selected rows. Each action refreshes
// the list at once.

#include <windows.h>

// Asks, then ends the selected processes with the exit code. Several processes are first all set
// to idle, so none of them can hold up the others' ending; the program's own priority is raised
// meanwhile and restored afterwards whatever failed.
void EndSelectedProcesses(UINT exitCode);
// Sets the priority class of every selected process, reporting each one that refuses.
void SetSelectedPriority(DWORD priorityClass);

// The menu commands of the process list (end, priority); true when the command was one of them.
struct MainPreferences;
bool RunProcessCommand(int id, const MainPreferences& preferences);

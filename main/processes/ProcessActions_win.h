#pragma once
// What the process list's menu does to the processes of the selected rows. Each action refreshes
// the list at once.

#include <windows.h>

#include <string>

// Asks, then ends the selected processes with the exit code. Several processes are first all set
// to idle, so none of them can hold up the others' ending; the program's own priority is raised
// meanwhile and restored afterwards whatever failed.
void EndSelectedProcesses(UINT exitCode);
// Sets the priority class of every selected process, reporting each one that refuses.
void SetSelectedPriority(DWORD priorityClass);
// Toggles one processor (0-based) in the affinity of every selected process; the last processor of
// a process stays.
void ToggleSelectedAffinity(int processor);
// The system's call, which a test replaces to play a process that refuses the change.
using SetProcessAffinityFunction = BOOL(WINAPI*)(HANDLE, DWORD_PTR);
extern SetProcessAffinityFunction g_setProcessAffinityMask;
// The context menu's marks for the selection: the priority of each selected row checked, and each
// processor checked when a selected process may run on it; a process's only processor is disabled.
void PrepareProcessMenu(HMENU menu);
// Suspends (pause) or resumes every selected process through ntdll's process calls.
void PauseSelectedProcesses(bool pause);
// Selects the row of the current row's parent, when it is listed.
void JumpToParent();
// Trims the working sets of the selected processes.
void OptimizeSelectedProcesses();
// For each selected process, once asked: ends it and deletes its executable, retrying while the
// ending process still holds it, else schedules the deletion for the next restart.
void DeleteSelectedExecutables(UINT exitCode);
// Opens the folder of each selected executable, reporting rows without one.
void ExploreSelectedFolders();
// Opens the search address (its "<%1>" replaced by each executable's file name) for every row.
void SearchSelectedOnWeb(const std::string& addressTemplate);

// The menu commands of the process list (end, priority, processors, pause, resume, parent, optimise, delete, folder,
// web search); true when the command was one of them.
struct MainPreferences;
bool RunProcessCommand(int id, const MainPreferences& preferences);

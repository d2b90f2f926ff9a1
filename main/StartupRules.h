#pragma once
// The start-up's and the event loop's rules that need no window: the single-instance mutex, the
// privileges asked for, the tray companion's file, and what the loop does after a pass over the
// pending messages.

#include <string>

// The mutex whose existence says that another instance runs.
constexpr char kInstanceMutexName[] = "Vantrel_Mutex";
// How long the loop waits for a message before it looks at the timers again.
constexpr unsigned long kLoopWaitMilliseconds = 25;
// How long a new start waits for the running instance to come to the front.
constexpr unsigned kActivateTimeoutMilliseconds = 5000;
// How long a restart for a new language waits for the old tray companion to end.
constexpr unsigned kRestartTrayWaitMilliseconds = 3000;

// Asked for in this order; the first one refused ends the asking.
constexpr const char* kStartupPrivileges[] = {"SeDebugPrivilege", "SeIncreaseBasePriorityPrivilege",
                                              "SeRestorePrivilege", "SeShutdownPrivilege"};

// The tray companion in the program's folder, and the command line that starts it.
std::string TrayCompanionPath(const std::string& programFolder);
std::string TrayCompanionCommandLine(const std::string& companionPath);

// What one pass over the pending messages saw.
struct LoopPass {
    bool arrived = false;
    bool onlyMouseMoves = true;
};
void NoteLoopMessage(LoopPass& pass, unsigned message);
// Input other than mouse moves may have changed what the status strip shows.
bool StatusNeedsDrawing(const LoopPass& pass);
// A quiet pass (nothing, or the mouse moving only) is the time for the refresh timers.
bool LoopIsIdle(const LoopPass& pass);

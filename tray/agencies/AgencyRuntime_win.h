#pragma once
// The agencies at run time: the process list of the agency pass, the condition measurements, the
// programs started, the processes ended, the balloons, and the priority watch.

#include <windows.h>

#include <string>
#include <vector>

#include "tray/agencies/AgencyPass.h"
#include "tray/agencies/InternetProbe_win.h"

struct PendingAnnouncement {
    RunningProcess process;
    DWORD firstSeen = 0;
};

struct AgencyRuntime {
    KnownProcessList known;
    ConditionTexts conditionTexts;  // of every installed language
    InternetProbeTarget probeTarget;
    // New processes waiting for their image to be readable before their balloon is shown.
    std::vector<PendingAnnouncement> announcements;
    // The window that had the foreground before a balloon, and when it gets it back.
    HWND foregroundToReturn = nullptr;
    DWORD foregroundReturnTick = 0;
    PriorityWatchList watch;
};

AgencyRuntime& TheAgencyRuntime();

// The processes running now, with their parents, in the system's order.
std::vector<RunningProcess> RunningProcesses();
// The measurements of the system, each taken when a condition asks, the internet probe once per
// evaluation round.
ConditionInputs SystemConditionInputs();
// Starts the program through the shell, its folder as working folder; failures are not reported.
void LaunchProgram(const ProgramLaunch& launch);

// The priority watch: every slowed process gets its saved class back (at exit, and when the watch
// is switched off).
void RestoreSlowedProcesses();

// What the process list and its actions take from the main program's preferences. Kept apart
// because the preferences and the list's column numbers each define their own column count.
#include "foundation/PreferencesDefaults.h"
#include "main/CommandIds.h"
#include "main/processes/ProcessActions_win.h"
#include "main/processes/ProcessList_win.h"

ProcessListOptions ProcessListOptionsFrom(const MainPreferences& preferences) {
    ProcessListOptions options;
    options.treeView = preferences.PreferencesPPIDView != 0;
    options.windowTitles = preferences.PreferencesWindowTitle != 0;
    options.cpuHistory = preferences.PreferencesCPUPerProcess != 0;
    options.windowWidth = preferences.Window.Width;
    for (size_t c = 0; c < options.shown.size(); ++c) {
        options.shown[c] = c == 0 || preferences.PreferencesShow[c - 1] != 0;
        options.widths[c] = preferences.PreferencesColumnWidth[c];
    }
    return options;
}

bool RunProcessCommand(int id, const MainPreferences& preferences) {
    static constexpr DWORD kClasses[] = {REALTIME_PRIORITY_CLASS,     HIGH_PRIORITY_CLASS,
                                         ABOVE_NORMAL_PRIORITY_CLASS, NORMAL_PRIORITY_CLASS,
                                         BELOW_NORMAL_PRIORITY_CLASS, IDLE_PRIORITY_CLASS};
    switch (id) {
        case CommandPauseProcess:
        case CommandResumeProcess:
            PauseSelectedProcesses(id == CommandPauseProcess);
            return true;
        case CommandJumpToParent:
            JumpToParent();
            return true;
        case CommandExploreProcessFolder:
            ExploreSelectedFolders();
            return true;
        case CommandWebSearch:
            SearchSelectedOnWeb(preferences.PreferencesSearchString);
            return true;
        case CommandOptimizeProcess:
            OptimizeSelectedProcesses();
            return true;
        case CommandDeleteProcess:
            DeleteSelectedExecutables(static_cast<UINT>(preferences.PreferencesExitCodeSpin));
            return true;
    }
    if (id == CommandEnd) {
        EndSelectedProcesses(static_cast<UINT>(preferences.PreferencesExitCodeSpin));
        return true;
    }
    if (id >= CommandPriorityRealtime && id <= CommandPriorityIdle) {
        SetSelectedPriority(kClasses[id - CommandPriorityRealtime]);
        return true;
    }
    if (id >= CommandProcessorFirst && id < CommandProcessorFirst + static_cast<int>(sizeof(DWORD_PTR) * 8)) {
        ToggleSelectedAffinity(id - CommandProcessorFirst);
        return true;
    }
    return false;
}

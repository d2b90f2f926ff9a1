#pragma once
// The main program's state apart from its windows: settings, system figures, refresh timers and the
// current view. One instance for the life of the process.

#include <vector>

#include "foundation/PreferencesDefaults.h"
#include "main/RefreshTimers.h"
#include "main/View.h"
#include "main/database/RatingLookup.h"
#include "main/processes/SystemFigures.h"

struct ProgramModel {
    int privilegeFlag = 0;  // 1 when a privilege could not be enabled; the status strip warns
    int processorCount = 1;
    int screenWidth = 0;   // the banner is this wide, so it covers the window at any size
    int currentView = -1;  // -1 until the main window has chosen its first view
    int networkAvailable = 0;
    int restartAfterExit = 0;  // a new language was asked for: the exit starts the program again
    std::vector<unsigned char> databaseKey;
    MainPreferences preferences;
    SystemFigures figures;
    RatingDatabase database;  // the rating cache and the way to the rating server
    RefreshTimers timers;
};

extern ProgramModel g_program;

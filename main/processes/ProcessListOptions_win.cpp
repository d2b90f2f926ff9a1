// The process list's settings from the main program's preferences. Kept apart because the
// preferences and the list's column numbers each define their own column count.
#include "foundation/PreferencesDefaults.h"
#include "main/processes/ProcessList_win.h"

ProcessListOptions ProcessListOptionsFrom(const MainPreferences& preferences) {
    ProcessListOptions options;
    options.treeView = preferences.PreferencesPPIDView != 0;
    options.windowTitles = preferences.PreferencesWindowTitle != 0;
    for (size_t c = 0; c < options.shown.size(); ++c) {
        options.shown[c] = c == 0 || preferences.PreferencesShow[c - 1] != 0;
        options.widths[c] = preferences.PreferencesColumnWidth[c];
    }
    return options;
}

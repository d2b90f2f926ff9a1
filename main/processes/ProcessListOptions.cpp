#include "main/processes/ProcessListOptions.h"

#include "foundation/PreferencesDefaults.h"
#include "main/processes/ProcessListColumns.h"

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

bool ProcessColumnShown(const ProcessListOptions& options, size_t column) {
    return column == 0 || (column < options.shown.size() && options.shown[column]);
}

bool ProcessTimesShown(const ProcessListOptions& options) {
    return ProcessColumnShown(options, kProcessColumnRunningTime) || ProcessColumnShown(options, kProcessColumnCpuTime);
}

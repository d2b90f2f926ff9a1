#include "main/processes/ProcessListOptions.h"

#include "foundation/Language.h"
#include "foundation/PreferencesDefaults.h"
#include "main/processes/ProcessListColumns.h"
#include "main/processes/ProcessListRows.h"

namespace {

constexpr LanguageKey kTitles[] = {
    LanguageKey::Process,       LanguageKey::DatabaseRating,  LanguageKey::DatabaseInformation,
    LanguageKey::WindowTitle,   LanguageKey::CPUUsage,        LanguageKey::Priority,
    LanguageKey::WriteActivity, LanguageKey::ReadActivity,    LanguageKey::OtherActivity,
    LanguageKey::ProcessID,     LanguageKey::ParentProcessID, LanguageKey::MemoryUsage,
    LanguageKey::VirtualMemory, LanguageKey::PoolPaged,       LanguageKey::PoolNotPaged,
    LanguageKey::RunningTime,   LanguageKey::CPUTime,         LanguageKey::Threads,
    LanguageKey::Handles,       LanguageKey::FileAttributes,  LanguageKey::FileSize,
    LanguageKey::FilePath};

}  // namespace

LanguageKey ProcessColumnTitleKey(size_t column) {
    return column < sizeof(kTitles) / sizeof(kTitles[0]) ? kTitles[column] : LanguageKey::Process;
}

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

std::vector<ShownProcessColumn> ShownProcessColumns(const ProcessListOptions& options) {
    std::vector<ShownProcessColumn> columns;
    for (size_t c = 0; c < options.shown.size(); ++c) {
        if (ProcessColumnShown(options, c))
            columns.push_back(
                {LanguageText(ProcessColumnTitleKey(c)), options.widths[c], IsRightAlignedProcessColumn(c), c});
    }
    return columns;
}

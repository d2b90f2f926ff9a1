#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

// What the process list takes from the settings. Index n of `shown` and `widths` is list column n
// (0 to 21).
struct ProcessListOptions {
    bool treeView = true;
    bool windowTitles = true;
    bool cpuHistory = true;  // each new row gets a CPU history image
    int windowWidth = 640;   // the main window's width setting, which sizes the history images
    std::array<bool, 22> shown{};
    std::array<int, 22> widths{};
};

struct MainPreferences;
ProcessListOptions ProcessListOptionsFrom(const MainPreferences& preferences);

// Column 0 is always shown; columns past 21 (the hidden ones) never.
bool ProcessColumnShown(const ProcessListOptions& options, size_t column);
// The running and CPU times are worked out only while either of their columns shows.
bool ProcessTimesShown(const ProcessListOptions& options);

// The title of a list column 0 to 21 (the language key; Process for anything else).
enum class LanguageKey : int;
LanguageKey ProcessColumnTitleKey(size_t column);

// A list column as the view shows it: the title in the current language and the table column.
struct ShownProcessColumn {
    std::string title;
    int width;
    bool rightAligned;
    size_t column;
};
std::vector<ShownProcessColumn> ShownProcessColumns(const ProcessListOptions& options);

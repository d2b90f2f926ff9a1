#pragma once
// The texts of the status strip along the bottom of the main window and where they go.

#include <array>
#include <string>
#include <vector>

#include "main/processes/SystemFigures.h"

struct StatusText {
    int x;
    std::string text;
    bool warning;  // drawn in red
};

// The grooves between the figures are drawn just left of these, a dark and a light line each.
constexpr std::array<int, 4> kStatusSeparators = {93, 173, 253, 333};
constexpr unsigned kStatusGrooveLight = 0xE0C4B8;  // Windows colour values (0x00BBGGRR)
constexpr unsigned kStatusGrooveDark = 0xBFA89D;

// What the strip shows for a view: the list's name and `rowCount` and the system figures, or only
// the privilege warning in the monitor view, which shows the figures itself.
std::vector<StatusText> StatusBarTexts(int view, int rowCount, const SystemFigures& figures, bool privilegeWarning);
// Whether the strip has its grooves in this view.
bool StatusBarHasSeparators(int view);

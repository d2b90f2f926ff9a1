#pragma once
// The status strip along the bottom of the main window, drawn as an image.

#include <string>
#include <vector>

struct StatusText {
    int x;
    std::string text;
    bool warning;  // drawn in red
};

// What the strip shows for a view: the list's name and row count and the system figures, or only
// the privilege warning in the monitor view, which shows the figures itself.
std::vector<StatusText> StatusBarTexts(int view);

void DrawStatusBar();

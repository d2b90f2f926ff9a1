#pragma once
// The status strip along the bottom of the main window, drawn as an image.

#include <vector>

#include "main/StatusBar.h"

// What the strip shows now, for the current view and its list.
std::vector<StatusText> CurrentStatusBarTexts();

void DrawStatusBar();

#pragma once
// The tray icon's context menu: built (with the "Windows" submenu of power actions and display
// modes), shown at the cursor, and its commands run.

#include <windows.h>

#include <string>
#include <vector>

#include "tray/DisplayModes.h"

// Builds the menu anew, replacing the previous one; at start-up and after every display change.
void BuildTrayMenu();
void ShowTrayMenu();
void RunTrayCommand(int command);
void FreeTrayMenuImages();

// The monitors attached to the desktop, with their current mode and all their modes.
struct MonitorModes {
    std::string title;
    std::string device;
    DisplayMode current;
    std::vector<DisplayMode> modes;
};
std::vector<MonitorModes> ReadMonitorModes();

#pragma once
// The display-mode entries of the "Windows" submenu: one submenu per monitor with its resolutions,
// refresh rates and colour depths, each entry numbered and remembered for when it is chosen.

#include <string>
#include <vector>

constexpr int kDisplayModeTableSize = 257;
constexpr int kFirstDisplayModeCommand = 29;  // the tray menu's own commands lie below

struct DisplayMode {
    int width = 0;
    int height = 0;
    int frequency = 0;  // Hz
    int bitsPerPixel = 0;
};

struct DisplayModeEntry {
    std::string device;
    DisplayMode mode;
};

// Filled as the menu is built, indexed by command; commands beyond the table get no entry.
struct DisplayModeTable {
    std::vector<DisplayModeEntry> entries = std::vector<DisplayModeEntry>(kDisplayModeTableSize);
    int nextCommand = kFirstDisplayModeCommand;
};

void ClearDisplayModeTable(DisplayModeTable& table);
// The entry of a display-mode command, or null when the command has none.
const DisplayModeEntry* DisplayModeOfCommand(const DisplayModeTable& table, int command);

struct DisplayModeMenuEntry {
    int command;
    std::string text;
    bool checked;
};

struct MonitorModeMenu {
    std::vector<DisplayModeMenuEntry> resolutions;  // "800 x 600", at the current depth and rate
    std::vector<DisplayModeMenuEntry> frequencies;  // "60 Hz", at the current size and depth
    std::vector<DisplayModeMenuEntry> depths;       // "32 Bit", at the current size and rate
};

// The three submenus of one monitor, in the device's order of modes; a mode the driver lists twice
// appears twice. Once the table is full, further modes are left out.
MonitorModeMenu BuildMonitorModeMenu(DisplayModeTable& table,
                                     const std::string& device,
                                     const DisplayMode& current,
                                     const std::vector<DisplayMode>& modes);

// The monitor submenu's title from the adapter's, the device's and the monitor's names; the
// monitor's loses the parentheses some drivers put around it.
std::string MonitorMenuTitle(const std::string& adapter, const std::string& device, const std::string& monitor);

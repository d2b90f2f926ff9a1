#include "tray/DisplayModes.h"

namespace {

// A rate of 0 or 1 is the device's default rate, which drivers (and Wine) list instead of a figure;
// it goes with any rate, or a display would offer no sizes at all.
bool SameFrequency(int a, int b) {
    return a == b || a <= 1 || b <= 1;
}

// Numbers the next entry and remembers its mode; false when the table is full.
bool AddModeEntry(DisplayModeTable& table,
                  std::vector<DisplayModeMenuEntry>& submenu,
                  const std::string& device,
                  const DisplayMode& mode,
                  std::string text,
                  bool checked) {
    if (table.nextCommand >= kDisplayModeTableSize) {
        return false;
    }
    int command = table.nextCommand++;
    table.entries[static_cast<size_t>(command)] = {device, mode};
    submenu.push_back({command, std::move(text), checked});
    return true;
}

}  // namespace

void ClearDisplayModeTable(DisplayModeTable& table) {
    table = DisplayModeTable{};
}

const DisplayModeEntry* DisplayModeOfCommand(const DisplayModeTable& table, int command) {
    if (command < kFirstDisplayModeCommand || command >= table.nextCommand || command >= kDisplayModeTableSize) {
        return nullptr;
    }
    return &table.entries[static_cast<size_t>(command)];
}

MonitorModeMenu BuildMonitorModeMenu(DisplayModeTable& table,
                                     const std::string& device,
                                     const DisplayMode& current,
                                     const std::vector<DisplayMode>& modes) {
    MonitorModeMenu menu;
    for (const DisplayMode& mode : modes) {
        if (mode.bitsPerPixel == current.bitsPerPixel && SameFrequency(mode.frequency, current.frequency)) {
            bool checked = mode.width == current.width && mode.height == current.height;
            AddModeEntry(table, menu.resolutions, device, mode,
                         std::to_string(mode.width) + " x " + std::to_string(mode.height), checked);
        }
    }
    for (const DisplayMode& mode : modes) {
        if (mode.width == current.width && mode.height == current.height && mode.bitsPerPixel == current.bitsPerPixel) {
            AddModeEntry(table, menu.frequencies, device, mode, std::to_string(mode.frequency) + " Hz",
                         mode.frequency == current.frequency);
        }
    }
    for (const DisplayMode& mode : modes) {
        if (mode.width == current.width && mode.height == current.height &&
            SameFrequency(mode.frequency, current.frequency)) {
            AddModeEntry(table, menu.depths, device, mode, std::to_string(mode.bitsPerPixel) + " Bit",
                         mode.bitsPerPixel == current.bitsPerPixel);
        }
    }
    return menu;
}

std::string MonitorMenuTitle(const std::string& adapter, const std::string& device, const std::string& monitor) {
    std::string stripped = monitor;
    if (!stripped.empty() && stripped.front() == '(') {
        stripped.erase(0, 1);
    }
    if (!stripped.empty() && stripped.back() == ')') {
        stripped.pop_back();
    }
    std::string title = adapter.empty() ? device : adapter + " (" + device + ")";
    if (!stripped.empty()) {
        title += " - " + stripped;
    }
    return title;
}

#pragma once
// The main program's window-wide state: one instance for the life of the process.

#include <windows.h>

#include <array>
#include <cstdint>
#include <vector>

#include "foundation/PreferencesDefaults.h"
#include "main/RefreshTimers.h"
#include "main/database/RatingLookup.h"
#include "main/database/RatingProgress_win.h"
#include "main/processes/SystemFigures_win.h"

enum View : int {
    ViewProcesses,
    ViewWindows,
    ViewServices,
    ViewDrivers,
    ViewNetworks,
    ViewMonitor,
    ViewSmart,
    ViewAutoruns,
    ViewCount
};

// The secondary windows, all children of the main window and hidden until used.
enum SecondaryWindow : int {
    WindowExecute = 1,
    WindowNewAutorun,
    WindowProcessInformation,
    WindowDiagram,
    WindowPreferences,
    WindowSearch,
    WindowAbout,
    WindowDatabaseWait,
    WindowCount
};

// The image buttons in the row at the top, in their order from the left.
constexpr std::array<int, 9> kButtonCommands = {18, 22, 19, 20, 21, 23, 24, 25, 32};
constexpr int kButtonSize = 28;

struct MainProgram {
    HINSTANCE instance = nullptr;
    HANDLE mutex = nullptr;
    int privilegeFlag = 0;
    int processorCount = 1;
    int screenWidth = 0;
    int currentView = -1;
    HBRUSH lightBlueBrush = nullptr;
    int networkAvailable = 0;
    std::vector<unsigned char> databaseKey;
    MainPreferences preferences;
    SystemFigures figures;
    ProcessorCounters processorCounters;
    RatingDatabase database;  // the rating cache and the way to the rating server
    RatingProgressSetup databaseProgress;  // the window shown while lookups wait for the server
    RefreshTimers timers;

    HWND window = nullptr;
    std::array<HWND, WindowCount> secondary{};
    std::array<HWND, ViewCount> views{};
    std::array<HWND, kButtonCommands.size()> buttons{};
    std::array<bool, kButtonCommands.size()> buttonEnabled{};
    int hotButton = -1;  // index of the button under the mouse, or -1
    HWND tooltips = nullptr;
    HACCEL accelerators = nullptr;
    HMENU menuBar = nullptr;
    HMENU viewMenu = nullptr;
    HMENU systemMenu = nullptr;

    HBITMAP bannerBackground = nullptr;
    SIZE bannerBackgroundSize{};
    std::array<HBITMAP, ViewCount> viewIcons{};
    std::array<HBITMAP, kButtonCommands.size()> buttonIcons{};
    HBITMAP banner = nullptr;  // the current view's banner, screen width x 25 pixels
    HFONT uiFont = nullptr;
    HFONT bannerFont = nullptr;
};

extern MainProgram g_program;

// Layout of the main window's client area, from the top.
constexpr int kButtonRowHeight = 34;
constexpr int kBannerHeight = 25;
constexpr int kStatusHeight = 22;

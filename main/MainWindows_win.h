#pragma once
// The main program's windows: the main window with its views, image buttons and menus, the
// secondary windows, and the images, fonts and brush they draw with. One instance, filled as the
// windows are created.

#include <windows.h>

#include <array>

#include "foundation/ScopedHandles_win.h"
#include "main/CommandIds.h"
#include "main/ImageButtons.h"
#include "main/MainWindowLayout.h"
#include "main/SecondaryWindows.h"
#include "main/View.h"

// The background of the information panels and their labels.
constexpr COLORREF kLightBlueBackground = 0xFFDDCC;

struct MainWindows {
    HINSTANCE instance = nullptr;
    HWND window = nullptr;  // the main window
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
    ScopedGdiObject<HBITMAP> banner;  // the current view's banner, screen width x 25 pixels
    HFONT uiFont = nullptr;
    HFONT bannerFont = nullptr;
    ScopedGdiObject<HBRUSH> lightBlueBrush;  // kLightBlueBackground
};

extern MainWindows g_windows;

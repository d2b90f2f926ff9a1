#pragma once
// The rows of the top-level windows list and the arithmetic of its actions. Portable: the Win32
// side reads each window into a WindowRecord and acts on what these functions decide.

#include <cstdint>
#include <string>

#include "main/Geometry.h"
#include "main/RowTable.h"

enum WindowColumn : size_t {
    WindowColumnTitle = 0,
    WindowColumnHandle = 1,  // decimal; the key of every window action
    WindowColumnProcess = 2,
    WindowColumnProcessId = 3,
    WindowColumnPosition = 4,
    WindowColumnSize = 5,
    WindowColumnDeactivated = 6,
    WindowColumnHidden = 7,
    WindowColumnStatus = 8,
    WindowColumnForeground = 9,
    WindowColumnCount = 10,
};

// Row colours (0x00BBGGRR): grey text for an invisible window, pale yellow behind a topmost one.
constexpr uint32_t kInvisibleWindowText = 0x505050;
constexpr uint32_t kTopmostWindowBackground = 0xCCFFFF;

// Window texts are cut to this many characters.
constexpr size_t kWindowTitleLength = 256;
// The desktop's own window, which the list never shows.
constexpr char kDesktopWindowTitle[] = "Program Manager";

struct WindowRecord {
    std::string title;
    uint64_t handle = 0;
    std::string processPath;  // empty when it could not be read
    uint32_t processId = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool enabled = true;
    bool visible = true;
    bool minimised = false;
    bool maximised = false;
    bool topmost = false;
    int image = -1;
};

// The three check boxes above the list.
struct WindowFilter {
    bool hidden = false;
    bool noSize = false;
    bool outside = false;
};

// Whether the list shows the window, given the screen's size. An untitled window and the desktop
// are never shown; a minimised one is never taken for being outside the screen.
bool WindowListed(const WindowRecord& window, const WindowFilter& filter, int screenWidth, int screenHeight);
// Appends the window's row with its texts and colours.
size_t AppendWindowRow(RowTable& table, const WindowRecord& window);

// The opacity for a translucency of `percent` (10..90): 255 - percent x 2.55, ties to even.
int TransparencyAlpha(int percent);
// Where "repair position" puts a window: a quarter in from the top left, half the screen in size.
WindowPlacement RepairedPlacement(int screenWidth, int screenHeight);

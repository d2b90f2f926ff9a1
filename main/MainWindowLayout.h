#pragma once
// The main window's sizes and the placement it keeps in the settings: the arithmetic and the
// decisions, apart from the window that measures and applies them.

#include "foundation/PreferencesDefaults.h"
#include "main/WindowSnapping.h"

// Layout of the main window's client area, from the top.
constexpr int kButtonRowHeight = 34;
constexpr int kBannerHeight = 25;
constexpr int kStatusHeight = 22;

// The smallest frame the user can size the window to.
constexpr int kMainWindowMinimumWidth = 580;
constexpr int kMainWindowMinimumHeight = 465;

// The views fill the client area between the banner and the status strip.
struct ViewsArea {
    int top = 0;
    int width = 0;
    int height = 0;
};
ViewsArea MainWindowViewsArea(int clientWidth, int clientHeight);

// What the settings keep after the window opened at `opening`: a placement that had to be mended is
// kept mended (centred stays centred), one that opened as saved is kept as it was.
MainWindowPlacement PlacementAfterOpening(const MainWindowPlacement& saved, const WindowPlacement& opening);

// What the settings keep after the window moved or was sized to `frame`: the size before
// maximising is the one kept, and a minimised window keeps the last one too.
MainWindowPlacement PlacementAfterMove(const MainWindowPlacement& saved,
                                       const WindowPlacement& frame,
                                       bool maximized,
                                       bool minimized);

// Where a move of the frame from `current` to (x, y), with a new size when `sized`, ends up near
// the work area's edges.
WindowPlacement SnappedMove(int x,
                            int y,
                            int width,
                            int height,
                            bool sized,
                            const WindowPlacement& current,
                            const ScreenRect& workArea);

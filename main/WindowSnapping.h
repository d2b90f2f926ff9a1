#pragma once
// Snapping of the main window to the edges of the work area while it is moved.

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct WindowPlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Within 10 pixels of an edge the window jumps onto it; a window already beyond an edge is
// pushed further out, so it can be dragged past the edge freely.
WindowPlacement SnapToWorkArea(WindowPlacement window, const ScreenRect& workArea);

#pragma once
// Rectangles and placements in screen or client pixels, for the layouts worked out apart from the
// windows. Portable.

// By its edges; right and bottom lie just outside.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// By its top-left corner and size.
struct WindowPlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// A placement of this size centred in the rectangle.
inline WindowPlacement CentredPlacement(const ScreenRect& around, int width, int height) {
    return {around.left + (around.right - around.left - width) / 2,
            around.top + (around.bottom - around.top - height) / 2, width, height};
}

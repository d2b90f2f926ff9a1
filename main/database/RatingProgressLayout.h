#pragma once
// Where the progress window of the rating lookups stands and where its controls go: the arithmetic
// apart from the window that applies it.

constexpr int kRatingProgressWidth = 320;
constexpr int kRatingProgressHeight = 128;
// The white panel stands this far inside the window's edges.
constexpr int kRatingProgressPanelMargin = 6;

struct ControlPlace {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct RatingProgressPlaces {
    ControlPlace image;      // the database image, 32 by 32
    ControlPlace searching;  // "searching the database ..."
    ControlPlace caption;    // the file being looked up
    ControlPlace bar;        // the marquee bar
    ControlPlace cancel;
};

// The window's place, centred over the rectangle (the main window's, or the screen's).
ControlPlace RatingProgressWindowPlace(int left, int top, int right, int bottom);
// The controls' places in a client area of that size.
RatingProgressPlaces RatingProgressControlPlaces(int clientWidth, int clientHeight);

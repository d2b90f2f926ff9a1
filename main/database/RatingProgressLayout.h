#pragma once
// Where the progress window of the rating lookups stands and where its controls go: the arithmetic
// apart from the window that applies it.

#include "main/Geometry.h"

constexpr int kRatingProgressWidth = 320;
constexpr int kRatingProgressHeight = 128;
// The white panel stands this far inside the window's edges.
constexpr int kRatingProgressPanelMargin = 6;

struct RatingProgressPlaces {
    WindowPlacement image;      // the database image, 32 by 32
    WindowPlacement searching;  // "searching the database ..."
    WindowPlacement caption;    // the file being looked up
    WindowPlacement bar;        // the marquee bar
    WindowPlacement cancel;
};

// The window's place, centred over the rectangle (the main window's, or the screen's).
WindowPlacement RatingProgressWindowPlace(int left, int top, int right, int bottom);
// The controls' places in a client area of that size.
RatingProgressPlaces RatingProgressControlPlaces(int clientWidth, int clientHeight);

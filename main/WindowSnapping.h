#pragma once
// Snapping of the main window to the edges of the work area while it is moved.

#include "main/Geometry.h"

// Where the main window opens: the saved placement, or centred when X or Y is -1. Sizes are held
// between the minimum and the work area, and a window that would open (nearly) outside the work
// area, from a damaged settings file or a screen that has since become smaller, is centred instead.
WindowPlacement OpeningPlacement(const WindowPlacement& saved,
                                 const ScreenRect& workArea,
                                 int minimumWidth,
                                 int minimumHeight);

// Where a window that is moved from `current` to `moved` goes. Within 10 pixels of an edge it jumps
// onto the edge; a move that starts in that zone and goes beyond the edge is pushed 10 pixels further
// out, so the window can leave the edge instead of being caught by it again. A change of size is
// never moved, so resizing a window that lies beyond an edge leaves it where it is.
WindowPlacement SnapToWorkArea(WindowPlacement moved, const WindowPlacement& current, const ScreenRect& workArea);

// Moved, never resized, so that it lies on the work area; a window larger than the area keeps its
// top-left corner on it.
WindowPlacement KeptOnWorkArea(WindowPlacement place, const ScreenRect& workArea);

// Where a tool window opens beside its owner window: to the right of it when it fits on the work
// area there, else to the left, else on the side with more room; kept on the work area in every case.
WindowPlacement PlacementBeside(const ScreenRect& owner, int width, int height, const ScreenRect& workArea);

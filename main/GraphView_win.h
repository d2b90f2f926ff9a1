#pragma once
// Pixel images (graphs, processor bars) shown on the screen as they are, pixel for pixel.

#include <windows.h>

#include <vector>

#include "main/Graphs.h"

// A child control of `parent` that paints `image` (which must outlive it) at its top-left corner.
HWND CreateGraphControl(HWND parent, int id, const PixelImage* image);
// Repaints the control from its image now.
void ShowGraph(HWND control);
// Writes the labels into the image with the font, transparently, centred on their x.
void DrawBarLabels(PixelImage& image, const std::vector<BarLabel>& labels, HFONT font);

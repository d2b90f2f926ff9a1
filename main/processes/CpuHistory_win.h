#pragma once
// The CPU history images of the process list's rows, kept by number: a row holds the number of its
// image in its hidden column 22, and 0 means none.

#include <windows.h>

#include <cstddef>

// A new image as wide as a main window of this width allows (CpuHistoryWidth), filled with the
// graph background; its number, or 0 when GDI refuses.
int CreateCpuHistoryImage(int windowWidth);
// Scrolls the image left by one bar and draws the bar of the share at the right edge.
void AdvanceCpuHistoryImage(int number, float share);
void FreeCpuHistoryImage(int number);
void FreeAllCpuHistoryImages();
// The image, for drawing it elsewhere (select it into a memory DC only for the drawing); null for
// an unknown number.
HBITMAP CpuHistoryImage(int number);
size_t CpuHistoryImageCount();

#pragma once
// Turns the PNG images in the programs' resources into GDI bitmaps.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "resources/PngImage.h"

// A 32-bit top-down DIB section with premultiplied alpha, or nullptr.
HBITMAP CreatePngBitmap(const PngImage& image);

// A bitmap of colours given as 0x00BBGGRR, row after row; nullptr when the sizes disagree.
HBITMAP CreateColourBitmap(const std::vector<uint32_t>& colours, int width, int height);

// Decodes the RCDATA resource `id` of `module`. Returns false if it is missing or not a valid PNG.
bool LoadPngResource(HMODULE module, int id, PngImage& image);

// Both steps at once; `size` (may be null) receives the bitmap's size. Returns nullptr on failure.
HBITMAP LoadPngBitmap(HMODULE module, int id, SIZE* size);

// The image laid over an opaque colour, for controls that draw bitmaps without blending them.
HBITMAP LoadPngBitmapOn(HMODULE module, int id, COLORREF background);

#pragma once
// Decoding of the PNG images the programs carry (banners, buttons, icons).

#include <cstddef>
#include <cstdint>
#include <vector>

struct PngImage {
    int width = 0;
    int height = 0;
    // Top-down rows of 0xAARRGGBB values (BGRA bytes in memory) with the colour premultiplied by alpha,
    // which is what a 32-bit DIB section and AlphaBlend expect.
    std::vector<uint32_t> pixels;
};

// Images larger than this are refused, so a damaged or hostile file cannot make us allocate gigabytes.
constexpr int kMaxPngSide = 8192;
constexpr int64_t kMaxPngPixels = 16 * 1024 * 1024;

// Decodes a PNG file held in memory. Returns false and leaves `image` untouched on any error.
bool DecodePng(const unsigned char* data, size_t size, PngImage& image);

// Lays the image over an opaque background colour (0xRRGGBB), for controls that cannot blend.
// Every pixel comes out fully opaque.
void FlattenPngOnto(PngImage& image, uint32_t background);

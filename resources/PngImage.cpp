#include "resources/PngImage.h"

#include <algorithm>

#include <png.h>

bool DecodePng(const unsigned char* data, size_t size, PngImage& image) {
    if (data == nullptr || size < 8) {
        return false;
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, data, size)) {
        return false;
    }
    if (png.width == 0 || png.height == 0 || png.width > kMaxPngSide || png.height > kMaxPngSide ||
        static_cast<int64_t>(png.width) * png.height > kMaxPngPixels) {
        png_image_free(&png);
        return false;
    }
    png.format = PNG_FORMAT_BGRA;
    std::vector<uint32_t> pixels(static_cast<size_t>(png.width) * png.height);
    if (!png_image_finish_read(&png, nullptr, pixels.data(), static_cast<png_int_32>(png.width * 4), nullptr)) {
        png_image_free(&png);
        return false;
    }
    for (uint32_t& p : pixels) {
        uint32_t a = p >> 24;
        if (a == 255) {
            continue;
        }
        uint32_t r = ((p >> 16) & 0xFF) * a / 255;
        uint32_t g = ((p >> 8) & 0xFF) * a / 255;
        uint32_t b = (p & 0xFF) * a / 255;
        p = (a << 24) | (r << 16) | (g << 8) | b;
    }
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.pixels = std::move(pixels);
    return true;
}

void FlattenPngOnto(PngImage& image, uint32_t background) {
    for (uint32_t& pixel : image.pixels) {
        const uint32_t alpha = pixel >> 24;
        uint32_t out = 0xFF000000u;
        for (int shift = 0; shift <= 16; shift += 8) {
            // The colour is premultiplied, so the background only fills what alpha leaves over.
            const uint32_t front = (pixel >> shift) & 0xFF;
            const uint32_t back = (background >> shift) & 0xFF;
            out |= std::min<uint32_t>(255, front + (back * (255 - alpha) + 127) / 255) << shift;
        }
        pixel = out;
    }
}

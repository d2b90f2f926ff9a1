#include "resources/PngBitmap_win.h"

#include <cstring>

HBITMAP CreatePngBitmap(const PngImage& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height) {
        return nullptr;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // negative: rows run top-down, as decoded
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr) {
        return nullptr;
    }
    std::memcpy(bits, image.pixels.data(), image.pixels.size() * sizeof(uint32_t));
    return bitmap;
}

HBITMAP CreateColourBitmap(const std::vector<uint32_t>& colours, int width, int height) {
    PngImage image;
    image.width = width;
    image.height = height;
    image.pixels.reserve(colours.size());
    for (uint32_t colour : colours)
        image.pixels.push_back(0xFF000000u | (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF));
    return CreatePngBitmap(image);
}

bool LoadPngResource(HMODULE module, int id, PngImage& image) {
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (resource == nullptr) {
        return false;
    }
    HGLOBAL loaded = LoadResource(module, resource);
    DWORD size = SizeofResource(module, resource);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr || size == 0) {
        return false;
    }
    return DecodePng(static_cast<const unsigned char*>(data), size, image);
}

HBITMAP LoadPngBitmap(HMODULE module, int id, SIZE* size) {
    PngImage image;
    if (!LoadPngResource(module, id, image)) {
        return nullptr;
    }
    HBITMAP bitmap = CreatePngBitmap(image);
    if (bitmap != nullptr && size != nullptr) {
        size->cx = image.width;
        size->cy = image.height;
    }
    return bitmap;
}

HBITMAP LoadPngBitmapOn(HMODULE module, int id, COLORREF background) {
    PngImage image;
    if (!LoadPngResource(module, id, image)) {
        return nullptr;
    }
    FlattenPngOnto(image, (static_cast<uint32_t>(GetRValue(background)) << 16) |
                              (static_cast<uint32_t>(GetGValue(background)) << 8) | GetBValue(background));
    return CreatePngBitmap(image);
}

#include "main/processes/CpuHistory_win.h"

#include "main/processes/CpuHistory.h"
#include "main/processes/NumberedStore.h"

namespace {

struct CpuHistoryImageEntry {
    HBITMAP bitmap = nullptr;
    int width = 0;
    // The DIB's own pixels. Hundreds of rows get a bar at every refresh, and a few GDI calls for each
    // would cost more than the whole of the rest of the refresh, so they are drawn into directly.
    uint32_t* pixels = nullptr;
};

NumberedStore<CpuHistoryImageEntry> g_images;

// A 32-bit top-down DIB, so that what is drawn is exactly what is kept (no palette, no dithering).
HBITMAP CreateImageBitmap(int width, int height, uint32_t*& pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels = static_cast<uint32_t*>(bits);
    return bitmap;
}

}  // namespace

int CreateCpuHistoryImage(int windowWidth) {
    int width = CpuHistoryWidth(windowWidth);
    uint32_t* pixels = nullptr;
    HBITMAP bitmap = CreateImageBitmap(width, kCpuHistoryHeight, pixels);
    if (bitmap == nullptr || pixels == nullptr) {
        if (bitmap != nullptr)
            DeleteObject(bitmap);
        return 0;
    }
    FillCpuHistoryPixels(pixels, width);
    return AddNumbered(g_images, {bitmap, width, pixels});
}

void AdvanceCpuHistoryImage(int number, float share) {
    const CpuHistoryImageEntry* found = FindNumbered(g_images, number);
    if (found == nullptr)
        return;
    GdiFlush();  // whatever GDI still has to draw into the image lands before the pixels move
    AdvanceCpuHistoryPixels(found->pixels, found->width, share);
}

void FreeCpuHistoryImage(int number) {
    CpuHistoryImageEntry image;
    if (TakeNumbered(g_images, number, image))
        DeleteObject(image.bitmap);
}

void FreeAllCpuHistoryImages() {
    for (const CpuHistoryImageEntry& image : TakeAllNumbered(g_images))
        DeleteObject(image.bitmap);
}

HBITMAP CpuHistoryImage(int number) {
    const CpuHistoryImageEntry* found = FindNumbered(g_images, number);
    return found == nullptr ? nullptr : found->bitmap;
}

size_t CpuHistoryImageCount() {
    return g_images.things.size();
}

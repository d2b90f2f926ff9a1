#include "main/processes/CpuHistory_win.h"

#include "foundation/ScopedHandles_win.h"
#include "main/processes/CpuHistory.h"
#include "main/processes/NumberedStore.h"

namespace {

struct CpuHistoryImageEntry {
    HBITMAP bitmap = nullptr;
    int width = 0;
};

struct CpuHistoryStore {
    NumberedStore<CpuHistoryImageEntry> images;
    HBITMAP background = nullptr;  // kCpuHistoryBarWidth x kCpuHistoryBackgroundHeight
};

CpuHistoryStore g_store;

// A 32-bit top-down DIB, so that what is drawn is exactly what is kept (no palette, no dithering).
HBITMAP CreateImageBitmap(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

// The graph background, drawn once, the first time an image needs it.
HBITMAP GraphBackground() {
    if (g_store.background != nullptr)
        return g_store.background;
    HBITMAP bitmap = CreateImageBitmap(kCpuHistoryBarWidth, kCpuHistoryBackgroundHeight);
    if (bitmap == nullptr)
        return nullptr;
    {
        ScopedMemoryDc dc(CreateCompatibleDC(nullptr));
        ScopedSelection selected(dc.get(), bitmap);
        for (int y = 0; y < kCpuHistoryBackgroundHeight; ++y) {
            for (int x = 0; x < kCpuHistoryBarWidth; ++x)
                SetPixelV(dc.get(), x, y, static_cast<COLORREF>(CpuHistoryBackgroundColour(y)));
        }
    }
    g_store.background = bitmap;
    return bitmap;
}

void DrawBackground(HDC target, int x, int width) {
    HBITMAP background = GraphBackground();
    if (background == nullptr)
        return;
    ScopedMemoryDc source(CreateCompatibleDC(nullptr));
    ScopedSelection selected(source.get(), background);
    StretchBlt(target, x, kCpuHistoryBackgroundTop, width, kCpuHistoryBackgroundHeight, source.get(), 0, 0,
               kCpuHistoryBarWidth, kCpuHistoryBackgroundHeight, SRCCOPY);
}

}  // namespace

int CreateCpuHistoryImage(int windowWidth) {
    int width = CpuHistoryWidth(windowWidth);
    HBITMAP bitmap = CreateImageBitmap(width, kCpuHistoryHeight);
    if (bitmap == nullptr)
        return 0;
    {
        ScopedMemoryDc dc(CreateCompatibleDC(nullptr));
        ScopedSelection selected(dc.get(), bitmap);
        DrawBackground(dc.get(), 0, width);
    }
    return AddNumbered(g_store.images, {bitmap, width});
}

void AdvanceCpuHistoryImage(int number, float share) {
    const CpuHistoryImageEntry* found = FindNumbered(g_store.images, number);
    if (found == nullptr)
        return;
    const CpuHistoryImageEntry& image = *found;
    ScopedMemoryDc dc(CreateCompatibleDC(nullptr));
    ScopedSelection selected(dc.get(), image.bitmap);
    int right = image.width - kCpuHistoryBarWidth;
    BitBlt(dc.get(), 0, 0, right, kCpuHistoryHeight, dc.get(), kCpuHistoryBarWidth, 0, SRCCOPY);
    DrawBackground(dc.get(), right, kCpuHistoryBarWidth);
    for (const CpuHistoryLine& line : CpuHistoryBar(share)) {
        if (line.y >= kCpuHistoryHeight)
            continue;  // below the image
        ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(static_cast<COLORREF>(line.colour)));
        RECT strip{right, line.y, image.width, line.y + 1};
        FillRect(dc.get(), &strip, brush.get());
    }
}

void FreeCpuHistoryImage(int number) {
    CpuHistoryImageEntry image;
    if (TakeNumbered(g_store.images, number, image))
        DeleteObject(image.bitmap);
}

void FreeAllCpuHistoryImages() {
    for (const CpuHistoryImageEntry& image : TakeAllNumbered(g_store.images))
        DeleteObject(image.bitmap);
    if (g_store.background != nullptr)
        DeleteObject(g_store.background);
    g_store.background = nullptr;
}

HBITMAP CpuHistoryImage(int number) {
    const CpuHistoryImageEntry* found = FindNumbered(g_store.images, number);
    return found == nullptr ? nullptr : found->bitmap;
}

size_t CpuHistoryImageCount() {
    return g_store.images.things.size();
}

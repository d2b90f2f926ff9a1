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
    // Kept from the first refresh on: every row's image is drawn at every refresh, and a device
    // context made and freed for each would cost more than the drawing.
    HDC imageDc = nullptr;
    HDC backgroundDc = nullptr;  // with the background selected
    HGDIOBJ backgroundDcDefault = nullptr;
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
    if (g_store.backgroundDc == nullptr) {
        HBITMAP background = GraphBackground();
        if (background == nullptr)
            return;
        g_store.backgroundDc = CreateCompatibleDC(nullptr);
        g_store.backgroundDcDefault = SelectObject(g_store.backgroundDc, background);
    }
    StretchBlt(target, x, kCpuHistoryBackgroundTop, width, kCpuHistoryBackgroundHeight, g_store.backgroundDc, 0, 0,
               kCpuHistoryBarWidth, kCpuHistoryBackgroundHeight, SRCCOPY);
}

HDC ImageDc() {
    if (g_store.imageDc == nullptr)
        g_store.imageDc = CreateCompatibleDC(nullptr);
    return g_store.imageDc;
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
    HDC dc = ImageDc();
    ScopedSelection selected(dc, image.bitmap);
    int right = image.width - kCpuHistoryBarWidth;
    BitBlt(dc, 0, 0, right, kCpuHistoryHeight, dc, kCpuHistoryBarWidth, 0, SRCCOPY);
    DrawBackground(dc, right, kCpuHistoryBarWidth);
    HBRUSH brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
    for (const CpuHistoryLine& line : CpuHistoryBar(share)) {
        if (line.y >= kCpuHistoryHeight)
            continue;  // below the image
        SetDCBrushColor(dc, static_cast<COLORREF>(line.colour));
        RECT strip{right, line.y, image.width, line.y + 1};
        FillRect(dc, &strip, brush);
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
    if (g_store.backgroundDc != nullptr) {
        SelectObject(g_store.backgroundDc, g_store.backgroundDcDefault);
        DeleteDC(g_store.backgroundDc);
    }
    if (g_store.imageDc != nullptr)
        DeleteDC(g_store.imageDc);
    g_store.backgroundDc = g_store.imageDc = nullptr;
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

#include "main/Banner_win.h"

#include "foundation/Language.h"
#include "foundation/ScopedHandles_win.h"
#include "main/MainWindows_win.h"
#include "main/ProgramModel.h"
#include "resources/PngBitmap_win.h"
#include "resources/ResourceIds.h"

namespace {

const int kViewIconIds[ViewCount] = {IDR_PNG_VIEW_PROCESSES, IDR_PNG_VIEW_WINDOWS,  IDR_PNG_VIEW_SERVICES,
                                     IDR_PNG_VIEW_DRIVERS,   IDR_PNG_VIEW_NETWORKS, IDR_PNG_VIEW_MONITOR,
                                     IDR_PNG_VIEW_SMART,     IDR_PNG_VIEW_AUTORUNS};

// The banner of a view: the band stretched over the screen width, the view's icon and its name.
void ComposeBanner(int view) {
    const int width = g_program.screenWidth;
    ScopedWindowDc screen(nullptr);
    g_windows.banner.reset(CreateCompatibleBitmap(screen.get(), width, kBannerHeight));
    ScopedMemoryDc target(CreateCompatibleDC(screen.get()));
    ScopedSelection targetBitmap(target.get(), g_windows.banner.get());
    ScopedMemoryDc source(CreateCompatibleDC(screen.get()));
    if (g_windows.bannerBackground != nullptr) {
        ScopedSelection background(source.get(), g_windows.bannerBackground);
        SetStretchBltMode(target.get(), HALFTONE);
        StretchBlt(target.get(), 0, 0, width, kBannerHeight, source.get(), 0, 0, g_windows.bannerBackgroundSize.cx,
                   g_windows.bannerBackgroundSize.cy, SRCCOPY);
    }
    if (g_windows.viewIcons[view] != nullptr) {
        ScopedSelection icon(source.get(), g_windows.viewIcons[view]);
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(target.get(), 6, 1, 22, 22, source.get(), 0, 0, 22, 22, blend);
    }
    SetBkMode(target.get(), TRANSPARENT);
    SetTextColor(target.get(), RGB(255, 255, 255));
    ScopedSelection font(target.get(), g_windows.bannerFont);
    RECT text{34, 0, width, kBannerHeight};
    DrawTextA(target.get(), LanguageText(ViewName(view)).c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

}  // namespace

void LoadBannerImages() {
    g_windows.bannerBackground = LoadPngBitmap(g_windows.instance, IDR_PNG_BANNER, &g_windows.bannerBackgroundSize);
    for (int v = 0; v < ViewCount; ++v) {
        g_windows.viewIcons[v] = LoadPngBitmap(g_windows.instance, kViewIconIds[v], nullptr);
    }
}

void ShowBanner(int view) {
    ComposeBanner(view);
    RECT band{0, kButtonRowHeight, 1 << 15, kButtonRowHeight + kBannerHeight};
    InvalidateRect(g_windows.window, &band, FALSE);
}

void PaintBanner(HDC dc) {
    if (!g_windows.banner.valid()) {
        return;
    }
    RECT client;
    GetClientRect(g_windows.window, &client);
    ScopedMemoryDc source(CreateCompatibleDC(dc));
    ScopedSelection banner(source.get(), g_windows.banner.get());
    BitBlt(dc, 0, kButtonRowHeight, client.right, kBannerHeight, source.get(), 0, 0, SRCCOPY);
}

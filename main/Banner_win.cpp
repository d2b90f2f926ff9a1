#include "main/Banner_win.h"

#include "foundation/Language.h"
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
    if (g_windows.banner != nullptr) {
        DeleteObject(g_windows.banner);
    }
    const int width = g_program.screenWidth;
    HDC screen = GetDC(nullptr);
    HDC target = CreateCompatibleDC(screen);
    g_windows.banner = CreateCompatibleBitmap(screen, width, kBannerHeight);
    HGDIOBJ oldTarget = SelectObject(target, g_windows.banner);
    HDC source = CreateCompatibleDC(screen);
    if (g_windows.bannerBackground != nullptr) {
        HGDIOBJ old = SelectObject(source, g_windows.bannerBackground);
        SetStretchBltMode(target, HALFTONE);
        StretchBlt(target, 0, 0, width, kBannerHeight, source, 0, 0, g_windows.bannerBackgroundSize.cx,
                   g_windows.bannerBackgroundSize.cy, SRCCOPY);
        SelectObject(source, old);
    }
    if (g_windows.viewIcons[view] != nullptr) {
        HGDIOBJ old = SelectObject(source, g_windows.viewIcons[view]);
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(target, 6, 1, 22, 22, source, 0, 0, 22, 22, blend);
        SelectObject(source, old);
    }
    SetBkMode(target, TRANSPARENT);
    SetTextColor(target, RGB(255, 255, 255));
    HGDIOBJ oldFont = SelectObject(target, g_windows.bannerFont);
    RECT text{34, 0, width, kBannerHeight};
    DrawTextA(target, LanguageText(ViewName(view)).c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(target, oldFont);
    DeleteDC(source);
    SelectObject(target, oldTarget);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);
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
    if (g_windows.banner == nullptr) {
        return;
    }
    RECT client;
    GetClientRect(g_windows.window, &client);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, g_windows.banner);
    BitBlt(dc, 0, kButtonRowHeight, client.right, kBannerHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

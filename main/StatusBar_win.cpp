#include "main/StatusBar_win.h"

#include <windows.h>

#include <commctrl.h>

#include "foundation/ListViews_win.h"
#include "foundation/ScopedHandles_win.h"
#include "main/MainWindows_win.h"
#include "main/ProgramModel.h"

namespace {

// The list a view counts in the strip; the SMART view counts its hard-disk list, its first list.
int ViewRowCount(int view) {
    HWND list = FindWindowExA(g_windows.views[view], nullptr, WC_LISTVIEWA, nullptr);
    return list != nullptr ? ListViewItemCount(list) : 0;
}

// The grooves between the figures, a dark and a light line each.
void DrawSeparators(HDC dc) {
    ScopedGdiObject<HPEN> light(CreatePen(PS_SOLID, 1, kStatusGrooveLight));
    ScopedGdiObject<HPEN> dark(CreatePen(PS_SOLID, 1, kStatusGrooveDark));
    ScopedSelection pen(dc, dark.get());
    for (int x : kStatusSeparators) {
        pen.select(dark.get());
        MoveToEx(dc, x - 2, 3, nullptr);
        LineTo(dc, x - 2, kStatusHeight - 3);
        pen.select(light.get());
        MoveToEx(dc, x - 1, 3, nullptr);
        LineTo(dc, x - 1, kStatusHeight - 3);
    }
}

}  // namespace

std::vector<StatusText> CurrentStatusBarTexts() {
    int view = g_program.currentView;
    int rows = view >= 0 && view < ViewCount ? ViewRowCount(view) : 0;
    return StatusBarTexts(view, rows, g_program.figures, g_program.privilegeFlag != 0);
}

void DrawStatusBar() {
    if (g_windows.window == nullptr) {
        return;
    }
    RECT client;
    GetClientRect(g_windows.window, &client);
    int width = client.right;
    int top = client.bottom - kStatusHeight;
    if (width <= 0 || top < 0) {
        return;
    }
    // Drawn off screen first, so the strip never flickers at the figures' refresh rate.
    ScopedWindowDc window(g_windows.window);
    ScopedMemoryDc image(CreateCompatibleDC(window.get()));
    ScopedGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(window.get(), width, kStatusHeight));
    ScopedSelection imageBitmap(image.get(), bitmap.get());
    HDC dc = image.get();
    RECT strip{0, 0, width, kStatusHeight};
    FillRect(dc, &strip, GetSysColorBrush(COLOR_BTNFACE));
    {
        ScopedGdiObject<HPEN> topLine(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
        ScopedSelection pen(dc, topLine.get());
        MoveToEx(dc, 0, 0, nullptr);
        LineTo(dc, width, 0);
        if (StatusBarHasSeparators(g_program.currentView)) {
            DrawSeparators(dc);
        }
    }

    SetBkMode(dc, TRANSPARENT);
    {
        ScopedSelection font(dc, g_windows.uiFont);
        for (const StatusText& text : CurrentStatusBarTexts()) {
            SetTextColor(dc, text.warning ? RGB(220, 0, 0) : GetSysColor(COLOR_BTNTEXT));
            RECT box{text.x, 1, width, kStatusHeight};
            DrawTextA(dc, text.text.c_str(), -1, &box, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        }
    }
    BitBlt(window.get(), 0, top, width, kStatusHeight, dc, 0, 0, SRCCOPY);
}

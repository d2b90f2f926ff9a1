#include "main/StatusBar_win.h"

#include <windows.h>

#include <commctrl.h>

#include "foundation/Language.h"
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

LanguageKey ViewListName(int view) {
    switch (view) {
        case ViewWindows:
            return LanguageKey::Windows;
        case ViewServices:
            return LanguageKey::Services;
        case ViewDrivers:
            return LanguageKey::Drivers;
        case ViewNetworks:
            return LanguageKey::Networks;
        case ViewSmart:
            return LanguageKey::Harddisks;
        case ViewAutoruns:
            return LanguageKey::Autoruns;
        default:
            return LanguageKey::Processes;
    }
}

std::string Percent(int value) {
    return std::to_string(value) + "%";
}

// The grooves between the figures, a dark and a light line each.
void DrawSeparators(HDC dc) {
    ScopedGdiObject<HPEN> light(CreatePen(PS_SOLID, 1, 0xE0C4B8));
    ScopedGdiObject<HPEN> dark(CreatePen(PS_SOLID, 1, 0xBFA89D));
    ScopedSelection pen(dc, dark.get());
    for (int x : {93, 173, 253, 333}) {
        pen.select(dark.get());
        MoveToEx(dc, x - 2, 3, nullptr);
        LineTo(dc, x - 2, kStatusHeight - 3);
        pen.select(light.get());
        MoveToEx(dc, x - 1, 3, nullptr);
        LineTo(dc, x - 1, kStatusHeight - 3);
    }
}

}  // namespace

std::vector<StatusText> StatusBarTexts(int view) {
    std::vector<StatusText> texts;
    if (view == ViewMonitor) {
        if (g_program.privilegeFlag) {
            texts.push_back({7, LanguageText(LanguageKey::SetRightsFailed), true});
        }
        return texts;
    }
    if (view >= 0 && view < ViewCount) {
        texts.push_back({7, LanguageText(ViewListName(view)) + ": " + std::to_string(ViewRowCount(view)), false});
    }
    texts.push_back({100, "CPU: " + Percent(g_program.figures.totalCpu), false});
    texts.push_back({180, "RAM: " + Percent(g_program.figures.ramPercent), false});
    texts.push_back({260, "Swap: " + Percent(g_program.figures.swapPercent), false});
    if (g_program.privilegeFlag) {
        texts.push_back({340, LanguageText(LanguageKey::SetRightsFailed), true});
    }
    return texts;
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
        if (g_program.currentView != ViewMonitor) {
            DrawSeparators(dc);
        }
    }

    SetBkMode(dc, TRANSPARENT);
    {
        ScopedSelection font(dc, g_windows.uiFont);
        for (const StatusText& text : StatusBarTexts(g_program.currentView)) {
            SetTextColor(dc, text.warning ? RGB(220, 0, 0) : GetSysColor(COLOR_BTNTEXT));
            RECT box{text.x, 1, width, kStatusHeight};
            DrawTextA(dc, text.text.c_str(), -1, &box, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        }
    }
    BitBlt(window.get(), 0, top, width, kStatusHeight, dc, 0, 0, SRCCOPY);
}

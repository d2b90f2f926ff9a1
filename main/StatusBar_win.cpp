#include "main/StatusBar_win.h"

#include <windows.h>
#include <commctrl.h>

#include "foundation/Language.h"
#include "main/MainWindows_win.h"
#include "main/ProgramModel.h"

namespace {

// The list a view counts in the strip; the SMART view counts its hard-disk list, its first list.
int ViewRowCount(int view) {
    HWND list = FindWindowExA(g_windows.views[view], nullptr, WC_LISTVIEWA, nullptr);
    return list != nullptr ? static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
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
    HDC dc = GetDC(g_windows.window);
    HDC image = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, kStatusHeight);
    HGDIOBJ oldBitmap = SelectObject(image, bitmap);
    RECT strip{0, 0, width, kStatusHeight};
    FillRect(image, &strip, GetSysColorBrush(COLOR_BTNFACE));
    HPEN top1 = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ oldPen = SelectObject(image, top1);
    MoveToEx(image, 0, 0, nullptr);
    LineTo(image, width, 0);

    bool monitor = g_program.currentView == ViewMonitor;
    if (!monitor) {
        HPEN light = CreatePen(PS_SOLID, 1, 0xE0C4B8);
        HPEN dark = CreatePen(PS_SOLID, 1, 0xBFA89D);
        for (int x : {93, 173, 253, 333}) {
            SelectObject(image, dark);
            MoveToEx(image, x - 2, 3, nullptr);
            LineTo(image, x - 2, kStatusHeight - 3);
            SelectObject(image, light);
            MoveToEx(image, x - 1, 3, nullptr);
            LineTo(image, x - 1, kStatusHeight - 3);
        }
        SelectObject(image, oldPen);
        DeleteObject(light);
        DeleteObject(dark);
    }
    SelectObject(image, oldPen);
    DeleteObject(top1);

    SetBkMode(image, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(image, g_windows.uiFont);
    for (const StatusText& text : StatusBarTexts(g_program.currentView)) {
        SetTextColor(image, text.warning ? RGB(220, 0, 0) : GetSysColor(COLOR_BTNTEXT));
        RECT box{text.x, 1, width, kStatusHeight};
        DrawTextA(image, text.text.c_str(), -1, &box, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    SelectObject(image, oldFont);
    BitBlt(dc, 0, top, width, kStatusHeight, image, 0, 0, SRCCOPY);
    SelectObject(image, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(image);
    ReleaseDC(g_windows.window, dc);
}

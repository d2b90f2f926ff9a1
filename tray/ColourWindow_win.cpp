#include "tray/ColourWindow_win.h"

#include "foundation/Controls_win.h"
#include "foundation/Language.h"
#include "foundation/ScopedHandles_win.h"
#include "tray/TrayMenu.h"
#include "tray/TrayProgram_win.h"

namespace {

constexpr char kColourWindowClass[] = "VantrelIconColours";
constexpr COLORREF kColourWindowBackground = 0xFFDDCC;
constexpr int kColourWindowWidth = 250;
constexpr int kColourWindowHeight = 210;
constexpr int kSwatchSide = 30;
constexpr int kSwatchX = 110;
constexpr int kSwatchTop = 10;
constexpr int kSwatchStep = 40;
constexpr int kDefaultButtonFirstId = 100;

HBRUSH g_background = nullptr;  // the class's, for the labels too; lives as long as the process

int SwatchY(int index) {
    return kSwatchTop + index * kSwatchStep;
}

int& ColourOf(int index) {
    return Tray().preferences.*(IconColourSettings()[index].member);
}

void StoreColour(int index, int colour) {
    ColourOf(index) = colour;
    WriteTrayPreference(IconColourSettings()[index].key, colour);
    RECT swatch = {kSwatchX, SwatchY(index), kSwatchX + kSwatchSide, SwatchY(index) + kSwatchSide};
    InvalidateRect(Tray().colourWindow, &swatch, FALSE);
}

void PaintSwatches(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    for (int index = 0; index < kIconColourCount; ++index) {
        ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(static_cast<COLORREF>(ColourOf(index))));
        RECT swatch = {kSwatchX, SwatchY(index), kSwatchX + kSwatchSide, SwatchY(index) + kSwatchSide};
        FillRect(dc, &swatch, brush.get());
        FrameRect(dc, &swatch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    EndPaint(window, &paint);
}

int SwatchAt(int x, int y) {
    for (int index = 0; index < kIconColourCount; ++index) {
        if (x >= kSwatchX && x < kSwatchX + kSwatchSide && y >= SwatchY(index) && y < SwatchY(index) + kSwatchSide) {
            return index;
        }
    }
    return -1;
}

LRESULT CALLBACK ColourWindowCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            PaintSwatches(window);
            return 0;
        case WM_LBUTTONUP: {
            int index = SwatchAt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            if (index >= 0) {
                ChooseIconColour(index);
            }
            return 0;
        }
        case WM_COMMAND: {
            int index = LOWORD(wParam) - kDefaultButtonFirstId;
            if (index >= 0 && index < kIconColourCount) {
                ResetIconColour(index);
            }
            return 0;
        }
        case WM_CTLCOLORSTATIC:
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<LRESULT>(g_background);
        case WM_CLOSE:
            ShowWindow(window, SW_HIDE);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HWND CreateColourWindow(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ColourWindowCallback;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIcon(instance, MAKEINTRESOURCE(1));
    if (g_background == nullptr) {
        g_background = CreateSolidBrush(kColourWindowBackground);
    }
    windowClass.hbrBackground = g_background;
    windowClass.lpszClassName = kColourWindowClass;
    RegisterClassExA(&windowClass);
    DWORD style = WS_CAPTION | WS_SYSMENU | WS_POPUP;
    RECT frame = {0, 0, kColourWindowWidth, kColourWindowHeight};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_TOOLWINDOW);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    HWND window =
        CreateWindowExA(WS_EX_TOOLWINDOW, kColourWindowClass, LanguageText(LanguageKey::SelectColors).c_str(), style,
                        (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
                        width, height, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return nullptr;
    }
    for (int index = 0; index < kIconColourCount; ++index) {
        const IconColourSetting& setting = IconColourSettings()[index];
        AddControl(window, "STATIC", LanguageText(setting.label) + ":", SS_LEFT, 10, SwatchY(index) + 8, 100, 20, 0,
                   Tray().smallFont);
        AddControl(window, "BUTTON", LanguageText(LanguageKey::Default), BS_PUSHBUTTON, 160, SwatchY(index) + 3, 70, 24,
                   kDefaultButtonFirstId + index, Tray().smallFont);
    }
    return window;
}

void ChooseIconColour(int index) {
    static COLORREF customColours[16] = {};
    CHOOSECOLORA choice{};
    choice.lStructSize = sizeof(choice);
    choice.hwndOwner = Tray().colourWindow;
    choice.rgbResult = static_cast<COLORREF>(ColourOf(index));
    choice.lpCustColors = customColours;
    choice.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (TrayShell().chooseColour(&choice)) {
        StoreColour(index, StoredIconColour(choice.rgbResult));
    }
}

void ResetIconColour(int index) {
    StoreColour(index, IconColourSettings()[index].defaultColour);
}

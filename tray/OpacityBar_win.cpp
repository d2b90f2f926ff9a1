#include "tray/OpacityBar_win.h"

#include "foundation/ScopedHandles_win.h"
#include "tray/TrayProgram_win.h"

namespace {

constexpr char kOpacityBarClass[] = "VantrelOpacityBar";
constexpr COLORREF kChosenCellColour = 0xFF2000;
constexpr COLORREF kInnerOutlineColour = 0x808080;

bool KeyDown(int key) {
    return (TrayShell().asyncKeyState(key) & 0x8000) != 0;
}

ForegroundKind KindOf(HWND window) {
    if (window == nullptr) {
        return ForegroundKind::None;
    }
    if (window == GetDesktopWindow()) {
        return ForegroundKind::Desktop;
    }
    char title[256] = {};
    GetWindowTextA(window, title, sizeof(title));
    return lstrcmpA(title, kProgramManagerTitle) == 0 ? ForegroundKind::ProgramManager : ForegroundKind::Window;
}

void Outline(HDC dc, int x, int y, int width, int height, COLORREF colour) {
    ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    RECT box = {x, y, x + width, y + height};
    FrameRect(dc, &box, brush.get());
}

void PaintOpacityBar(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT all = {0, 0, kOpacityBarWidth, kOpacityBarHeight};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    int chosen = Tray().opacity.level;
    ScopedSelection font(dc, Tray().smallFont != nullptr ? Tray().smallFont : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    for (int cell = 0; cell < kOpacityLevelCount; ++cell) {
        int x = cell * kOpacityCellWidth;
        if (cell == chosen) {
            ScopedGdiObject<HBRUSH> blue(CreateSolidBrush(kChosenCellColour));
            RECT box = {x, 0, x + kOpacityCellWidth, kOpacityBarHeight};
            FillRect(dc, &box, blue.get());
        }
        Outline(dc, x, 0, kOpacityCellWidth, kOpacityBarHeight, 0);
        Outline(dc, x + 1, 1, kOpacityCellWidth - 2, kOpacityBarHeight - 2, kInnerOutlineColour);
        SetTextColor(dc, cell == chosen ? RGB(255, 255, 255) : 0);
        std::string label = OpacityCellLabel(cell);
        TextOutA(dc, x + kOpacityCellWidth / 2, 3, label.c_str(), static_cast<int>(label.size()));
    }
    EndPaint(window, &paint);
}

LRESULT CALLBACK OpacityBarCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PaintOpacityBar(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HWND CreateOpacityBar(HINSTANCE instance, HWND owner) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = OpacityBarCallback;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kOpacityBarClass;
    RegisterClassExA(&windowClass);
    return CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kOpacityBarClass, kOpacityBarTitle, WS_POPUP, 0, 0,
                           kOpacityBarWidth, kOpacityBarHeight, owner, nullptr, instance, nullptr);
}

void SetWindowOpacity(HWND window, int alpha) {
    LONG style = GetWindowLongA(window, GWL_EXSTYLE);
    if (alpha >= kFullyOpaque) {
        SetLayeredWindowAttributes(window, 0, kFullyOpaque, LWA_ALPHA);
        SetWindowLongA(window, GWL_EXSTYLE, style & ~WS_EX_LAYERED);
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        return;
    }
    SetWindowLongA(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
    SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
}

void PollOpacityHotKey() {
    TrayProgram& tray = Tray();
    bool keysDown = KeyDown(VK_RMENU) && KeyDown(VK_RCONTROL);
    HWND foreground = keysDown ? GetForegroundWindow() : nullptr;
    POINT cursor{};
    if (keysDown) {
        GetCursorPos(&cursor);
    }
    OpacityTurn turn = OpacityHotKeyTurn(tray.opacity, keysDown, KindOf(foreground), cursor.x, cursor.y);
    if (turn.takeTarget) {
        tray.opacityTarget = foreground;
    }
    if (turn.showBar) {
        SetWindowPos(tray.opacityBar, HWND_TOPMOST, turn.barX, turn.barY, kOpacityBarWidth, kOpacityBarHeight,
                     SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    if (turn.applyAlpha && IsWindow(tray.opacityTarget)) {
        SetWindowOpacity(tray.opacityTarget, turn.alpha);
        InvalidateRect(tray.opacityBar, nullptr, FALSE);
        UpdateWindow(tray.opacityBar);
    }
    if (turn.hideBar) {
        ShowWindow(tray.opacityBar, SW_HIDE);
        tray.opacityTarget = nullptr;
    }
}

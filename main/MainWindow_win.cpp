#include "main/MainWindow_win.h"

#include <commctrl.h>

#include "foundation/Controls_win.h"
#include "main/Banner_win.h"
#include "main/CommandIds.h"
#include "main/Dispatch_win.h"
#include "main/ImageButtons_win.h"
#include "main/MainWindowLayout.h"
#include "main/MainWindows_win.h"
#include "main/MenuIcons_win.h"
#include "main/Menus_win.h"
#include "main/ProgramModel.h"
#include "main/SecondaryWindows_win.h"
#include "main/StatusBar_win.h"
#include "main/Views_win.h"
#include "main/export/ExportLists_win.h"
#include "main/processes/ProcessList_win.h"
#include "resources/ResourceIds.h"

namespace {

void CreateFonts() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    g_windows.uiFont = CreateFontIndirectA(&metrics.lfMessageFont);
    LOGFONTA bold = metrics.lfMessageFont;
    bold.lfWeight = FW_BOLD;
    bold.lfHeight = -13;
    g_windows.bannerFont = CreateFontIndirectA(&bold);
}

void LayoutMainWindow() {
    RECT client;
    GetClientRect(g_windows.window, &client);
    ViewsArea area = MainWindowViewsArea(client.right, client.bottom);
    LayoutViews(area.top, area.width, area.height);
    InvalidateRect(g_windows.window, nullptr, FALSE);
}

// Remembers where the user put the window; the size before maximising is the one kept.
void RememberPlacement(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    MainWindowPlacement& place = g_program.preferences.Window;
    place = PlacementAfterMove(place, {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top},
                               IsZoomed(window) != FALSE, IsIconic(window) != FALSE);
}

// Snaps a move near a work-area edge to the edge.
void SnapMove(HWND window, WINDOWPOS& position) {
    if (!(position.flags & SWP_NOMOVE) && !IsZoomed(window) && !IsIconic(window)) {
        RECT work{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        RECT frame{};
        GetWindowRect(window, &frame);
        WindowPlacement snapped =
            SnappedMove(position.x, position.y, position.cx, position.cy, !(position.flags & SWP_NOSIZE),
                        {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top},
                        {work.left, work.top, work.right, work.bottom});
        position.x = snapped.x;
        position.y = snapped.y;
    }
}

}  // namespace

bool CreateMainWindows(HINSTANCE instance) {
    g_windows.instance = instance;
    LoadBannerImages();
    CreateFonts();

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = MainWindowCallback;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_VANTREL));
    windowClass.hIconSm =
        static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_VANTREL), IMAGE_ICON, 16, 16, 0));
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kWindowClassName;
    if (!RegisterClassExA(&windowClass)) {
        return false;
    }
    const MainWindowPlacement& place = g_program.preferences.Window;
    g_windows.window =
        // Topmost from the start, as the default of PreferencesSticky says: made topmost only after its
        // owned windows exist, Wine leaves the flag with them instead of with this window.
        CreateWindowExA(WS_EX_TOPMOST, kWindowClassName, kMainWindowTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                        CW_USEDEFAULT, CW_USEDEFAULT, place.Width, place.Height, nullptr, nullptr, instance, nullptr);
    if (g_windows.window == nullptr) {
        return false;
    }
    CreateMenus();
    GreyUnjoinedExports(g_windows.menuBar);
    CreateImageButtons();
    CreateViews();
    // The secondary windows are made when first shown; the preferences window at the end of start-up.
    RegisterSecondaryWindowClass();
    g_windows.accelerators = CreateShortcuts();
    LayoutMainWindow();
    return true;
}

void ShowMainWindow() {
    MainWindowPlacement& place = g_program.preferences.Window;
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    WindowPlacement opening =
        OpeningPlacement({place.X, place.Y, place.Width, place.Height}, {work.left, work.top, work.right, work.bottom},
                         kMainWindowMinimumWidth, kMainWindowMinimumHeight);
    // The moves below report back through WM_MOVE and WM_SIZE; the placement read stays as it was
    // until the user moves the window.
    MainWindowPlacement saved = place;
    SetWindowPos(g_windows.window, g_program.preferences.PreferencesSticky ? HWND_TOPMOST : HWND_NOTOPMOST, opening.x,
                 opening.y, opening.width, opening.height, SWP_NOACTIVATE);
    place = PlacementAfterOpening(saved, opening);
    ShowWindow(g_windows.window, place.Maximized ? SW_SHOWMAXIMIZED : SW_SHOW);
    UpdateWindow(g_windows.window);
}

LRESULT CALLBACK MainWindowCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kMessageQuit:
        case WM_CLOSE:
            // The tray companion's quit and the close box run the same command as the menu's Close.
            DispatchCommand(CommandClose, 0, nullptr);
            return 0;
        case kMessageActivate:
            if (IsIconic(window)) {
                ShowWindow(window, SW_RESTORE);
            }
            SetForegroundWindow(window);
            return 0;
        case kMessageRebuildTree:
            // The click sorted the rows already: only the tree needs putting back together.
            RearrangeProcessTree();
            return 0;
        case WM_COMMAND:
            DispatchCommand(LOWORD(wParam), HIWORD(wParam), CommandControl(lParam));
            return 0;
        case WM_NOTIFY: {
            const NMHDR& header = MessageStructure<NMHDR>(lParam);
            if (header.idFrom == ControlProcessList && header.code == LVN_COLUMNCLICK) {
                PostMessageA(window, kMessageRebuildTree, 1, 1);
            }
            return DispatchNotification(header);
        }
        case WM_MEASUREITEM:
            return MeasureMenuIcon(MessageStructure<MEASUREITEMSTRUCT>(lParam)) ? TRUE : FALSE;
        case WM_DRAWITEM: {
            const DRAWITEMSTRUCT& item = MessageStructure<DRAWITEMSTRUCT>(lParam);
            if (!DrawMenuIcon(item)) {
                DrawImageButton(item);
            }
            return TRUE;
        }
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            PaintBanner(dc);
            EndPaint(window, &paint);
            DrawStatusBar();
            return 0;
        }
        case WM_GETMINMAXINFO: {
            MINMAXINFO& limits = MessageStructure<MINMAXINFO>(lParam);
            limits.ptMinTrackSize.x = kMainWindowMinimumWidth;
            limits.ptMinTrackSize.y = kMainWindowMinimumHeight;
            return 0;
        }
        case WM_WINDOWPOSCHANGING:
            SnapMove(window, MessageStructure<WINDOWPOS>(lParam));
            return 0;
        case WM_MOVE:
        case WM_SIZE:
            RememberPlacement(window);
            if (message == WM_SIZE && g_windows.views[0] != nullptr) {
                LayoutMainWindow();
            }
            return 0;
        case WM_CTLCOLORSTATIC:
            return WhiteControlBackground(wParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

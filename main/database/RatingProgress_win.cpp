#include "main/database/RatingProgress_win.h"

#include <commctrl.h>

#include "foundation/Controls_win.h"
#include "main/CommandIds.h"

namespace {

const char kClassName[] = "VantrelRatingProgress";
constexpr int kMarqueeStepMilliseconds = 30;

#ifndef PBS_MARQUEE
#define PBS_MARQUEE 0x08
#endif
#ifndef PBM_SETMARQUEE
#define PBM_SETMARQUEE (WM_USER + 10)
#endif

struct ProgressState {
    HWND window = nullptr;
    HWND caption = nullptr;
    HBRUSH background = nullptr;
    std::vector<HWND> disabled;
    bool cancelPressed = false;
};

ProgressState g_progress;

LRESULT CALLBACK ProgressProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == ControlRatingProgressCancel && HIWORD(wParam) == BN_CLICKED) {
                g_progress.cancelPressed = true;
            }
            return 0;
        case WM_CLOSE:  // closing the window is a cancel too; the main loop destroys it
            g_progress.cancelPressed = true;
            return 0;
        case WM_CTLCOLORSTATIC:  // the texts stand on the white panel
            return WhiteControlBackground(wParam);
        case WM_PAINT:
            PaintWhitePanel(window, kRatingProgressPanelMargin);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool OpenProgressWindow(const RatingProgressSetup& setup, const std::string& caption) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    if (g_progress.background == nullptr) {
        g_progress.background = CreateSolidBrush(kRatingProgressBackground);
    }
    WNDCLASSA windowClass = {};
    if (!GetClassInfoA(setup.instance, kClassName, &windowClass)) {
        windowClass.lpfnWndProc = ProgressProcedure;
        windowClass.hInstance = setup.instance;
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = g_progress.background;
        windowClass.lpszClassName = kClassName;
        RegisterClassA(&windowClass);
    }
    // Centred over the main window, or on the screen without one.
    RECT around = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (setup.owner != nullptr && IsWindowVisible(setup.owner) && !IsIconic(setup.owner)) {
        GetWindowRect(setup.owner, &around);
    }
    const WindowPlacement place = RatingProgressWindowPlace(around.left, around.top, around.right, around.bottom);
    HWND window = CreateWindowExA(WS_EX_DLGMODALFRAME, kClassName, setup.title.c_str(), WS_POPUP | WS_CAPTION, place.x,
                                  place.y, place.width, place.height, setup.owner, nullptr, setup.instance, nullptr);
    if (window == nullptr) {
        return false;
    }
    RECT client;
    GetClientRect(window, &client);
    const RatingProgressPlaces places = RatingProgressControlPlaces(client.right, client.bottom);
    auto add = [&](const char* kind, const std::string& text, DWORD style, const WindowPlacement& at, int id) {
        return AddControl(window, kind, text, style, at.x, at.y, at.width, at.height, id, setup.font);
    };
    if (setup.image != nullptr) {
        SetStaticBitmap(add("STATIC", "", SS_BITMAP, places.image, 0), setup.image);
    }
    add("STATIC", setup.searchingText, SS_LEFT | SS_NOPREFIX, places.searching, 0);
    g_progress.caption = add("STATIC", caption, SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, places.caption, 0);
    HWND bar = add(PROGRESS_CLASSA, "", PBS_MARQUEE, places.bar, 0);
    SendMessageA(bar, PBM_SETMARQUEE, TRUE, kMarqueeStepMilliseconds);
    add("BUTTON", setup.cancelText, BS_PUSHBUTTON | WS_TABSTOP, places.cancel, ControlRatingProgressCancel);

    g_progress.window = window;
    g_progress.cancelPressed = false;
    g_progress.disabled.clear();
    for (HWND other : setup.disabledWindows) {
        if (other != nullptr && IsWindowEnabled(other)) {
            EnableWindow(other, FALSE);
            g_progress.disabled.push_back(other);
        }
    }
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    return true;
}

bool IsInputMessage(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

// Takes every pending event: the progress window gets its own (so Cancel works), other windows get
// what keeps them drawn, and user input meant for them is dropped, as their windows are disabled.
void DrainEvents() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));  // the main loop must still see it
            return;
        }
        const bool ours = g_progress.window != nullptr &&
                          (message.hwnd == g_progress.window || IsChild(g_progress.window, message.hwnd));
        if (ours || !IsInputMessage(message.message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

}  // namespace

bool RatingProgressStep(const RatingProgressSetup& setup, const std::string& caption, bool openWindow) {
    if (g_progress.caption != nullptr) {
        SetWindowTextA(g_progress.caption, caption.c_str());
    }
    if (openWindow && g_progress.window == nullptr) {
        OpenProgressWindow(setup, caption);
    }
    DrainEvents();
    return g_progress.cancelPressed;
}

void CloseRatingProgress(RatingDatabase& database) {
    database.cancelled = false;
    if (g_progress.window == nullptr) {
        return;
    }
    for (HWND other : g_progress.disabled) {
        if (IsWindow(other)) {
            EnableWindow(other, TRUE);
        }
    }
    DestroyWindow(g_progress.window);
    g_progress.window = nullptr;
    g_progress.caption = nullptr;
    g_progress.disabled.clear();
    g_progress.cancelPressed = false;
}

HWND RatingProgressWindow() {
    return g_progress.window;
}

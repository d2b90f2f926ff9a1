#include "main/MainWindow_win.h"

#include <commctrl.h>

#include <string>

#include "foundation/Language.h"
#include "main/CommandIds.h"
#include "main/Dispatch_win.h"
#include "main/MainProgram.h"
#include "main/MenuIcons_win.h"
#include "main/Menus_win.h"
#include "main/SecondaryWindows_win.h"
#include "main/Startup_win.h"
#include "main/StatusBar_win.h"
#include "main/WindowSnapping.h"
#include "main/processes/MemoryPanel_win.h"
#include "main/processes/ProcessList_win.h"
#include "main/services/ServicesView_win.h"
#include "resources/PngBitmap_win.h"
#include "resources/ResourceIds.h"

MainProgram g_program;

namespace {

const char kViewClassName[] = "VantrelView";
constexpr int kMinimumWidth = 580;
constexpr int kMinimumHeight = 465;

struct ViewDescription {
    LanguageKey name;
    // Check boxes along the bottom of the view: text key and control identifier.
    LanguageKey checkBoxes[3];
    int checkBoxIds[3];
    int checkBoxCount;
};

// Check box identifiers of the views; they join the dispatch like every other control.
enum : int {
    ControlPpidView = 600,
    ControlHiddenWindows = 601,
    ControlNoSizeWindows = 602,
    ControlOutsideWindows = 603,
    ControlSystemAutoruns = 604,
};

const ViewDescription kViews[ViewCount] = {
    {LanguageKey::Processes, {LanguageKey::PreferencesPPIDView}, {ControlPpidView}, 1},
    {LanguageKey::Windows,
     {LanguageKey::DisplayHiddenWindows, LanguageKey::DisplayNoSizeWindows, LanguageKey::DisplayOutsideWindows},
     {ControlHiddenWindows, ControlNoSizeWindows, ControlOutsideWindows},
     3},
    {LanguageKey::Services, {}, {}, 0},
    {LanguageKey::Drivers, {}, {}, 0},
    {LanguageKey::Networks, {}, {}, 0},
    {LanguageKey::Monitor, {}, {}, 0},
    {LanguageKey::SMART, {}, {}, 0},
    {LanguageKey::Autoruns, {LanguageKey::DisplaySystemAutoruns}, {ControlSystemAutoruns}, 1},
};

const int kViewIconIds[ViewCount] = {IDR_PNG_VIEW_PROCESSES, IDR_PNG_VIEW_WINDOWS, IDR_PNG_VIEW_SERVICES,
                                     IDR_PNG_VIEW_DRIVERS,   IDR_PNG_VIEW_NETWORKS, IDR_PNG_VIEW_MONITOR,
                                     IDR_PNG_VIEW_SMART,     IDR_PNG_VIEW_AUTORUNS};

// The views' containers pass their controls' notifications on to the main window, which
// dispatches every identifier in one place.
LRESULT CALLBACK ViewCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
            return SendMessageA(g_program.window, message, wParam, lParam);
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
            return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateChild(const char* className, const char* text, DWORD style, int id, HWND parent) {
    HWND child = CreateWindowExA(0, className, text, WS_CHILD | style, 0, 0, 10, 10, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_program.instance, nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(g_program.uiFont), FALSE);
    return child;
}

void CreateViews() {
    WNDCLASSEXA viewClass{};
    viewClass.cbSize = sizeof(viewClass);
    viewClass.lpfnWndProc = ViewCallback;
    viewClass.hInstance = g_program.instance;
    viewClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    viewClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    viewClass.lpszClassName = kViewClassName;
    RegisterClassExA(&viewClass);

    for (int v = 0; v < ViewCount; ++v) {
        HWND view = CreateWindowExA(WS_EX_CONTROLPARENT, kViewClassName, "", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 10,
                                    10, g_program.window, nullptr, g_program.instance, nullptr);
        g_program.views[v] = view;
        for (int c = 0; c < kViews[v].checkBoxCount; ++c) {
            HWND box = CreateChild("BUTTON", LanguageText(kViews[v].checkBoxes[c]).c_str(),
                                   WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, kViews[v].checkBoxIds[c], view);
            (void)box;
        }
    }
    CreateServicesList(g_program.views[ViewServices]);
    CreateDriversList(g_program.views[ViewDrivers]);
    CreateProcessList(g_program.views[ViewProcesses], &g_program.preferences);
    CreateMemoryPanel(g_program.views[ViewProcesses], g_program.uiFont);
    CheckDlgButton(g_program.views[ViewProcesses], ControlPpidView,
                   g_program.preferences.PreferencesPPIDView ? BST_CHECKED : BST_UNCHECKED);
}

void LayoutView(int v, int width, int height) {
    // Check boxes sit in one row along the bottom of the view; the list above fills the rest.
    int x = 8;
    for (int c = 0; c < kViews[v].checkBoxCount; ++c) {
        HWND box = GetDlgItem(g_program.views[v], kViews[v].checkBoxIds[c]);
        HDC dc = GetDC(box);
        HGDIOBJ old = SelectObject(dc, g_program.uiFont);
        SIZE text{};
        std::string caption = LanguageText(kViews[v].checkBoxes[c]);
        GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
        SelectObject(dc, old);
        ReleaseDC(box, dc);
        int boxWidth = text.cx + 24;
        MoveWindow(box, x, height - 22, boxWidth, 18, TRUE);
        x += boxWidth + 12;
    }
    if (v == ViewProcesses) {
        LayoutProcessList(width, height);
        LayoutMemoryPanel(width, height);
    }
    LayoutServiceLists(v, width, height);
}

void LayoutMainWindow() {
    RECT client;
    GetClientRect(g_program.window, &client);
    int top = kButtonRowHeight + kBannerHeight;
    int viewHeight = client.bottom - top - kStatusHeight;
    for (int v = 0; v < ViewCount; ++v) {
        MoveWindow(g_program.views[v], 0, top, client.right, viewHeight > 0 ? viewHeight : 0, TRUE);
        LayoutView(v, client.right, viewHeight);
    }
    InvalidateRect(g_program.window, nullptr, FALSE);
}

// The banner of a view: the band stretched over the screen width, the view's icon and its name.
void ComposeBanner(int view) {
    if (g_program.banner != nullptr) {
        DeleteObject(g_program.banner);
    }
    HDC screen = GetDC(nullptr);
    HDC target = CreateCompatibleDC(screen);
    g_program.banner = CreateCompatibleBitmap(screen, g_program.screenWidth, kBannerHeight);
    HGDIOBJ oldTarget = SelectObject(target, g_program.banner);
    HDC source = CreateCompatibleDC(screen);
    if (g_program.bannerBackground != nullptr) {
        HGDIOBJ old = SelectObject(source, g_program.bannerBackground);
        SetStretchBltMode(target, HALFTONE);
        StretchBlt(target, 0, 0, g_program.screenWidth, kBannerHeight, source, 0, 0,
                   g_program.bannerBackgroundSize.cx, g_program.bannerBackgroundSize.cy, SRCCOPY);
        SelectObject(source, old);
    }
    if (g_program.viewIcons[view] != nullptr) {
        HGDIOBJ old = SelectObject(source, g_program.viewIcons[view]);
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(target, 6, 1, 22, 22, source, 0, 0, 22, 22, blend);
        SelectObject(source, old);
    }
    SetBkMode(target, TRANSPARENT);
    SetTextColor(target, RGB(255, 255, 255));
    HGDIOBJ oldFont = SelectObject(target, g_program.bannerFont);
    RECT text{34, 0, g_program.screenWidth, kBannerHeight};
    DrawTextA(target, LanguageText(kViews[view].name).c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(target, oldFont);
    DeleteDC(source);
    SelectObject(target, oldTarget);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);
}

void PaintBanner(HDC dc) {
    if (g_program.banner == nullptr) {
        return;
    }
    RECT client;
    GetClientRect(g_program.window, &client);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, g_program.banner);
    BitBlt(dc, 0, kButtonRowHeight, client.right, kBannerHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

int ButtonIndex(int command) {
    for (size_t i = 0; i < kButtonCommands.size(); ++i) {
        if (kButtonCommands[i] == command) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

LanguageKey ButtonTooltip(int command, int view) {
    switch (command) {
        case CommandTaskManager:
            return LanguageKey::RunTaskManagerBrackets;
        case CommandRun:
            return view == ViewAutoruns ? LanguageKey::AddAutorunBrackets : LanguageKey::RunProcessBrackets;
        case CommandPreferences:
            return LanguageKey::Preferences;
        case CommandDiagram:
            return LanguageKey::ShowDiagramBrackets;
        case CommandSearch:
            return LanguageKey::SearchBrackets;
        case CommandEnd:
            return view == ViewWindows    ? LanguageKey::CloseWindowBrackets
                   : view == ViewAutoruns ? LanguageKey::RemoveAutorunBrackets
                                          : LanguageKey::EndProcessBrackets;
        case CommandWebSearch:
            return view == ViewServices   ? LanguageKey::SearchServiceBrackets
                   : view == ViewDrivers  ? LanguageKey::SearchDriverBrackets
                   : view == ViewAutoruns ? LanguageKey::SearchAutorunBrackets
                                          : LanguageKey::SearchProcessBrackets;
        case CommandProcessInformation:
            return LanguageKey::ShowProcessInformationBrackets;
        default:
            return LanguageKey::Refresh;
    }
}

void SetButtonTooltip(size_t index, int view) {
    std::string text = LanguageText(ButtonTooltip(kButtonCommands[index], view));
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = g_program.window;
    tool.uId = reinterpret_cast<UINT_PTR>(g_program.buttons[index]);
    tool.lpszText = &text[0];
    SendMessageA(g_program.tooltips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void CreateButtons() {
    g_program.tooltips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0,
                                         0, g_program.window, nullptr, g_program.instance, nullptr);
    for (size_t i = 0; i < kButtonCommands.size(); ++i) {
        int command = kButtonCommands[i];
        HWND button = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW,
                                      6 + static_cast<int>(i) * (kButtonSize + 4), 3, kButtonSize, kButtonSize,
                                      g_program.window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(command)),
                                      g_program.instance, nullptr);
        g_program.buttons[i] = button;
        g_program.buttonEnabled[i] = true;
        g_program.buttonIcons[i] = LoadPngBitmap(g_program.instance, IDR_PNG_BUTTON_BASE + command, nullptr);
        std::string text = LanguageText(ButtonTooltip(command, ViewProcesses));
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V1_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = g_program.window;
        tool.uId = reinterpret_cast<UINT_PTR>(button);
        tool.lpszText = &text[0];
        SendMessageA(g_program.tooltips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// An image button: the icon on the button face, a raised frame when enabled (sunken while
// pressed, highlighted under the mouse), and a faded icon without a frame when disabled.
void DrawImageButton(const DRAWITEMSTRUCT& item) {
    int index = ButtonIndex(static_cast<int>(item.CtlID));
    if (index < 0) {
        return;
    }
    HDC dc = item.hDC;
    RECT box = item.rcItem;
    bool enabled = g_program.buttonEnabled[index];
    bool pressed = (item.itemState & ODS_SELECTED) != 0;
    bool hot = g_program.hotButton == index;
    FillRect(dc, &box, GetSysColorBrush(hot && enabled ? COLOR_BTNHIGHLIGHT : COLOR_BTNFACE));
    if (enabled) {
        DrawEdge(dc, &box, pressed ? EDGE_SUNKEN : (hot ? EDGE_RAISED : BDR_RAISEDINNER), BF_RECT);
    }
    if (g_program.buttonIcons[index] != nullptr) {
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, g_program.buttonIcons[index]);
        BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(enabled ? 255 : 80), AC_SRC_ALPHA};
        int offset = pressed ? 4 : 3;
        AlphaBlend(dc, box.left + offset, box.top + offset, 22, 22, source, 0, 0, 22, 22, blend);
        SelectObject(source, old);
        DeleteDC(source);
    }
}

void SetButtonEnabled(int command, bool enabled) {
    int index = ButtonIndex(command);
    if (index >= 0 && g_program.buttonEnabled[index] != enabled) {
        g_program.buttonEnabled[index] = enabled;
        InvalidateRect(g_program.buttons[index], nullptr, FALSE);
    }
}

void LoadImages() {
    g_program.bannerBackground = LoadPngBitmap(g_program.instance, IDR_PNG_BANNER, &g_program.bannerBackgroundSize);
    for (int v = 0; v < ViewCount; ++v) {
        g_program.viewIcons[v] = LoadPngBitmap(g_program.instance, kViewIconIds[v], nullptr);
    }
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    g_program.uiFont = CreateFontIndirectA(&metrics.lfMessageFont);
    LOGFONTA bold = metrics.lfMessageFont;
    bold.lfWeight = FW_BOLD;
    bold.lfHeight = -13;
    g_program.bannerFont = CreateFontIndirectA(&bold);
}

// A view's selection, as far as its list can tell; without a list nothing is selected.
bool ViewHasSelection(int view) {
    HWND list = FindWindowExA(g_program.views[view], nullptr, WC_LISTVIEWA, nullptr);
    return list != nullptr && SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0) > 0;
}

}  // namespace

bool CreateMainWindows(HINSTANCE instance) {
    g_program.instance = instance;
    LoadImages();

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = MainWindowCallback;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_VANTREL));
    windowClass.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_VANTREL), IMAGE_ICON, 16, 16, 0));
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kWindowClassName;
    if (!RegisterClassExA(&windowClass)) {
        return false;
    }
    const MainWindowPlacement& place = g_program.preferences.Window;
    g_program.window = CreateWindowExA(0, kWindowClassName, kMainWindowTitle,
                                       WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                                       place.Width, place.Height, nullptr, nullptr, instance, nullptr);
    if (g_program.window == nullptr) {
        return false;
    }
    CreateMenus();
    CreateButtons();
    CreateViews();
    CreateSecondaryWindows();
    g_program.accelerators = CreateShortcuts();
    LayoutMainWindow();
    return true;
}

void ShowMainWindow() {
    MainWindowPlacement& place = g_program.preferences.Window;
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    WindowPlacement opening = OpeningPlacement({place.X, place.Y, place.Width, place.Height},
                                               {work.left, work.top, work.right, work.bottom}, kMinimumWidth,
                                               kMinimumHeight);
    // The moves below report back through WM_MOVE and WM_SIZE; the placement read stays as it was
    // until the user moves the window.
    MainWindowPlacement saved = place;
    SetWindowPos(g_program.window, g_program.preferences.PreferencesSticky ? HWND_TOPMOST : HWND_NOTOPMOST,
                 opening.x, opening.y, opening.width, opening.height, SWP_NOACTIVATE);
    place = saved;
    if (place.X != opening.x || place.Y != opening.y || place.Width != opening.width ||
        place.Height != opening.height) {
        // A placement that had to be mended is saved mended (centred stays centred).
        bool centred = place.X == -1 || place.Y == -1;
        place.X = centred ? -1 : opening.x;
        place.Y = centred ? -1 : opening.y;
        place.Width = opening.width;
        place.Height = opening.height;
    }
    place.Maximized = place.Maximized ? 1 : 0;
    ShowWindow(g_program.window, place.Maximized ? SW_SHOWMAXIMIZED : SW_SHOW);
    UpdateWindow(g_program.window);
}

void SwitchView(int view, bool refreshNow) {
    if (view < 0 || view >= ViewCount) {
        return;
    }
    for (int v = 0; v < ViewCount; ++v) {
        ShowWindow(g_program.views[v], v == view ? SW_SHOW : SW_HIDE);
    }
    if (refreshNow) {
        RefreshView(view);
    }
    for (size_t i = 0; i < kButtonCommands.size(); ++i) {
        int command = kButtonCommands[i];
        if (command == CommandRun || command == CommandEnd || command == CommandWebSearch) {
            SetButtonTooltip(i, view);
        }
    }
    g_program.currentView = view;
    ComposeBanner(view);
    RECT banner{0, kButtonRowHeight, 1 << 15, kButtonRowHeight + kBannerHeight};
    InvalidateRect(g_program.window, &banner, FALSE);
    for (int v = 0; v < ViewCount; ++v) {
        CheckMenuItem(g_program.viewMenu, CommandViewFirst + v, MF_BYCOMMAND | (v == view ? MF_CHECKED : MF_UNCHECKED));
    }
    UpdateButtons();
}

void UpdateButtons() {
    int view = g_program.currentView;
    bool selected = view >= 0 && ViewHasSelection(view);
    bool information = view == ViewProcesses && selected;
    bool search = selected && (view == ViewProcesses || view == ViewServices || view == ViewDrivers ||
                               view == ViewAutoruns);
    bool end = selected && (view == ViewProcesses || view == ViewWindows || view == ViewAutoruns);
    SetButtonEnabled(CommandProcessInformation, information);
    SetButtonEnabled(CommandWebSearch, search);
    SetButtonEnabled(CommandEnd, end);
}

void UpdateHotButton() {
    POINT cursor;
    GetCursorPos(&cursor);
    HWND under = WindowFromPoint(cursor);
    int hot = -1;
    for (size_t i = 0; i < g_program.buttons.size(); ++i) {
        if (g_program.buttons[i] == under) {
            hot = static_cast<int>(i);
        }
    }
    if (hot != g_program.hotButton) {
        int previous = g_program.hotButton;
        g_program.hotButton = hot;
        if (previous >= 0) {
            InvalidateRect(g_program.buttons[previous], nullptr, FALSE);
        }
        if (hot >= 0) {
            InvalidateRect(g_program.buttons[hot], nullptr, FALSE);
        }
    }
}

LRESULT CALLBACK MainWindowCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case MessageQuit:
            ExitProgram();
            return 0;
        case MessageActivate:
            if (IsIconic(window)) {
                ShowWindow(window, SW_RESTORE);
            }
            SetForegroundWindow(window);
            return 0;
        case MessageRebuildTree:
            if (g_program.preferences.PreferencesPPIDView) {
                RefreshView(ViewProcesses);
            }
            return 0;
        case WM_COMMAND:
            DispatchCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_NOTIFY: {
            const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom == ControlProcessList && header->code == LVN_COLUMNCLICK) {
                PostMessageA(window, MessageRebuildTree, 1, 1);
            }
            return DispatchNotification(*header);
        }
        case WM_MEASUREITEM:
            return MeasureMenuIcon(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
        case WM_DRAWITEM: {
            const DRAWITEMSTRUCT& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
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
            MINMAXINFO* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize.x = kMinimumWidth;
            limits->ptMinTrackSize.y = kMinimumHeight;
            return 0;
        }
        case WM_WINDOWPOSCHANGING: {
            WINDOWPOS* position = reinterpret_cast<WINDOWPOS*>(lParam);
            if (!(position->flags & SWP_NOMOVE) && !IsZoomed(window) && !IsIconic(window)) {
                RECT work{};
                SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
                WindowPlacement snapped = SnapToWorkArea({position->x, position->y, position->cx, position->cy},
                                                         {work.left, work.top, work.right, work.bottom});
                position->x = snapped.x;
                position->y = snapped.y;
            }
            return 0;
        }
        case WM_MOVE:
        case WM_SIZE: {
            MainWindowPlacement& place = g_program.preferences.Window;
            if (!IsZoomed(window) && !IsIconic(window)) {
                RECT frame;
                GetWindowRect(window, &frame);
                place.X = frame.left;
                place.Y = frame.top;
                place.Width = frame.right - frame.left;
                place.Height = frame.bottom - frame.top;
            }
            place.Maximized = IsZoomed(window) ? 1 : 0;
            if (message == WM_SIZE && g_program.views[0] != nullptr) {
                LayoutMainWindow();
            }
            return 0;
        }
        case WM_CTLCOLORSTATIC:
            return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        case WM_CLOSE:
            ExitProgram();
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

#include "main/SecondaryWindows_win.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "foundation/Controls_win.h"
#include "foundation/Language.h"
#include "main/MainWindows_win.h"
#include "main/PreferencesWindow_win.h"
#include "main/SecondaryWindows.h"
#include "main/autoruns/NewAutorunWindow_win.h"
#include "main/export/SearchWindow_win.h"
#include "main/processes/DiagramWindow_win.h"
#include "main/processes/InformationWindow_win.h"
#include "main/processes/RunWindow_win.h"
#include "resources/ResourceIds.h"

namespace {

const char kSecondaryClassName[] = "VantrelSecondary";

HWND WindowHandle(int window) {
    return window == 0 ? g_windows.window : g_windows.secondary[window];
}

void SetModalPeersEnabled(bool enabled) {
    for (int window : kDisabledWhileModal) {
        if (WindowHandle(window) != nullptr) {
            EnableWindow(WindowHandle(window), enabled ? TRUE : FALSE);
        }
    }
}

int WindowNumber(HWND handle) {
    for (int w = 1; w < WindowCount; ++w) {
        if (g_windows.secondary[w] == handle) {
            return w;
        }
    }
    return 0;
}

void ShowAboutPanel(HWND about, bool license) {
    for (int id = ControlAboutPanelFirst; id < ControlAboutPanelFirst + 8; ++id) {
        if (HWND label = GetDlgItem(about, id)) {
            ShowWindow(label, license ? SW_HIDE : SW_SHOW);
        }
    }
    ShowWindow(GetDlgItem(about, ControlAboutLicenseText), license ? SW_SHOW : SW_HIDE);
    ShowWindow(GetDlgItem(about, ControlAboutLicense), license ? SW_HIDE : SW_SHOW);
    ShowWindow(GetDlgItem(about, ControlAboutInformation), license ? SW_SHOW : SW_HIDE);
}

void FillAboutWindow(HWND about) {
    RECT client;
    GetClientRect(about, &client);
    const AboutLayout layout = AboutWindowLayout(client.right, client.bottom);
    auto add = [about](const char* kind, const std::string& text, DWORD style, const WindowPlacement& at, int id) {
        return AddControl(about, kind, text, style, at.x, at.y, at.width, at.height, id, g_windows.uiFont);
    };
    SetStaticIcon(add("STATIC", "", SS_ICON, layout.icon, ControlAboutPanelFirst),
                  LoadIconA(g_windows.instance, MAKEINTRESOURCEA(IDI_VANTREL)));
    for (const AboutLabel& label : layout.labels) {
        add("STATIC", label.text, SS_LEFT, label.place, label.id);
    }
    ShowWindow(add("EDIT", kLicenseText, WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, layout.licenseText,
                   ControlAboutLicenseText),
               SW_HIDE);
    add("BUTTON", LanguageText(LanguageKey::License), BS_PUSHBUTTON | WS_TABSTOP, layout.license, ControlAboutLicense);
    ShowWindow(add("BUTTON", LanguageText(LanguageKey::Information), BS_PUSHBUTTON | WS_TABSTOP, layout.information,
                   ControlAboutInformation),
               SW_HIDE);
    add("BUTTON", LanguageText(LanguageKey::Close), BS_DEFPUSHBUTTON | WS_TABSTOP, layout.close, ControlAboutClose);
}

void HideSecondaryWindow(HWND handle) {
    const bool modal = IsModalWindow(WindowNumber(handle));
    if (modal) {
        SetModalPeersEnabled(true);
    }
    ShowWindow(handle, SW_HIDE);
    if (modal) {
        SetForegroundWindow(g_windows.window);
    }
}

LRESULT CALLBACK SecondaryWindowCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (WindowNumber(window) == WindowNewAutorun && PaintNewAutorunBackground(window, message, wParam, result)) {
        return result;
    }
    if (WindowNumber(window) == WindowPreferences &&
        HandlePreferencesWindowMessage(window, message, wParam, lParam, result)) {
        return result;
    }
    switch (message) {
        case WM_CLOSE:
            HideSecondaryWindow(window);
            return 0;
        case WM_COMMAND:
            if (WindowNumber(window) == WindowSearch &&
                HandleSearchWindowCommand(window, LOWORD(wParam), HIWORD(wParam))) {
                return 0;
            }
            if (WindowNumber(window) == WindowExecute &&
                HandleRunWindowCommand(window, LOWORD(wParam), HIWORD(wParam))) {
                return 0;
            }
            if (WindowNumber(window) == WindowNewAutorun &&
                HandleNewAutorunCommand(window, LOWORD(wParam), HIWORD(wParam))) {
                return 0;
            }
            if (WindowNumber(window) == WindowDiagram &&
                HandleDiagramWindowCommand(window, LOWORD(wParam), HIWORD(wParam))) {
                return 0;
            }
            if (WindowNumber(window) == WindowAbout) {
                switch (LOWORD(wParam)) {
                    case ControlAboutClose:
                        HideSecondaryWindow(window);
                        return 0;
                    case ControlAboutLicense:
                        ShowAboutPanel(window, true);
                        return 0;
                    case ControlAboutInformation:
                        ShowAboutPanel(window, false);
                        return 0;
                }
            }
            break;
        case WM_NOTIFY:
            if (WindowNumber(window) == WindowProcessInformation &&
                HandleInformationWindowNotification(MessageStructure<NMHDR>(lParam))) {
                return 0;
            }
            if (WindowNumber(window) == WindowSearch) {
                LRESULT result = 0;
                if (HandleSearchWindowNotification(MessageStructure<NMHDR>(lParam), result)) {
                    return result;
                }
            }
            break;
        case WM_SIZE:
            if (WindowNumber(window) == WindowSearch) {
                LayoutSearchWindow();
            }
            break;
        case WM_ERASEBKGND:
            if (WindowNumber(window) == WindowSearch) {
                PaintSearchWindowBackground(reinterpret_cast<HDC>(wParam));
                return 1;
            }
            break;
        case WM_CTLCOLORSTATIC:
            if (WindowNumber(window) == WindowSearch) {
                return SearchWindowControlColour(CommandControl(lParam), reinterpret_cast<HDC>(wParam));
            }
            // The label over the module list stands out on the panels' light blue.
            if (GetDlgCtrlID(CommandControl(lParam)) == ControlInformationModulesLabel) {
                SetBkColor(reinterpret_cast<HDC>(wParam), kLightBlueBackground);
                return reinterpret_cast<LRESULT>(g_windows.lightBlueBrush.get());
            }
            return WhiteControlBackground(wParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A window that a shown modal window would have disabled starts disabled too.
bool DisabledByShownModalWindow(int window) {
    if (std::find(std::begin(kDisabledWhileModal), std::end(kDisabledWhileModal), window) ==
        std::end(kDisabledWhileModal))
        return false;
    for (int w = 1; w < WindowCount; ++w) {
        if (IsModalWindow(w) && g_windows.secondary[w] != nullptr && IsWindowVisible(g_windows.secondary[w]))
            return true;
    }
    return false;
}

void FillSecondaryWindow(int window, HWND handle) {
    switch (window) {
        case WindowAbout:
            FillAboutWindow(handle);
            break;
        case WindowExecute:
            FillRunWindow(handle, g_windows.uiFont);
            break;
        case WindowSearch:
            FillSearchWindow(handle, g_windows.uiFont);
            break;
        case WindowNewAutorun:
            FillNewAutorunWindow(handle, g_windows.uiFont);
            break;
        case WindowPreferences:
            FillPreferencesWindow(handle);
            break;
        case WindowDiagram:
            FillDiagramWindow(handle, g_windows.uiFont);
            break;
        case WindowProcessInformation:
            FillInformationWindow(handle, g_windows.uiFont);
            break;
    }
}

}  // namespace

void RegisterSecondaryWindowClass() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = SecondaryWindowCallback;
    windowClass.hInstance = g_windows.instance;
    windowClass.hIcon = LoadIconA(g_windows.instance, MAKEINTRESOURCEA(IDI_VANTREL));
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kSecondaryClassName;
    RegisterClassExA(&windowClass);
}

// Nothing finds these windows by name or sends them anything before they are first shown, so each
// is made then, and start-up does not wait for any of them.
HWND SecondaryWindowHandle(int window) {
    if (window <= 0 || window >= WindowCount)
        return nullptr;
    if (g_windows.secondary[window] != nullptr)
        return g_windows.secondary[window];
    for (const SecondaryWindowDescription& description : kSecondaryWindows) {
        if (description.window != window)
            continue;
        std::string title = SecondaryWindowTitle(description);
        DWORD style = WS_CAPTION | WS_SYSMENU | (description.sizable ? WS_THICKFRAME | WS_MINIMIZEBOX : 0);
        HWND handle = CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kSecondaryClassName, title.c_str(),
                                      style, CW_USEDEFAULT, CW_USEDEFAULT, description.width, description.height,
                                      g_windows.window, nullptr, g_windows.instance, nullptr);
        g_windows.secondary[window] = handle;
        if (handle != nullptr) {
            FillSecondaryWindow(window, handle);
            if (DisabledByShownModalWindow(window))
                EnableWindow(handle, FALSE);
        }
    }
    return g_windows.secondary[window];
}

void ShowModalWindow(int window) {
    HWND handle = SecondaryWindowHandle(window);
    if (handle == nullptr) {
        return;
    }
    // Placed over the middle of the main window.
    RECT main;
    RECT own;
    GetWindowRect(g_windows.window, &main);
    GetWindowRect(handle, &own);
    const WindowPlacement place =
        CentredPlacement({main.left, main.top, main.right, main.bottom}, own.right - own.left, own.bottom - own.top);
    SetWindowPos(handle, HWND_TOP, place.x, place.y, 0, 0, SWP_NOSIZE);
    SetModalPeersEnabled(false);
    ShowWindow(handle, SW_SHOW);
    SetForegroundWindow(handle);
}

void ShowAboutWindow() {
    ShowAboutPanel(SecondaryWindowHandle(WindowAbout), false);
    ShowModalWindow(WindowAbout);
}

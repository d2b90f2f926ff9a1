#include "main/PreferencesWindow_win.h"

#include <commctrl.h>

#include <string>

#include "foundation/Controls_win.h"
#include "foundation/Language.h"
#include "foundation/LanguageChooser_win.h"
#include "foundation/ScopedHandles_win.h"
#include "main/CommandIds.h"
#include "main/MainWindows_win.h"
#include "main/PreferencesWindow.h"
#include "main/Preferences_win.h"
#include "main/ProgramModel.h"
#include "main/processes/ProcessList_win.h"

namespace {

const char kPageClassName[] = "VantrelPreferencesPage";
int g_page = 1;

LRESULT LightBlueBackground(WPARAM dc) {
    SetBkColor(reinterpret_cast<HDC>(dc), kLightBlueBackground);
    return reinterpret_cast<LRESULT>(g_windows.lightBlueBrush.get());
}

// The pages pass their controls' messages to the window, which handles them in one place.
LRESULT CALLBACK PageCallback(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return SendMessageA(GetParent(page), message, wParam, lParam);
    }
    return DefWindowProcA(page, message, wParam, lParam);
}

HWND CreatePage(HWND window, const WindowPlacement& at, int id) {
    WNDCLASSEXA pageClass{};
    pageClass.cbSize = sizeof(pageClass);
    pageClass.lpfnWndProc = PageCallback;
    pageClass.hInstance = g_windows.instance;
    pageClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    pageClass.hbrBackground = g_windows.lightBlueBrush.get();
    pageClass.lpszClassName = kPageClassName;
    RegisterClassExA(&pageClass);  // fails harmlessly when already registered
    return CreateWindowExA(WS_EX_CONTROLPARENT, kPageClassName, "", WS_CHILD | WS_CLIPSIBLINGS, at.x, at.y, at.width,
                           at.height, window, ChildIdentifier(id), g_windows.instance, nullptr);
}

void AddTooltip(HWND tooltips, HWND control, const std::string& text) {
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(tooltips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

HWND AddPreferencesControl(HWND parent, const PreferencesControl& control) {
    using Kind = PreferencesControlKind;
    const WindowPlacement& at = control.place;
    auto add = [&](const char* kind, DWORD style) {
        return AddControl(parent, kind, control.caption, style, at.x, at.y, at.width, at.height, control.id,
                          g_windows.uiFont);
    };
    switch (control.kind) {
        case Kind::CheckBox:
            return add("BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP);
        case Kind::Frame:
            return add("BUTTON", BS_GROUPBOX);
        case Kind::Label:
            return add("STATIC", SS_LEFT);
        case Kind::Text:
            return add("STATIC", SS_LEFT);
        case Kind::Button:
            return add("BUTTON", BS_PUSHBUTTON | WS_TABSTOP);
        case Kind::Chooser:
            return add("COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP);
        case Kind::TextField:
            return add("EDIT", ES_AUTOHSCROLL | WS_TABSTOP);
        case Kind::NumberField: {
            HWND field = add("EDIT", ES_NUMBER | WS_TABSTOP);
            SendMessageA(field, EM_LIMITTEXT, kIntervalDigits, 0);
            return field;
        }
        case Kind::SpinField: {
            HWND field = add("EDIT", ES_NUMBER | WS_TABSTOP);
            SendMessageA(field, EM_LIMITTEXT, kIntervalDigits, 0);
            HWND spin = CreateWindowExA(
                0, UPDOWN_CLASSA, "",
                WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0, 0, 0,
                parent, ChildIdentifier(ControlPreferencesExitCodeSpin), g_windows.instance, nullptr);
            SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(field), 0);
            SendMessageA(spin, UDM_SETRANGE32, 0, kExitCodeHighest);
            return field;
        }
    }
    return nullptr;
}

// The page button: two halves, the active one raised in the window's blue.
void DrawPageButton(const DRAWITEMSTRUCT& item) {
    const RECT& all = item.rcItem;
    // The halves meet where a click turns from one page to the other.
    RECT placed{};
    GetWindowRect(item.hwndItem, &placed);
    MapWindowPoints(nullptr, GetParent(item.hwndItem), reinterpret_cast<POINT*>(&placed), 2);
    const int middle = all.left + kPreferencesPageSplit - placed.left;
    const std::string texts[2] = {LanguageText(LanguageKey::Preferences),
                                  LanguageText(LanguageKey::PreferencesShowColumns)};
    ScopedSelection font(item.hDC, g_windows.uiFont);
    SetBkMode(item.hDC, TRANSPARENT);
    for (int half = 0; half < 2; ++half) {
        RECT part = {half == 0 ? all.left : middle, all.top, half == 0 ? middle : all.right, all.bottom};
        const bool active = g_page == half + 1;
        ScopedGdiObject<HBRUSH> fill(CreateSolidBrush(active ? RGB(255, 255, 255) : RGB(0xC8, 0xD4, 0xE4)));
        FillRect(item.hDC, &part, fill.get());
        DrawEdge(item.hDC, &part, active ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        SetTextColor(item.hDC, active ? RGB(0, 0, 0) : RGB(0x40, 0x40, 0x40));
        DrawTextA(item.hDC, texts[half].c_str(), -1, &part, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
}

void ShowSearchEngineMenu(HWND window) {
    HMENU menu = CreatePopupMenu();
    const auto& engines = SearchEngines();
    for (size_t i = 0; i < engines.size(); ++i)
        AppendMenuCommand(menu, ControlPreferencesSearchEngineFirst + static_cast<int>(i), engines[i].name);
    RECT button{};
    GetWindowRect(PreferencesWindowControl(ControlPreferencesSearchDefault), &button);
    // The choice comes back as a command to this window.
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, button.left, button.bottom, 0, window, nullptr);
    DestroyMenu(menu);
}

void ToggleInterlock(int id) {
    bool autorun = SendMessageA(PreferencesWindowControl(ControlPreferencesAutorun), BM_GETCHECK, 0, 0) == BST_CHECKED;
    bool remain = SendMessageA(PreferencesWindowControl(ControlPreferencesRemain), BM_GETCHECK, 0, 0) == BST_CHECKED;
    ApplyStartupInterlock(id, autorun, remain);
    SendMessageA(PreferencesWindowControl(ControlPreferencesAutorun), BM_SETCHECK,
                 autorun ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageA(PreferencesWindowControl(ControlPreferencesRemain), BM_SETCHECK, remain ? BST_CHECKED : BST_UNCHECKED,
                 0);
}

bool HandleCommand(HWND window, int id, int code, HWND control) {
    if (id >= ControlPreferencesSearchEngineFirst &&
        id < ControlPreferencesSearchEngineFirst + static_cast<int>(SearchEngines().size())) {
        SetWindowTextA(PreferencesWindowControl(ControlPreferencesSearchString),
                       SearchEngines()[id - ControlPreferencesSearchEngineFirst].address.c_str());
        return true;
    }
    if (code != BN_CLICKED)
        return false;
    switch (id) {
        case ControlPreferencesPageSwitch: {
            if (control == nullptr) {  // not a click: the command turns to the other page
                ShowPreferencesPage(3 - g_page);
                return true;
            }
            // Which half was clicked: where the click was, in the window.
            DWORD at = GetMessagePos();
            POINT point = {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
            ScreenToClient(window, &point);
            ShowPreferencesPage(PreferencesPageAt(point.x));
            return true;
        }
        case ControlPreferencesAutorun:
        case ControlPreferencesRemain:
            ToggleInterlock(id);
            return true;
        case ControlPreferencesExitCodeDefault:
            SetWindowTextA(PreferencesWindowControl(ControlPreferencesExitCode),
                           std::to_string(kExitCodeDefault).c_str());
            return true;
        case ControlPreferencesSearchDefault:
            ShowSearchEngineMenu(window);
            return true;
        case IDOK:
        case ControlPreferencesOk:
            SavePreferences(false);
            ApplyProcessListColumns();
            SendMessageA(window, WM_CLOSE, 0, 0);
            return true;
        case IDCANCEL:
        case ControlPreferencesCancel:
            SendMessageA(window, WM_CLOSE, 0, 0);
            return true;
    }
    return false;
}

}  // namespace

void FillPreferencesWindow(HWND window) {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    RECT client;
    GetClientRect(window, &client);
    const std::vector<PreferencesControl> controls = PreferencesControls(client.right, client.bottom);
    HWND pages[3] = {window, nullptr, nullptr};
    HWND tooltips =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, g_windows.instance, nullptr);
    SendMessageA(tooltips, TTM_SETMAXTIPWIDTH, 0, 320);
    for (const PreferencesControl& control : controls) {
        if (control.id == ControlPreferencesPage1 || control.id == ControlPreferencesPage2) {
            pages[control.id == ControlPreferencesPage1 ? 1 : 2] = CreatePage(window, control.place, control.id);
            continue;
        }
        HWND created = control.id == ControlPreferencesPageSwitch
                           ? AddControl(window, "BUTTON", "", BS_OWNERDRAW, control.place.x, control.place.y,
                                        control.place.width, control.place.height, control.id, g_windows.uiFont)
                           : AddPreferencesControl(pages[control.page], control);
        if (control.hasHelp)
            AddTooltip(tooltips, created, LanguageText(control.help));
    }
    ListLanguages(PreferencesWindowControl(ControlPreferencesLanguage), g_program.preferences.PreferencesLanguageFile);
    // Only Windows before XP lets Explorer be brought back this way.
    EnableWindow(PreferencesWindowControl(ControlPreferencesReactivateExplorer), IsWindowsXpOrLater() ? FALSE : TRUE);
    ShowPreferencesPage(1);
}

void ShowPreferencesPage(int page) {
    g_page = page == 2 ? 2 : 1;
    HWND window = g_windows.secondary[WindowPreferences];
    ShowWindow(GetDlgItem(window, ControlPreferencesPage1), g_page == 1 ? SW_SHOW : SW_HIDE);
    ShowWindow(GetDlgItem(window, ControlPreferencesPage2), g_page == 2 ? SW_SHOW : SW_HIDE);
    InvalidateRect(GetDlgItem(window, ControlPreferencesPageSwitch), nullptr, TRUE);
}

bool HandlePreferencesWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
            result = 0;
            return HandleCommand(window, LOWORD(wParam), HIWORD(wParam), CommandControl(lParam));
        case WM_DRAWITEM:
            if (wParam != ControlPreferencesPageSwitch)
                return false;
            DrawPageButton(MessageStructure<DRAWITEMSTRUCT>(lParam));
            result = TRUE;
            return true;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            result = LightBlueBackground(wParam);
            return true;
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(window, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, g_windows.lightBlueBrush.get());
            result = TRUE;
            return true;
        }
        case WM_CLOSE:
            // Whatever was edited and not applied goes; the window shows the values in use again.
            ShowPreferencesValues(g_program.preferences);
            return false;
    }
    return false;
}

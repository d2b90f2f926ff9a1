#include "main/ImageButtons_win.h"

#include <commctrl.h>

#include <string>

#include "foundation/Controls_win.h"
#include "foundation/Language.h"
#include "foundation/ScopedHandles_win.h"
#include "main/ImageButtons.h"
#include "main/MainWindows_win.h"
#include "resources/PngBitmap_win.h"
#include "resources/ResourceIds.h"

namespace {

// Adds the tool of a button to the tool tips (TTM_ADDTOOLA) or gives it a new text (TTM_UPDATETIPTEXTA).
void SendTooltip(UINT message, size_t index, int view) {
    std::string text = LanguageText(ButtonTooltip(kButtonCommands[index], view));
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = g_windows.window;
    tool.uId = reinterpret_cast<UINT_PTR>(g_windows.buttons[index]);
    tool.lpszText = &text[0];
    SendMessageA(g_windows.tooltips, message, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace

void CreateImageButtons() {
    g_windows.tooltips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                         g_windows.window, nullptr, g_windows.instance, nullptr);
    for (size_t i = 0; i < kButtonCommands.size(); ++i) {
        int command = kButtonCommands[i];
        g_windows.buttons[i] = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW,
                                               ButtonLeft(static_cast<int>(i)), 3, kButtonSize, kButtonSize,
                                               g_windows.window, ChildIdentifier(command), g_windows.instance, nullptr);
        g_windows.buttonEnabled[i] = ButtonEnabled(command, ViewProcesses, false);
        g_windows.buttonIcons[i] = LoadPngBitmap(g_windows.instance, IDR_PNG_BUTTON_BASE + command, nullptr);
        SendTooltip(TTM_ADDTOOLA, i, ViewProcesses);
    }
}

// An image button: the icon on the button face, a raised frame when enabled (sunken while
// pressed, highlighted under the mouse), and a faded icon without a frame when disabled.
bool DrawImageButton(const DRAWITEMSTRUCT& item) {
    int index = ButtonIndex(static_cast<int>(item.CtlID));
    if (index < 0) {
        return false;
    }
    HDC dc = item.hDC;
    RECT box = item.rcItem;
    bool enabled = g_windows.buttonEnabled[index];
    bool pressed = (item.itemState & ODS_SELECTED) != 0;
    bool hot = g_windows.hotButton == index;
    FillRect(dc, &box, GetSysColorBrush(hot && enabled ? COLOR_BTNHIGHLIGHT : COLOR_BTNFACE));
    if (enabled) {
        DrawEdge(dc, &box, pressed ? EDGE_SUNKEN : (hot ? EDGE_RAISED : BDR_RAISEDINNER), BF_RECT);
    }
    if (g_windows.buttonIcons[index] != nullptr) {
        ScopedMemoryDc source(CreateCompatibleDC(dc));
        ScopedSelection icon(source.get(), g_windows.buttonIcons[index]);
        BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(enabled ? 255 : 80), AC_SRC_ALPHA};
        int offset = pressed ? 4 : 3;
        AlphaBlend(dc, box.left + offset, box.top + offset, 22, 22, source.get(), 0, 0, 22, 22, blend);
    }
    return true;
}

void SetImageButtonEnabled(int command, bool enabled) {
    int index = ButtonIndex(command);
    if (index >= 0 && g_windows.buttonEnabled[index] != enabled) {
        g_windows.buttonEnabled[index] = enabled;
        InvalidateRect(g_windows.buttons[index], nullptr, FALSE);
    }
}

void SetImageButtonTooltips(int view) {
    for (size_t i = 0; i < kButtonCommands.size(); ++i) {
        if (ButtonFollowsView(kButtonCommands[i])) {
            SendTooltip(TTM_UPDATETIPTEXTA, i, view);
        }
    }
}

void UpdateHotButton() {
    POINT cursor;
    GetCursorPos(&cursor);
    HWND under = WindowFromPoint(cursor);
    int hot = -1;
    for (size_t i = 0; i < g_windows.buttons.size(); ++i) {
        if (g_windows.buttons[i] == under) {
            hot = static_cast<int>(i);
        }
    }
    if (hot != g_windows.hotButton) {
        int previous = g_windows.hotButton;
        g_windows.hotButton = hot;
        if (previous >= 0) {
            InvalidateRect(g_windows.buttons[previous], nullptr, FALSE);
        }
        if (hot >= 0) {
            InvalidateRect(g_windows.buttons[hot], nullptr, FALSE);
        }
    }
}

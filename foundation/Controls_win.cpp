#include "foundation/Controls_win.h"

HWND AddControl(HWND parent,
                const char* className,
                const std::string& text,
                DWORD style,
                int x,
                int y,
                int width,
                int height,
                int id,
                HFONT font) {
    DWORD extendedStyle = lstrcmpiA(className, "EDIT") == 0 ? WS_EX_CLIENTEDGE : 0;
    HWND control = CreateWindowExA(extendedStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width,
                                   height, parent, ChildIdentifier(id),
                                   reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    if (control != nullptr) {
        HFONT shown = font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        SetControlFont(control, shown);
    }
    return control;
}

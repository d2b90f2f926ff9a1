#pragma once
// Child controls of the programs' own windows, created the one way they all share, and the
// messages the programs send them, each named for what it asks or does.

#include <windows.h>

#include <string>

// A visible child control at the given place in the parent's client area, with the font (null: the
// default GUI font). Edit fields get the sunken edge that marks them as editable.
HWND AddControl(HWND parent,
                const char* className,
                const std::string& text,
                DWORD style,
                int x,
                int y,
                int width,
                int height,
                int id,
                HFONT font);

// CreateWindowEx takes a child window's identifier where a top-level window's menu would go.
inline HMENU ChildIdentifier(int id) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

inline void SetControlFont(HWND control, HFONT font) {
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

// Stops (false) and resumes (true) the repainting of a window while much of it changes at once.
inline void SetRedraw(HWND window, bool redraw) {
    SendMessageA(window, WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
}

// The answer to WM_CTLCOLORSTATIC and WM_CTLCOLORBTN for controls standing on white: the text's
// background (the message's device context in `dc`) and the brush both white.
inline LRESULT WhiteControlBackground(WPARAM dc) {
    SetBkColor(reinterpret_cast<HDC>(dc), RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

// For WM_PAINT of a window whose controls stand on a white panel: the client area white but for a
// border of `margin` pixels in the window's own background.
inline void PaintWhitePanel(HWND window, int margin) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT panel;
    GetClientRect(window, &panel);
    InflateRect(&panel, -margin, -margin);
    FillRect(dc, &panel, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EndPaint(window, &paint);
}

// The structure a message's lParam points to (NMHDR, DRAWITEMSTRUCT, MINMAXINFO, WINDOWPOS, ...).
template <typename Structure>
Structure& MessageStructure(LPARAM lParam) {
    return *reinterpret_cast<Structure*>(lParam);
}

// The whole notification (NMLVDISPINFOA, NMLVCUSTOMDRAW, ...) whose header this is.
template <typename Notification>
Notification& WholeNotification(const NMHDR& header) {
    return *reinterpret_cast<Notification*>(const_cast<NMHDR*>(&header));
}

// The control that sent WM_COMMAND (its lParam); null for menus and keyboard shortcuts.
inline HWND CommandControl(LPARAM lParam) {
    return reinterpret_cast<HWND>(lParam);
}

inline void SetStaticIcon(HWND control, HICON icon) {
    SendMessageA(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

inline void SetStaticBitmap(HWND control, HBITMAP bitmap) {
    SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}

// Combo boxes. Item indexes are from 0; -1 (CB_ERR) means none.
inline void ClearComboBox(HWND comboBox) {
    SendMessageA(comboBox, CB_RESETCONTENT, 0, 0);
}

// Appends (or, in a sorted box, inserts) the text; its index, or a negative value when it failed.
inline int AddComboBoxText(HWND comboBox, const std::string& text) {
    return static_cast<int>(SendMessageA(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

inline int ComboBoxCount(HWND comboBox) {
    return static_cast<int>(SendMessageA(comboBox, CB_GETCOUNT, 0, 0));
}

inline int ComboBoxSelection(HWND comboBox) {
    return static_cast<int>(SendMessageA(comboBox, CB_GETCURSEL, 0, 0));
}

// The text of an item; empty when there is no such item.
inline std::string ComboBoxItemText(HWND comboBox, int item) {
    LRESULT length = SendMessageA(comboBox, CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT copied =
        SendMessageA(comboBox, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 && copied <= length ? static_cast<size_t>(copied) : 0);
    return text;
}

inline void SelectComboBoxItem(HWND comboBox, int item) {
    SendMessageA(comboBox, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
}

inline void SetComboBoxItemData(HWND comboBox, int item, LPARAM data) {
    SendMessageA(comboBox, CB_SETITEMDATA, static_cast<WPARAM>(item), data);
}

// The number kept with the item; CB_ERR when there is no such item.
inline LRESULT ComboBoxItemData(HWND comboBox, int item) {
    return SendMessageA(comboBox, CB_GETITEMDATA, static_cast<WPARAM>(item), 0);
}

// Selects all of the text in the edit field of a drop-down combo box.
inline void SelectAllComboBoxText(HWND comboBox) {
    SendMessageA(comboBox, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

// Menus. Commands are addressed by identifier, wherever in the menu or its submenus they are.
inline void AppendMenuCommand(HMENU menu, int command, const std::string& text) {
    AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(command), text.c_str());
}

inline void AppendMenuSeparator(HMENU menu) {
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
}

// The parent menu takes the submenu over: it is destroyed with the parent.
inline void AppendSubmenu(HMENU parent, HMENU submenu, const std::string& text) {
    AppendMenuA(parent, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), text.c_str());
}

inline void CheckMenuCommand(HMENU menu, int command, bool checked) {
    CheckMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

inline void EnableMenuCommand(HMENU menu, int command, bool enabled) {
    EnableMenuItem(menu, static_cast<UINT>(command), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

#pragma once
// The list view and header messages the programs send, each named for what it asks or does.
// Item and column indexes are the control's own, from 0; -1 stands for "every item" or "none".

#include <windows.h>

#include <commctrl.h>

#include <string>

inline int ListViewItemCount(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

inline int ListViewSelectedCount(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0));
}

// For an owner-data list: how many rows there are, with LVSICF_ flags for scrolling and repainting.
inline void SetListViewItemCount(HWND list, size_t count, DWORD flags) {
    SendMessageA(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), static_cast<LPARAM>(flags));
}

// The first item after `start` (-1: from the top) that has all the LVNI_ flags; -1 when none has.
inline int NextListViewItem(HWND list, int start, UINT flags) {
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
}

// Sets the LVIS_ states in `mask` of one item (-1: of every item) to those in `state`.
inline void SetListViewItemState(HWND list, int item, UINT state, UINT mask) {
    LVITEMA change{};
    change.state = state;
    change.stateMask = mask;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&change));
}

inline UINT ListViewItemState(HWND list, int item, UINT mask) {
    return static_cast<UINT>(SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(item), mask));
}

// The text of a cell, cut at 1023 characters.
inline std::string ListViewItemText(HWND list, int item, int column) {
    char text[1024] = {};
    LVITEMA request{};
    request.iSubItem = column;
    request.pszText = text;
    request.cchTextMax = sizeof(text);
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&request));
    return text;
}

inline void SetListViewExtendedStyle(HWND list, DWORD style) {
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style));
}

// The small images the rows' image indexes refer to. The list does not take the image list over.
inline void SetListViewImageList(HWND list, HIMAGELIST images) {
    SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

// A column with its title, width in pixels and LVCFMT_ alignment; its index, or -1.
inline int InsertListViewColumn(HWND list, int index, const std::string& title, int width, int format) {
    std::string text = title;  // the message takes a writable text
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.pszText = &text[0];
    column.cx = width;
    column.fmt = format;
    return static_cast<int>(
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)));
}

inline bool DeleteListViewColumn(HWND list, int index) {
    return SendMessageA(list, LVM_DELETECOLUMN, static_cast<WPARAM>(index), 0) != 0;
}

inline int ListViewColumnWidth(HWND list, int column) {
    return static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

inline void SetListViewColumnWidth(HWND list, int column, int width) {
    SendMessageA(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0));
}

// Scrolls as little as needed to show the whole item.
inline void EnsureListViewItemVisible(HWND list, int item) {
    SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
}

// The item at the top of the visible part.
inline int ListViewTopIndex(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
}

// The rectangle of the whole item in the list's client area; false when there is no such item.
inline bool ListViewItemBounds(HWND list, int item, RECT& bounds) {
    bounds = RECT{};
    bounds.left = LVIR_BOUNDS;
    return SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&bounds)) != 0;
}

// Scrolls by pixels; in report view a vertical scroll moves by whole rows.
inline void ScrollListView(HWND list, int dx, int dy) {
    SendMessageA(list, LVM_SCROLL, static_cast<WPARAM>(dx), static_cast<LPARAM>(dy));
}

// The header control of a report view list.
inline HWND ListViewHeader(HWND list) {
    return reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
}

inline int HeaderItemCount(HWND header) {
    return static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
}

// The HDF_ format flags of a header item (alignment, sort arrow).
inline int HeaderItemFormat(HWND header, int item) {
    HDITEMA request{};
    request.mask = HDI_FORMAT;
    SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&request));
    return request.fmt;
}

inline void SetHeaderItemFormat(HWND header, int item, int format) {
    HDITEMA change{};
    change.mask = HDI_FORMAT;
    change.fmt = format;
    SendMessageA(header, HDM_SETITEMA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&change));
}

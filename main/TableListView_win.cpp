#include "main/TableListView_win.h"

#include "foundation/Controls_win.h"
#include "foundation/ListViews_win.h"

namespace {

void ReadSelectionFromList(TableListView& view) {
    RowTable& table = *view.table;
    SelectOnlyTableRow(table, kNoRow);
    int index = -1;
    while ((index = NextListViewItem(view.list, index, LVNI_SELECTED)) >= 0) {
        if (static_cast<size_t>(index) < table.rows.size()) {
            table.rows[index].selected = true;
        }
    }
}

// Only the items whose state differs are written: every write repaints its item, and a list of
// hundreds refreshed every few seconds mostly keeps its selection where it was.
void WriteSelectionToList(TableListView& view) {
    view.writingSelection = true;
    const RowTable& table = *view.table;
    for (size_t i = 0; i < table.rows.size(); ++i) {
        const int item = static_cast<int>(i);
        const bool shown = (ListViewItemState(view.list, item, LVIS_SELECTED) & LVIS_SELECTED) != 0;
        if (shown != table.rows[i].selected) {
            SetListViewItemState(view.list, item, table.rows[i].selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
        }
    }
    view.writingSelection = false;
}

void ShowSortArrow(const TableListView& view) {
    HWND header = ListViewHeader(view.list);
    for (int c = 0; c < static_cast<int>(view.columns.size()); ++c) {
        int format = HeaderItemFormat(header, c) & ~(HDF_SORTUP | HDF_SORTDOWN);
        if (c == view.sortColumn) {
            format |= view.sortAscending ? HDF_SORTUP : HDF_SORTDOWN;
        }
        SetHeaderItemFormat(header, c, format);
    }
}

void InsertColumns(TableListView& view) {
    for (size_t c = 0; c < view.columns.size(); ++c) {
        const ListColumn& column = view.columns[c];
        InsertListViewColumn(view.list, static_cast<int>(c), column.title, column.width, column.format);
    }
}

}  // namespace

HWND CreateTableListView(TableListView& view,
                         HWND parent,
                         int id,
                         RowTable* table,
                         std::vector<ListColumn> columns,
                         bool multipleSelection) {
    view.table = table;
    view.columns = std::move(columns);
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS;
    if (!multipleSelection) {
        style |= LVS_SINGLESEL;
    }
    view.list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", style, 0, 0, 10, 10, parent, ChildIdentifier(id),
                                GetModuleHandleA(nullptr), nullptr);
    SetListViewExtendedStyle(view.list, LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_DOUBLEBUFFER);
    InsertColumns(view);
    SyncTableListView(view);
    return view.list;
}

void SetTableListColumns(TableListView& view, std::vector<ListColumn> columns) {
    while (DeleteListViewColumn(view.list, 0)) {
    }
    view.sortColumn = SortColumnAfterColumnChange(view.columns, view.sortColumn, columns);
    view.columns = std::move(columns);
    InsertColumns(view);
    ShowSortArrow(view);
    SyncTableListView(view);
}

void SyncTableListView(TableListView& view) {
    if (ListViewItemCount(view.list) != static_cast<int>(view.table->rows.size())) {
        SetListViewItemCount(view.list, view.table->rows.size(), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
    }
    WriteSelectionToList(view);
    InvalidateRect(view.list, nullptr, FALSE);
}

void SortTableListView(TableListView& view, int listColumn, bool ascending) {
    if (!SortRowsByListColumn(*view.table, view.columns, listColumn, ascending)) {
        return;
    }
    view.sortColumn = listColumn;
    view.sortAscending = ascending;
    ShowSortArrow(view);
    SyncTableListView(view);
}

void ToggleSortTableListView(TableListView& view, int listColumn) {
    SortTableListView(view, listColumn, AscendingAfterClick(view.sortColumn, view.sortAscending, listColumn));
}

bool HandleTableListNotification(TableListView& view, const NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != view.list) {
        return false;
    }
    result = 0;
    switch (header.code) {
        case LVN_GETDISPINFOA: {
            LVITEMA& item = WholeNotification<NMLVDISPINFOA>(header).item;
            const RowTable& table = *view.table;
            if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= table.rows.size()) {
                return true;
            }
            const TableRow& row = table.rows[item.iItem];
            if ((item.mask & LVIF_TEXT) && item.iSubItem >= 0 &&
                static_cast<size_t>(item.iSubItem) < view.columns.size() && item.cchTextMax > 0) {
                const std::string text = ListCellText(table, view.columns, item.iItem, item.iSubItem);
                lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
            }
            if (item.mask & LVIF_IMAGE) {
                item.iImage = row.image;
            }
            if (item.mask & LVIF_INDENT) {
                item.iIndent = row.indent;
            }
            if (item.mask & LVIF_STATE) {
                item.state = row.selected ? LVIS_SELECTED : 0;
                item.stateMask |= LVIS_SELECTED;
            }
            return true;
        }
        case NM_CUSTOMDRAW: {
            NMLVCUSTOMDRAW& draw = WholeNotification<NMLVCUSTOMDRAW>(header);
            if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
                result = CDRF_NOTIFYITEMDRAW;
            } else if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
                size_t index = draw.nmcd.dwItemSpec;
                if (index < view.table->rows.size()) {
                    draw.clrText = view.table->rows[index].textColour;
                    draw.clrTextBk = view.table->rows[index].backgroundColour;
                }
                result = CDRF_DODEFAULT;
            }
            return true;
        }
        case LVN_ITEMCHANGED:
        case LVN_ODSTATECHANGED:
            if (!view.writingSelection)
                ReadSelectionFromList(view);
            return false;  // the owner may still want to react (buttons follow the selection)
        case LVN_COLUMNCLICK:
            ToggleSortTableListView(view, WholeNotification<NMLISTVIEW>(header).iSubItem);
            return false;  // the owner may rebuild a tree afterwards
    }
    return false;
}

size_t CurrentRow(const TableListView& view) {
    int focused = NextListViewItem(view.list, -1, LVNI_FOCUSED | LVNI_SELECTED);
    if (focused < 0) {
        focused = NextListViewItem(view.list, -1, LVNI_SELECTED);
    }
    return focused >= 0 && static_cast<size_t>(focused) < view.table->rows.size() ? static_cast<size_t>(focused)
                                                                                  : kNoRow;
}

void SelectOnlyRow(TableListView& view, size_t row) {
    SelectOnlyTableRow(*view.table, row);
    WriteSelectionToList(view);
    if (row < view.table->rows.size()) {
        SetListViewItemState(view.list, static_cast<int>(row), LVIS_FOCUSED, LVIS_FOCUSED);
        EnsureListViewItemVisible(view.list, static_cast<int>(row));
    }
}

ListViewState SaveListViewState(const TableListView& view) {
    ListViewState state;
    state.sortColumn = view.sortColumn;
    state.sortAscending = view.sortAscending;
    state.selectedIndex = CurrentRow(view);
    state.topIndex = ListViewTopIndex(view.list);
    return state;
}

void RestoreListViewState(TableListView& view, const ListViewState& state) {
    SetRedraw(view.list, false);
    if (state.sortColumn >= 0) {
        SortRowsByListColumn(*view.table, view.columns, state.sortColumn, state.sortAscending);
        view.sortColumn = state.sortColumn;
        view.sortAscending = state.sortAscending;
        ShowSortArrow(view);
    }
    SelectOnlyTableRow(*view.table, state.selectedIndex);
    SyncTableListView(view);
    if (state.selectedIndex < view.table->rows.size()) {
        SetListViewItemState(view.list, static_cast<int>(state.selectedIndex), LVIS_FOCUSED, LVIS_FOCUSED);
    }
    // Scroll so the same row index is at the top again.
    RECT item{};
    if (view.table->rows.size() > 0 && ListViewItemBounds(view.list, 0, item)) {
        int current = ListViewTopIndex(view.list);
        ScrollListView(view.list, 0, (state.topIndex - current) * (item.bottom - item.top));
    }
    SetRedraw(view.list, true);
    InvalidateRect(view.list, nullptr, TRUE);
}

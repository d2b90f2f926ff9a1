#pragma once
// A list view that shows a row table: an owner-data list view that asks the table for its texts,
// draws each row's colours and indent, and keeps the table's selection flags in step with the
// user's selection. The table is the truth; the view holds no texts of its own.

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "main/TableListColumns.h"

struct TableListView {
    HWND list = nullptr;
    RowTable* table = nullptr;
    std::vector<ListColumn> columns;
    int sortColumn = -1;  // list column, -1 when unsorted
    bool sortAscending = true;
    // Set while the table's selection is written to the list: the list's change notices then
    // describe our own half-done writing, not the user's choice.
    bool writingSelection = false;
};

// Creates the list as a child of `parent` with the control identifier `id`; `multipleSelection`
// allows selecting several rows.
HWND CreateTableListView(TableListView& view,
                         HWND parent,
                         int id,
                         RowTable* table,
                         std::vector<ListColumn> columns,
                         bool multipleSelection);

// Replaces the list's columns (other ones shown, other widths); the rows stay.
void SetTableListColumns(TableListView& view, std::vector<ListColumn> columns);

// After rows were added, removed, moved or changed: the new row count, the table's selection, a
// repaint. Keeps the scroll position.
void SyncTableListView(TableListView& view);

// Sorts the table by a list column as a header click does; a click on the sorted column turns the
// direction around.
void SortTableListView(TableListView& view, int listColumn, bool ascending);
void ToggleSortTableListView(TableListView& view, int listColumn);

// Handles the list's notifications (texts, colours, selection, header clicks). Returns true when
// it handled it; `result` is then the window procedure's answer.
bool HandleTableListNotification(TableListView& view, const NMHDR& header, LRESULT& result);

// The table index of the focused selected row, or kNoRow.
size_t CurrentRow(const TableListView& view);
// Selects exactly this row, focuses it and scrolls it into view.
void SelectOnlyRow(TableListView& view, size_t row);

// What a rebuild from scratch keeps (see TableListColumns.h).
ListViewState SaveListViewState(const TableListView& view);
// Re-sorts, re-selects the row index (when it still exists) and scrolls back; redraws once.
void RestoreListViewState(TableListView& view, const ListViewState& state);

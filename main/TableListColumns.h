#pragma once
// The columns a list view shows of a row table, and the bookkeeping on the table that follows
// from them: which column is sorted, how a header click turns the direction, which rows are
// selected and which text a list cell shows.

#include <string>
#include <vector>

#include "main/RowTable.h"
#include "main/RowTableSort.h"

struct ListColumn {
    std::string title;
    int width;
    int format;           // LVCFMT_LEFT or LVCFMT_RIGHT
    size_t tableColumn;   // the table column this list column shows
    CellCompare compare;  // how a header click sorts it
};

// What a rebuild from scratch keeps: sort, selected row index and scroll position.
struct ListViewState {
    int sortColumn = -1;
    bool sortAscending = true;
    size_t selectedIndex = kNoRow;
    int topIndex = 0;
};

// Sorts the table by the table column that the list column shows, with its own comparison (text
// by default). False, and nothing sorted, for a list column that does not exist.
bool SortRowsByListColumn(RowTable& table, const std::vector<ListColumn>& columns, int listColumn, bool ascending);
// A click on the sorted column turns the direction around; another column starts ascending.
bool AscendingAfterClick(int sortColumn, bool sortAscending, int clickedColumn);
// The sort stays on its table column while that is still shown: its list column among the new
// columns, or -1.
int SortColumnAfterColumnChange(const std::vector<ListColumn>& before,
                                int sortColumn,
                                const std::vector<ListColumn>& after);

// Selects exactly this row; kNoRow clears the selection.
void SelectOnlyTableRow(RowTable& table, size_t row);
// The text of a list cell; empty for cells outside the table or the columns.
std::string ListCellText(const RowTable& table, const std::vector<ListColumn>& columns, int row, int listColumn);

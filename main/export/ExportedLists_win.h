#pragma once
// The main window's lists as the export and the search window see them: one entry per list that
// has joined, each naming its list view and what is special about writing it.

#include <windows.h>

#include <vector>

#include "main/TableListView_win.h"
#include "main/export/ListKinds.h"

struct ExportedList {
    int kind;  // ListKind
    TableListView& (*list)();
    size_t depthColumn;  // the table column of a tree's row depths, or kNoDepthColumn
    // The columns the search looks at where they are more than the list shows; nullptr for those shown.
    std::vector<ListColumn> (*searchColumns)();
    // For a list whose tables are not just what it shows (the network panel's titles and units, a
    // SMART block per drive): its tables for the export, or for the search the list first and then
    // one further table for each of its rows, in order. nullptr: the list as shown.
    std::vector<ExportTable> (*readTables)(bool forSearch);
    // For a list whose rows have a further table: shows that of the row (kNoRow: none) in its own
    // list view and returns that view. nullptr for the other lists.
    TableListView& (*showRowDetails)(size_t row);
};

// The joined list of that kind, or nullptr.
const ExportedList* FindExportedList(int kind);

// Refreshes the list with its own refresh, so that what is written or searched is what the list shows.
void RefreshExportedList(const ExportedList& entry);
// The list's tables as shown: its columns, or for the search its search columns.
std::vector<ExportTable> ExportedTables(const ExportedList& entry, bool forSearch);

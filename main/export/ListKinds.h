#pragma once
// The main window's lists that the export and the search window cover, in the order both take
// them, with the texts and commands that belong to each; and a list's rows read as it shows them.

#include <cstddef>
#include <string>
#include <vector>

#include "foundation/Language.h"
#include "main/TableListColumns.h"
#include "main/export/ExportTables.h"

enum ListKind : int {
    ListProcesses,
    ListWindows,
    ListServices,
    ListDrivers,
    ListNetworks,
    ListSmart,
    ListAutoruns,
    ListKindCount
};

struct ListKindDescription {
    int view;
    int exportCommand;
    LanguageKey exportTitle;  // the save dialog's title
    LanguageKey searchBox;    // the search window's check box
    LanguageKey kindText;     // the search result's type column
};

const ListKindDescription& DescribeListKind(int kind);
// The kind that an export command writes; -1 for the command that writes them all, or none.
int ListKindOfExportCommand(int command);
// The type column of a search result. The SMART list is searched as two tables, the drives and
// each drive's values.
std::string SearchKindText(int kind, bool secondTable);

// No column: a flat list without depths.
constexpr size_t kNoDepthColumn = static_cast<size_t>(-1);
// The columns a list shows, with their titles, and its rows top to bottom; with the depth of each
// row from a table column for a tree.
ExportTable TableAsShown(const RowTable& table, const std::vector<ListColumn>& columns, size_t depthColumn);

// One row of the search window's result list.
struct SearchResult {
    size_t row;  // in the table searched
    std::string name;
    std::string match;
    std::string columnTitle;
};
// At most one result per row: the first column, left to right, that any of the words matches.
std::vector<SearchResult> SearchTable(const ExportTable& table, const std::string& searchText);

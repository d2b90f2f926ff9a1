#include "main/export/ExportedLists_win.h"

#include "main/ProgramModel.h"
#include "main/Views_win.h"
#include "main/autoruns/AutorunsView_win.h"
#include "main/processes/ProcessListColumns.h"
#include "main/processes/ProcessListOptions.h"
#include "main/processes/ProcessList_win.h"
#include "main/processes/WindowsView_win.h"
#include "main/services/ServicesView_win.h"

namespace {

// The search covers every column of a process row that the list can show, hidden or not.
std::vector<ListColumn> AllProcessColumns() {
    ProcessListOptions options = ProcessListOptionsFrom(g_program.preferences);
    options.shown.fill(true);
    std::vector<ListColumn> columns;
    for (const ShownProcessColumn& shown : ShownProcessColumns(options)) {
        columns.push_back({shown.title, shown.width, 0, shown.column, {}});
    }
    return columns;
}

// A list joins the export and the search with one line here.
const ExportedList kExportedLists[] = {
    {ListProcesses, ProcessListView, kProcessColumnTreeDepth, AllProcessColumns, nullptr},
    {ListWindows, WindowsList, kNoDepthColumn, nullptr, nullptr},
    {ListServices, ServicesList, kNoDepthColumn, nullptr, nullptr},
    {ListDrivers, DriversList, kNoDepthColumn, nullptr, nullptr},
    {ListAutoruns, AutorunsList, kNoDepthColumn, nullptr, nullptr},
};

}  // namespace

const ExportedList* FindExportedList(int kind) {
    for (const ExportedList& entry : kExportedLists) {
        if (entry.kind == kind) {
            return &entry;
        }
    }
    return nullptr;
}

void RefreshExportedList(const ExportedList& entry) {
    RefreshView(DescribeListKind(entry.kind).view);
}

std::vector<ExportTable> ExportedTables(const ExportedList& entry, bool forSearch) {
    if (entry.readTables != nullptr) {
        return entry.readTables(forSearch);
    }
    const TableListView& view = entry.list();
    if (view.table == nullptr) {
        return {};
    }
    const std::vector<ListColumn> columns =
        forSearch && entry.searchColumns != nullptr ? entry.searchColumns() : view.columns;
    return {TableAsShown(*view.table, columns, forSearch ? kNoDepthColumn : entry.depthColumn)};
}

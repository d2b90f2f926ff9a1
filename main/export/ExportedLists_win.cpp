#include "main/export/ExportedLists_win.h"

#include "hardware/NetworkRows.h"
#include "hardware/NetworksView_win.h"
#include "hardware/SmartView_win.h"
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

// The network list with the details panel of each interface beside its rates: the panel's labels
// become titles, its figures exact. The maximum is left out, the transfer rate among the details
// says the same.
std::vector<ExportTable> NetworkTables(bool) {
    const TableListView& view = NetworksList();
    std::vector<ListColumn> columns;
    for (const ListColumn& column : view.columns) {
        if (column.tableColumn != NetworkColumnMaximum) {
            columns.push_back(column);
        }
    }
    ExportTable table = TableAsShown(*view.table, columns, kNoDepthColumn);
    for (const DetailLine& line : InterfaceDetails(NetworkInterface{}, DetailStyle::Exact)) {
        table.titles.push_back(LanguageText(line.label));
    }
    for (size_t row = 0; row < table.rows.size(); ++row) {
        const NetworkInterface* shown = NetworkInterfaceOfRow(row);
        for (const DetailLine& line : InterfaceDetails(shown ? *shown : NetworkInterface{}, DetailStyle::Exact)) {
            table.rows[row].push_back(shown ? line.value : std::string());
        }
    }
    return {table};
}

// Each drive with its attribute list, which shows one drive at a time: every drive is chosen in
// turn, as the user would click through them, and the user's choice comes back at the end.
std::vector<ExportTable> SmartTables(bool forSearch) {
    TableListView& drives = SmartDriveList();
    const size_t chosen = CurrentRow(drives);
    const ExportTable driveTable = TableAsShown(*drives.table, drives.columns, kNoDepthColumn);
    std::vector<ExportTable> tables;
    if (forSearch || driveTable.rows.empty()) {
        tables.push_back(driveTable);  // without drives the export still says what it looked for
    }
    for (size_t row = 0; row < driveTable.rows.size(); ++row) {
        const TableListView& values = ShowSmartDriveRow(row);
        ExportTable attributes = TableAsShown(*values.table, values.columns, kNoDepthColumn);
        if (forSearch) {
            tables.push_back(std::move(attributes));
        } else {
            tables.push_back({driveTable.titles, {driveTable.rows[row]}, {}, {std::move(attributes)}});
        }
    }
    if (!driveTable.rows.empty()) {
        ShowSmartDriveRow(chosen);
    }
    return tables;
}

// A list joins the export and the search with one line here.
const ExportedList kExportedLists[] = {
    {ListProcesses, ProcessListView, kProcessColumnTreeDepth, AllProcessColumns, nullptr, nullptr},
    {ListWindows, WindowsList, kNoDepthColumn, nullptr, nullptr, nullptr},
    {ListServices, ServicesList, kNoDepthColumn, nullptr, nullptr, nullptr},
    {ListDrivers, DriversList, kNoDepthColumn, nullptr, nullptr, nullptr},
    {ListNetworks, NetworksList, kNoDepthColumn, nullptr, NetworkTables, nullptr},
    {ListSmart, SmartDriveList, kNoDepthColumn, nullptr, SmartTables, ShowSmartDriveRow},
    {ListAutoruns, AutorunsList, kNoDepthColumn, nullptr, nullptr, nullptr},
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
    MakeViewControls(DescribeListKind(entry.kind).view);
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

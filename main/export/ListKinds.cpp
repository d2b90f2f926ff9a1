#include "main/export/ListKinds.h"

#include "main/CommandIds.h"
#include "main/View.h"
#include "main/export/SearchWords.h"

namespace {

const ListKindDescription kListKinds[ListKindCount] = {
    {ViewProcesses, CommandExportProcesses, LanguageKey::ExportProcesslist, LanguageKey::Processes,
     LanguageKey::Process},
    {ViewWindows, CommandExportWindows, LanguageKey::ExportWindowlist, LanguageKey::Windows, LanguageKey::Window},
    {ViewServices, CommandExportServices, LanguageKey::ExportServicelist, LanguageKey::Services, LanguageKey::Service},
    {ViewDrivers, CommandExportDrivers, LanguageKey::ExportDriverlist, LanguageKey::Drivers, LanguageKey::Driver},
    {ViewNetworks, CommandExportNetworks, LanguageKey::ExportNetworklist, LanguageKey::Networks, LanguageKey::Network},
    {ViewSmart, CommandExportSmart, LanguageKey::ExportSMARTlist, LanguageKey::SMART, LanguageKey::SMART},
    {ViewAutoruns, CommandExportAutoruns, LanguageKey::ExportAutorunlist, LanguageKey::Autoruns, LanguageKey::Autorun},
};

}  // namespace

const ListKindDescription& DescribeListKind(int kind) {
    return kListKinds[kind >= 0 && kind < ListKindCount ? kind : 0];
}

int ListKindOfExportCommand(int command) {
    for (int kind = 0; kind < ListKindCount; ++kind) {
        if (kListKinds[kind].exportCommand == command) {
            return kind;
        }
    }
    return -1;
}

std::string SearchKindText(int kind, bool secondTable) {
    if (kind == ListSmart) {
        return LanguageText(LanguageKey::SMART) + " " +
               LanguageText(secondTable ? LanguageKey::Value : LanguageKey::Drive);
    }
    return LanguageText(DescribeListKind(kind).kindText);
}

ExportTable TableAsShown(const RowTable& table, const std::vector<ListColumn>& columns, size_t depthColumn) {
    ExportTable shown;
    for (const ListColumn& column : columns) {
        shown.titles.push_back(column.title);
    }
    for (size_t row = 0; row < table.rows.size(); ++row) {
        std::vector<std::string> cells;
        for (size_t column = 0; column < columns.size(); ++column) {
            cells.push_back(ListCellText(table, columns, static_cast<int>(row), static_cast<int>(column)));
        }
        shown.rows.push_back(std::move(cells));
        if (depthColumn != kNoDepthColumn) {
            shown.depths.push_back(static_cast<int>(CellInteger(table, row, depthColumn)));
        }
    }
    return shown;
}

std::vector<SearchResult> SearchTable(const ExportTable& table, const std::string& searchText) {
    const std::vector<std::string> words = SearchWords(searchText);
    std::vector<SearchResult> results;
    for (size_t row = 0; row < table.rows.size(); ++row) {
        const std::vector<std::string>& cells = table.rows[row];
        int column = FirstMatchingColumn(cells, words);
        if (column >= 0) {
            results.push_back({row, cells.empty() ? std::string() : cells[0], cells[column],
                               static_cast<size_t>(column) < table.titles.size() ? table.titles[column] : ""});
        }
    }
    return results;
}

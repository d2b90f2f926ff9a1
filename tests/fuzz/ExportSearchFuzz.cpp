// The search text is parsed into words, and list cells (window titles, commands: text written by
// other programs) go into every export format. Any bytes must pass without fault, and no cell may
// leave markup in the HTML.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "main/export/ExportTables.h"
#include "main/export/ListKinds.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    // First line: the search text; then cells separated by tabs, rows by line ends.
    const size_t firstLineEnd = input.find('\n');
    const std::string search = input.substr(0, firstLineEnd);
    ExportTable table{{"Name", "Title", ""}, {}, {}};
    std::string rest = firstLineEnd == std::string::npos ? std::string() : input.substr(firstLineEnd + 1);
    std::vector<std::string> row;
    std::string cell;
    for (char c : rest) {
        if (c == '\t' || c == '\n') {
            row.push_back(cell);
            cell.clear();
            if (c == '\n') {
                row.resize(table.titles.size());
                table.rows.push_back(row);
                table.depths.push_back(static_cast<int>(table.rows.size() % 5));
                row.clear();
            }
        } else {
            cell += c;
        }
    }
    for (const SearchResult& result : SearchTable(table, search)) {
        if (result.row >= table.rows.size()) {
            std::abort();
        }
    }
    for (const auto& cells : table.rows) {
        for (const std::string& text : cells) {
            if (EscapeHtmlCell(text).find_first_of("<>\"'") != std::string::npos) {
                std::abort();
            }
        }
    }
    const ExportTime time{1, 2, 2026, 3, 4, 5};
    ExportFile(ExportFormat::Text, time, {table});
    ExportFile(ExportFormat::Html, time, {table});
    ExportFile(ExportFormat::Csv, time, {table});
    return 0;
}

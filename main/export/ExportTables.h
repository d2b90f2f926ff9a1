#pragma once
// The export files: a list read as it is shown (titles, cells and, for the process tree, each
// row's depth) turned into the bytes of a text, HTML or CSV table, and the frame around the tables
// of one file. Cells are in the system code page, as the lists hold them.

#include <string>
#include <string_view>
#include <vector>

// The save dialog's filters, in order; the number is the dialog's filter index.
enum class ExportFormat : int { Text = 1, Html = 2, Csv = 3 };

struct ExportTable {
    std::vector<std::string> titles;
    std::vector<std::vector<std::string>> rows;  // one cell per title
    std::vector<int> depths;                     // per row for a tree, empty for a flat list
    // A SMART drive's block: this table holds the drive's row, this one table its attributes.
    std::vector<ExportTable> attributes = {};
};

// The local time an export is stamped with.
struct ExportTime {
    int day, month, year, hour, minute, second;
};

constexpr char kProjectWebSite[] = "http://www.vantrel.org/";
constexpr char kCsvDepthTitle[] = "Depth";

// "&", the punctuation a browser or script could take for syntax, "<", ">" and every character
// from 123 up become numeric references, so that no cell turns into markup.
std::string EscapeHtmlCell(std::string_view cell);
// Numbers, sizes in KB and a lone "0" are right-aligned in the text table; other text left.
bool IsRightAlignedCell(std::string_view cell);

std::string TextTable(const ExportTable& table);
std::string HtmlTable(const ExportTable& table);
std::string CsvTable(const ExportTable& table);

// "dd.mm.yyyy - hh:mm:ss".
std::string ExportDateStamp(const ExportTime& time);
// The whole file: frame and tables in the format's encoding (CSV as UTF-8 with a byte-order mark).
std::string ExportFile(ExportFormat format, const ExportTime& time, const std::vector<ExportTable>& tables);

// The save dialog's filter list, each entry's text and pattern separated by "|".
std::string ExportFilter();
// The name the file is written under: the chosen one with the filter's extension added unless it
// already ends in one of the filter's extensions (in any case).
std::string ExportFileName(const std::string& chosen, ExportFormat format);

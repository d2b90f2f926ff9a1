#include "main/export/ExportTables.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "foundation/CodePage.h"
#include "foundation/Language.h"
#include "foundation/UnicodeText.h"
#include "foundation/ValueFormatting.h"

namespace {

constexpr char kLineEnd[] = "\r\n";

bool NeedsReference(unsigned char c) {
    switch (c) {
        case '!':
        case '"':
        case '$':
        case '%':
        case '&':
        case '\'':
        case '<':
        case '>':
            return true;
    }
    return c >= 123;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The cell of the text table's first column: in a tree, the row's place in it drawn before the name.
std::string FirstCellWithDepth(const ExportTable& table, size_t row) {
    const std::string& cell = table.rows[row].empty() ? std::string() : table.rows[row][0];
    if (row < table.depths.size() && table.depths[row] > 0) {
        return TreePrefix(table.depths[row]) + cell;
    }
    return cell;
}

// A line break in a cell (a service's description may hold one) would tear its row apart.
std::string TextCell(const ExportTable& table, size_t row, size_t column) {
    std::string cell = column == 0                       ? FirstCellWithDepth(table, row)
                       : column < table.rows[row].size() ? table.rows[row][column]
                                                         : std::string();
    for (char& c : cell) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return cell;
}

std::string Padded(const std::string& text, size_t width, bool right) {
    std::string blanks(width > text.size() ? width - text.size() : 0, ' ');
    return right ? blanks + text : text + blanks;
}

std::string HtmlCell(const std::string& text) {
    return "<TD><P>" + (text.empty() ? std::string("&nbsp;") : text) + "</P></TD>";
}

constexpr char kHtmlTableStart[] = "<TABLE WIDTH=\"100%\" BORDER=1 CELLPADDING=4 CELLSPACING=0>";

std::string HtmlHeaderRow(const ExportTable& table) {
    std::string html = "<TR STYLE=\"background:#99bbff\" VALIGN=TOP>";
    for (const std::string& title : table.titles) {
        html += HtmlCell(title.empty() ? title : title + ":");
    }
    return html + "</TR>" + kLineEnd;
}

std::string HtmlRow(const ExportTable& table, size_t row, const char* background) {
    std::string html = std::string("<TR STYLE=\"background:#") + background + "\" VALIGN=TOP>";
    for (size_t c = 0; c < table.titles.size(); ++c) {
        html += HtmlCell(c < table.rows[row].size() ? EscapeHtmlCell(table.rows[row][c]) : std::string());
    }
    return html + "</TR>" + kLineEnd;
}

// A drive of the SMART list: its own row boxed together with its attribute table.
std::string HtmlDriveBlock(const ExportTable& drive) {
    std::string html = std::string(
                           "<P><DIV ALIGN=\"CENTER\" STYLE=\"background:#dddddd;border:1pt solid black;"
                           "padding:10pt;\">") +
                       kHtmlTableStart + kLineEnd + HtmlHeaderRow(drive);
    for (size_t r = 0; r < drive.rows.size(); ++r) {
        html += HtmlRow(drive, r, "ffffff");
    }
    html += "</TABLE><BR><TABLE WIDTH=95% BORDER=1 CELLPADDING=4 CELLSPACING=0>";
    const ExportTable& values = drive.attributes.front();
    html += HtmlHeaderRow(values);
    for (size_t r = 0; r < values.rows.size(); ++r) {
        html += HtmlRow(values, r, r % 2 == 0 ? "FFFFFF" : "DDDDDD");
    }
    return html + "</TABLE></DIV></P>";
}

std::string CsvField(std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(field);
    }
    std::string quoted = "\"";
    for (char c : field) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

std::string CsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (size_t f = 0; f < fields.size(); ++f) {
        line += (f ? "," : "") + CsvField(fields[f]);
    }
    return line + kLineEnd;
}

std::string TwoDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof(text), "%02d", value);
    return text;
}

std::string HtmlHead(const std::string& stamp) {
    return std::string(
               "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n"
               "<HTML>\r\n<HEAD>\r\n"
               "\t<META HTTP-EQUIV=\"CONTENT-TYPE\" CONTENT=\"text/html; charset=windows-1252\">\r\n"
               "\t<TITLE>Vantrel HTML Export</TITLE>\r\n"
               "\t<META NAME=\"GENERATOR\" CONTENT=\"Vantrel\">\r\n"
               "</HEAD>\r\n"
               "<BODY LANG=\"de-DE\">"
               "<P STYLE=\"margin:auto;text-align:center;font-size:20pt;\"><I><B><A HREF=\"") +
           kProjectWebSite +
           "\">Vantrel</A></B></I></P><BR><P STYLE=\"margin:auto;text-align:center;font-size:14pt;\">" +
           LanguageText(LanguageKey::HTMLExport) + " (" + stamp + ")</P><BR>" + kLineEnd;
}

bool EndsWithNoCase(const std::string& text, const std::string& end) {
    if (text.size() < end.size()) {
        return false;
    }
    return std::equal(end.begin(), end.end(), text.end() - end.size(),
                      [](char ending, char c) { return std::tolower(static_cast<unsigned char>(c)) == ending; });
}

}  // namespace

std::string EscapeHtmlCell(std::string_view cell) {
    std::string escaped;
    escaped.reserve(cell.size());
    for (char c : cell) {
        const unsigned char code = static_cast<unsigned char>(c);
        if (NeedsReference(code)) {
            escaped += "&#" + std::to_string(code) + ";";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

bool IsRightAlignedCell(std::string_view cell) {
    if (cell == "0" || cell.find("KB") != std::string_view::npos) {
        return true;
    }
    // A leading number that is not zero, standing alone or before a blank, unit sign or time
    // separator; "3dfx.dll" is a name, "1.5 MB", "12 %" and "1:02:03" are figures.
    size_t at = cell.size() > 0 && (cell[0] == '-' || cell[0] == '+') ? 1 : 0;
    bool nonZero = false;
    const size_t digitsStart = at;
    while (at < cell.size() && IsDigit(cell[at])) {
        nonZero |= cell[at++] != '0';
    }
    if (at == digitsStart) {
        return false;
    }
    if (at + 1 < cell.size() && (cell[at] == '.' || cell[at] == ',') && IsDigit(cell[at + 1])) {
        for (++at; at < cell.size() && IsDigit(cell[at]); ++at) {
            nonZero |= cell[at] != '0';
        }
    }
    return nonZero && (at == cell.size() || cell[at] == ' ' || cell[at] == '%' || cell[at] == ':');
}

std::string TextTable(const ExportTable& table) {
    if (!table.attributes.empty()) {
        ExportTable drive = table;
        drive.attributes.clear();
        return TextTable(drive) + kLineEnd + TextTable(table.attributes.front());
    }
    const size_t columns = table.titles.size();
    std::vector<size_t> widths(columns);
    for (size_t c = 0; c < columns; ++c) {
        widths[c] = table.titles[c].size() + 1;
        for (size_t r = 0; r < table.rows.size(); ++r) {
            widths[c] = std::max(widths[c], TextCell(table, r, c).size());
        }
    }
    std::string header;
    std::string separator;
    for (size_t c = 0; c < columns; ++c) {
        header += Padded(table.titles[c] + ":", widths[c], false) + " | ";
        separator += std::string(widths[c], ' ') + " | ";
    }
    std::string text = header + kLineEnd + separator + kLineEnd;
    for (size_t r = 0; r < table.rows.size(); ++r) {
        for (size_t c = 0; c < columns; ++c) {
            const std::string cell = TextCell(table, r, c);
            text += Padded(cell, widths[c], IsRightAlignedCell(cell)) + " | ";
        }
        text += kLineEnd;
    }
    return text;
}

std::string HtmlTable(const ExportTable& table) {
    if (!table.attributes.empty()) {
        return HtmlDriveBlock(table);
    }
    std::string html = std::string(kHtmlTableStart) + kLineEnd + HtmlHeaderRow(table);
    for (size_t r = 0; r < table.rows.size(); ++r) {
        html += HtmlRow(table, r, r % 2 == 0 ? "FFFFFF" : "DDDDDD");
    }
    return html + "</TABLE>";
}

std::string CsvTable(const ExportTable& table) {
    if (!table.attributes.empty()) {
        ExportTable drive = table;
        drive.attributes.clear();
        return CsvTable(drive) + kLineEnd + CsvTable(table.attributes.front());
    }
    const bool tree = !table.depths.empty();
    std::vector<std::string> fields = table.titles;
    if (tree && !fields.empty()) {
        fields.insert(fields.begin() + 1, kCsvDepthTitle);
    }
    std::string csv = CsvLine(fields);
    for (size_t r = 0; r < table.rows.size(); ++r) {
        fields = table.rows[r];
        fields.resize(table.titles.size());
        if (tree && !fields.empty()) {
            fields.insert(fields.begin() + 1, std::to_string(r < table.depths.size() ? table.depths[r] : 0));
        }
        csv += CsvLine(fields);
    }
    return csv;
}

std::string ExportDateStamp(const ExportTime& time) {
    return TwoDigits(time.day) + "." + TwoDigits(time.month) + "." + std::to_string(time.year) + " - " +
           TwoDigits(time.hour) + ":" + TwoDigits(time.minute) + ":" + TwoDigits(time.second);
}

std::string ExportFile(ExportFormat format, const ExportTime& time, const std::vector<ExportTable>& tables) {
    const std::string stamp = ExportDateStamp(time);
    std::string file;
    switch (format) {
        case ExportFormat::Text:
            file = std::string("Vantrel\r\n") + LanguageText(LanguageKey::TextExport) + " (" + stamp + ")\r\n\r\n";
            for (size_t t = 0; t < tables.size(); ++t) {
                file += (t ? "\r\n\r\n" : "") + TextTable(tables[t]);
            }
            return file;
        case ExportFormat::Html:
            file = HtmlHead(stamp);
            for (const ExportTable& table : tables) {
                file += HtmlTable(table);
            }
            return file + "</BODY></HTML>";
        case ExportFormat::Csv:
            // Spreadsheets read one table per file best; several are parted by an empty line.
            for (size_t t = 0; t < tables.size(); ++t) {
                file += (t ? kLineEnd : "") + CsvTable(tables[t]);
            }
            return FileOfText(CodePageToUtf8(file), TextEncoding::Utf8);
    }
    return file;
}

std::string ExportFilter() {
    return LanguageText(LanguageKey::AsTextfile) + " (*.txt)|*.txt|" + LanguageText(LanguageKey::AsHTMLfile) +
           " (*.htm;*.html)|*.htm;*.html|CSV (*.csv)|*.csv|";
}

std::string ExportFileName(const std::string& chosen, ExportFormat format) {
    switch (format) {
        case ExportFormat::Text:
            return EndsWithNoCase(chosen, ".txt") ? chosen : chosen + ".txt";
        case ExportFormat::Html:
            return EndsWithNoCase(chosen, ".htm") || EndsWithNoCase(chosen, ".html") ? chosen : chosen + ".htm";
        case ExportFormat::Csv:
            return EndsWithNoCase(chosen, ".csv") ? chosen : chosen + ".csv";
    }
    return chosen;
}

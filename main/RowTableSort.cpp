#include "main/RowTableSort.h"

#include <algorithm>
#include <cctype>

#include "foundation/ValueFormatting.h"

int CompareCellText(std::string_view first, std::string_view second) {
    size_t length = std::min(first.size(), second.size());
    for (size_t i = 0; i < length; ++i) {
        int a = std::tolower(static_cast<unsigned char>(first[i]));
        int b = std::tolower(static_cast<unsigned char>(second[i]));
        if (a != b) {
            return a < b ? -1 : 1;
        }
    }
    return first.size() == second.size() ? 0 : (first.size() < second.size() ? -1 : 1);
}

namespace {

std::string WithoutDots(std::string_view text) {
    std::string result;
    for (char c : text) {
        if (c != '.') {
            result += c;
        }
    }
    return result;
}

double CellNumber(std::string_view text) {
    // Thousands are grouped with "."; decimals use "," when the comma is chosen, else "." too, and
    // then one "." followed by exactly three digits reads as grouping (the lists show at most two
    // decimals).
    if (DecimalComma()) {
        return ParseDecimal(WithoutDots(text));
    }
    size_t dots = std::count(text.begin(), text.end(), '.');
    if (dots > 1) {
        return ParseGroupedNumber(text);
    }
    if (dots == 1) {
        size_t at = text.find('.');
        size_t digits = 0;
        while (at + 1 + digits < text.size() && std::isdigit(static_cast<unsigned char>(text[at + 1 + digits]))) {
            ++digits;
        }
        if (digits == 3) {
            return ParseGroupedNumber(text);
        }
    }
    return ParseDecimal(text);
}

}  // namespace

int CompareCellNumber(std::string_view first, std::string_view second) {
    double a = CellNumber(first);
    double b = CellNumber(second);
    return a < b ? -1 : (a > b ? 1 : 0);
}

int CompareCellDuration(std::string_view first, std::string_view second) {
    int64_t a = DurationSeconds(first);
    int64_t b = DurationSeconds(second);
    return a < b ? -1 : (a > b ? 1 : 0);
}

void SortRows(RowTable& table, size_t column, bool ascending, CellCompare compare) {
    static const std::string kEmpty;
    std::stable_sort(table.rows.begin(), table.rows.end(), [&](const TableRow& x, const TableRow& y) {
        const std::string& a = column < x.cells.size() ? x.cells[column] : kEmpty;
        const std::string& b = column < y.cells.size() ? y.cells[column] : kEmpty;
        int order = compare(a, b);
        return ascending ? order < 0 : order > 0;
    });
}

#include "main/RowTable.h"

#include <limits>
#include <utility>

namespace {

bool Exists(const RowTable& table, size_t row, size_t column) {
    return row < table.rows.size() && column < table.rows[row].cells.size();
}

// Digits after an optional sign, saturating at `limit`.
uint64_t LeadingMagnitude(std::string_view text, size_t start, uint64_t limit) {
    uint64_t value = 0;
    for (size_t i = start; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        uint64_t digit = static_cast<uint64_t>(text[i] - '0');
        if (value > (limit - digit) / 10)
            return limit;
        value = value * 10 + digit;
    }
    return value;
}

}  // namespace

RowTable MakeRowTable(size_t columnCount) {
    RowTable table;
    table.columnCount = columnCount;
    return table;
}

size_t RowCount(const RowTable& table) {
    return table.rows.size();
}

size_t AppendRow(RowTable& table) {
    TableRow row;
    row.cells.resize(table.columnCount);
    table.rows.push_back(std::move(row));
    return table.rows.size() - 1;
}

void RemoveRow(RowTable& table, size_t row) {
    if (row < table.rows.size())
        table.rows.erase(table.rows.begin() + static_cast<std::ptrdiff_t>(row));
}

void MoveRow(RowTable& table, size_t from, size_t to) {
    if (from >= table.rows.size() || to >= table.rows.size() || from == to)
        return;
    TableRow moved = std::move(table.rows[from]);
    table.rows.erase(table.rows.begin() + static_cast<std::ptrdiff_t>(from));
    table.rows.insert(table.rows.begin() + static_cast<std::ptrdiff_t>(to), std::move(moved));
}

const std::string& Cell(const RowTable& table, size_t row, size_t column) {
    static const std::string empty;
    return Exists(table, row, column) ? table.rows[row].cells[column] : empty;
}

bool SetCell(RowTable& table, size_t row, size_t column, std::string_view text) {
    if (!Exists(table, row, column))
        return false;
    std::string& cell = table.rows[row].cells[column];
    if (cell == text)
        return false;
    cell.assign(text.data(), text.size());
    return true;
}

int64_t CellInteger(const RowTable& table, size_t row, size_t column) {
    const std::string& text = Cell(table, row, column);
    bool negative = !text.empty() && text[0] == '-';
    size_t start = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    constexpr uint64_t kMaximum = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    uint64_t magnitude = LeadingMagnitude(text, start, negative ? kMaximum + 1 : kMaximum);
    if (!negative)
        return static_cast<int64_t>(magnitude);
    return magnitude > kMaximum ? std::numeric_limits<int64_t>::min() : -static_cast<int64_t>(magnitude);
}

uint64_t CellUnsigned(const RowTable& table, size_t row, size_t column) {
    const std::string& text = Cell(table, row, column);
    if (!text.empty() && text[0] == '-')
        return 0;
    size_t start = (!text.empty() && text[0] == '+') ? 1 : 0;
    return LeadingMagnitude(text, start, std::numeric_limits<uint64_t>::max());
}

bool SetCellInteger(RowTable& table, size_t row, size_t column, int64_t value) {
    return SetCell(table, row, column, std::to_string(value));
}

bool SetCellUnsigned(RowTable& table, size_t row, size_t column, uint64_t value) {
    return SetCell(table, row, column, std::to_string(value));
}

size_t FindRow(const RowTable& table, size_t column, std::string_view text) {
    for (size_t row = 0; row < table.rows.size(); ++row) {
        if (column < table.rows[row].cells.size() && table.rows[row].cells[column] == text)
            return row;
    }
    return kNoRow;
}

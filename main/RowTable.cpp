#include "main/RowTable.h"

#include <limits>
#include <utility>

#include "foundation/DecimalText.h"

namespace {

bool Exists(const RowTable& table, size_t row, size_t column) {
    return row < table.rows.size() && column < table.rows[row].cells.size();
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
    static const std::string kEmpty;
    return Exists(table, row, column) ? table.rows[row].cells[column] : kEmpty;
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
    return ClampDecimal(ReadDecimalText(Cell(table, row, column)), std::numeric_limits<int64_t>::min(),
                        std::numeric_limits<int64_t>::max());
}

uint64_t CellUnsigned(const RowTable& table, size_t row, size_t column) {
    DecimalText number = ReadDecimalText(Cell(table, row, column));
    return number.negative ? 0 : number.magnitude;
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

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The records of a list: columns of text cells plus, per row, what the list view draws besides
// the texts. Hidden columns are ordinary columns the view does not show; the process list keeps
// its previous samples there. Colours are Windows colour values (0x00BBGGRR).

struct TableRow {
    std::vector<std::string> cells;
    uint32_t textColour = 0x000000;
    uint32_t backgroundColour = 0xFFFFFF;
    int image = -1;  // image list index, -1 for none
    int indent = 0;
    bool selected = false;
};

struct RowTable {
    size_t columnCount = 0;
    std::vector<TableRow> rows;
};

constexpr size_t kNoRow = static_cast<size_t>(-1);

RowTable MakeRowTable(size_t columnCount);
size_t RowCount(const RowTable& table);

// Appends a row with every cell empty and returns its index.
size_t AppendRow(RowTable& table);
void RemoveRow(RowTable& table, size_t row);
// Moves a row, with its cells and state, so that it ends up at index `to`.
void MoveRow(RowTable& table, size_t from, size_t to);

// Cells outside the table read as empty and ignore writes.
const std::string& Cell(const RowTable& table, size_t row, size_t column);
// Writes the text when it differs from the cell; true when the cell changed.
bool SetCell(RowTable& table, size_t row, size_t column, std::string_view text);

// The leading decimal number of a cell; an empty or non-numeric cell reads as 0, and numbers beyond
// the type's range saturate.
int64_t CellInteger(const RowTable& table, size_t row, size_t column);
uint64_t CellUnsigned(const RowTable& table, size_t row, size_t column);
bool SetCellInteger(RowTable& table, size_t row, size_t column, int64_t value);
bool SetCellUnsigned(RowTable& table, size_t row, size_t column, uint64_t value);

// The first row whose cell in the column equals the text, or kNoRow.
size_t FindRow(const RowTable& table, size_t column, std::string_view text);

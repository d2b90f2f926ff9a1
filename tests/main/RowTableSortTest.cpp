#include "main/RowTableSort.h"

#include <gtest/gtest.h>

#include "foundation/ValueFormatting.h"

namespace {

RowTable TableOf(std::vector<std::vector<std::string>> rows) {
    RowTable table = MakeRowTable(2);
    for (auto& cells : rows) {
        size_t row = AppendRow(table);
        for (size_t c = 0; c < cells.size(); ++c) {
            SetCell(table, row, c, cells[c]);
        }
    }
    return table;
}

std::vector<std::string> Column(const RowTable& table, size_t column) {
    std::vector<std::string> result;
    for (size_t r = 0; r < RowCount(table); ++r) {
        result.push_back(Cell(table, r, column));
    }
    return result;
}

TEST(RowTableSort, NumbersSortByValueWithGroupingAndDecimals) {
    SetDecimalComma(false);
    RowTable table = TableOf({{"a", "987"}, {"b", "1.234"}, {"c", "12.5"}, {"d", ""}, {"e", "1.234.567"}, {"f", "-3"}});
    SortRows(table, 1, true, CompareCellNumber);
    EXPECT_EQ(Column(table, 1), (std::vector<std::string>{"-3", "", "12.5", "987", "1.234", "1.234.567"}));
    SortRows(table, 1, false, CompareCellNumber);
    EXPECT_EQ(Column(table, 0), (std::vector<std::string>{"e", "b", "a", "c", "d", "f"}));

    SetDecimalComma(true);
    table = TableOf({{"a", "12,5"}, {"b", "1.000"}, {"c", "3,75"}});
    SortRows(table, 1, true, CompareCellNumber);
    EXPECT_EQ(Column(table, 0), (std::vector<std::string>{"c", "a", "b"}));
    SetDecimalComma(false);
}

TEST(RowTableSort, TextIgnoresCaseAndEqualRowsKeepTheirOrderAndState) {
    RowTable table = TableOf({{"svchost.exe", "1"}, {"Explorer.EXE", "2"}, {"SVCHOST.exe", "3"}, {"b", "4"}});
    table.rows[2].selected = true;
    table.rows[2].textColour = 0x00FF00;
    SortRows(table, 0, true, CompareCellText);
    EXPECT_EQ(Column(table, 1), (std::vector<std::string>{"4", "2", "1", "3"}));
    EXPECT_TRUE(table.rows[3].selected);
    EXPECT_EQ(table.rows[3].textColour, 0x00FF00u);
    // Rows shorter than the column sort as empty cells rather than reading past their cells.
    table.rows[0].cells.resize(1);
    SortRows(table, 1, false, CompareCellNumber);
    EXPECT_EQ(Cell(table, 3, 0), "b");
}

}  // namespace

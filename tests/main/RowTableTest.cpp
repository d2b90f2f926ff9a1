#include "main/RowTable.h"

#include <gtest/gtest.h>

#include <limits>

TEST(RowTableTest, CellsOutsideTheTableReadEmptyAndIgnoreWrites) {
    RowTable table = MakeRowTable(3);
    size_t row = AppendRow(table);
    EXPECT_EQ(Cell(table, row, 2), "");
    EXPECT_EQ(Cell(table, row, 3), "");
    EXPECT_EQ(Cell(table, 7, 0), "");
    EXPECT_FALSE(SetCell(table, row, 3, "x"));
    EXPECT_FALSE(SetCell(table, 1, 0, "x"));
    EXPECT_EQ(RowCount(table), 1u);
}

TEST(RowTableTest, SetCellReportsOnlyRealChanges) {
    RowTable table = MakeRowTable(2);
    size_t row = AppendRow(table);
    EXPECT_TRUE(SetCell(table, row, 1, "12"));
    EXPECT_FALSE(SetCell(table, row, 1, "12"));
    EXPECT_TRUE(SetCellInteger(table, row, 1, 13));
    EXPECT_EQ(Cell(table, row, 1), "13");
}

TEST(RowTableTest, NumbersAreReadFromTheLeadingDigitsAndSaturate) {
    RowTable table = MakeRowTable(1);
    const struct {
        const char* text;
        int64_t integer;
        uint64_t unsignedValue;
    } cases[] = {
        {"", 0, 0},
        {"abc", 0, 0},
        {"42 KB", 42, 42},
        {"-17", -17, 0},
        {"+5", 5, 5},
        {"99999999999999999999999", std::numeric_limits<int64_t>::max(), std::numeric_limits<uint64_t>::max()},
        {"18446744073709551615", std::numeric_limits<int64_t>::max(), std::numeric_limits<uint64_t>::max()},
        {"-9223372036854775808", std::numeric_limits<int64_t>::min(), 0},
        {"-99999999999999999999", std::numeric_limits<int64_t>::min(), 0},
    };
    for (const auto& test : cases) {
        size_t row = AppendRow(table);
        SetCell(table, row, 0, test.text);
        EXPECT_EQ(CellInteger(table, row, 0), test.integer) << test.text;
        EXPECT_EQ(CellUnsigned(table, row, 0), test.unsignedValue) << test.text;
    }
}

TEST(RowTableTest, RowsMoveAndAreRemovedWithTheirState) {
    RowTable table = MakeRowTable(1);
    for (const char* key : {"a", "b", "c", "d"})
        SetCell(table, AppendRow(table), 0, key);
    table.rows[3].selected = true;
    table.rows[3].backgroundColour = 0x9999FF;
    MoveRow(table, 3, 1);
    EXPECT_EQ(Cell(table, 1, 0), "d");
    EXPECT_TRUE(table.rows[1].selected);
    EXPECT_EQ(table.rows[1].backgroundColour, 0x9999FFu);
    EXPECT_EQ(FindRow(table, 0, "c"), 3u);
    MoveRow(table, 0, 3);
    EXPECT_EQ(Cell(table, 3, 0), "a");
    MoveRow(table, 0, 9);  // out of range: nothing moves
    EXPECT_EQ(Cell(table, 0, 0), "d");
    RemoveRow(table, 0);
    RemoveRow(table, 5);
    EXPECT_EQ(RowCount(table), 3u);
    EXPECT_EQ(FindRow(table, 0, "d"), kNoRow);
    EXPECT_EQ(FindRow(table, 0, "b"), 0u);
}

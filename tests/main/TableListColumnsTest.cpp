#include "main/TableListColumns.h"

#include <gtest/gtest.h>

namespace {

ListColumn Column(size_t tableColumn) {
    return ListColumn{"c", 50, 0, tableColumn, nullptr};
}

}  // namespace

TEST(TableListColumnsTest, SortFollowsItsTableColumnIntoTheNewColumns) {
    const std::vector<ListColumn> before = {Column(0), Column(2), Column(3)};
    EXPECT_EQ(SortColumnAfterColumnChange(before, 1, {Column(3), Column(0), Column(2)}), 2);
    EXPECT_EQ(SortColumnAfterColumnChange(before, 1, {Column(0), Column(3)}), -1);
    EXPECT_EQ(SortColumnAfterColumnChange(before, 1, {Column(2), Column(2)}), 1);  // the last one shown
    EXPECT_EQ(SortColumnAfterColumnChange(before, -1, {Column(0)}), -1);
    EXPECT_EQ(SortColumnAfterColumnChange(before, 5, {Column(0)}), -1);
}

TEST(TableListColumnsTest, ClickTurnsTheSortedColumnAroundAndStartsOthersAscending) {
    EXPECT_FALSE(AscendingAfterClick(1, true, 1));
    EXPECT_TRUE(AscendingAfterClick(1, false, 1));
    EXPECT_TRUE(AscendingAfterClick(1, false, 2));
}

TEST(TableListColumnsTest, SortsByTheShownTableColumnAndIgnoresMissingColumns) {
    RowTable table = MakeRowTable(2);
    SetCell(table, AppendRow(table), 1, "b");
    SetCell(table, AppendRow(table), 1, "a");
    const std::vector<ListColumn> columns = {Column(1)};
    EXPECT_FALSE(SortRowsByListColumn(table, columns, 1, true));
    EXPECT_EQ(Cell(table, 0, 1), "b");
    EXPECT_TRUE(SortRowsByListColumn(table, columns, 0, true));
    EXPECT_EQ(Cell(table, 0, 1), "a");
}

TEST(TableListColumnsTest, SelectionAndCellTexts) {
    RowTable table = MakeRowTable(2);
    AppendRow(table);
    SetCell(table, AppendRow(table), 1, "x");
    SelectOnlyTableRow(table, 1);
    EXPECT_FALSE(table.rows[0].selected);
    EXPECT_TRUE(table.rows[1].selected);
    SelectOnlyTableRow(table, kNoRow);
    EXPECT_FALSE(table.rows[1].selected);
    const std::vector<ListColumn> columns = {Column(1), Column(7)};
    EXPECT_EQ(ListCellText(table, columns, 1, 0), "x");
    EXPECT_EQ(ListCellText(table, columns, 1, 1), "");
    EXPECT_EQ(ListCellText(table, columns, 2, 0), "");
    EXPECT_EQ(ListCellText(table, columns, 1, 2), "");
}

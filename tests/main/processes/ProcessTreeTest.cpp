#include "main/processes/ProcessTree.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "main/processes/ProcessListColumns.h"

namespace {

// Rows given as (pid, parent pid); the name column carries a label to follow each row.
RowTable MakeProcesses(const std::vector<std::pair<int, int>>& processes) {
    RowTable table = MakeRowTable(kProcessColumnCount);
    for (const auto& [pid, parent] : processes) {
        size_t row = AppendRow(table);
        SetCell(table, row, kProcessColumnName, "p" + std::to_string(pid));
        SetCellInteger(table, row, kProcessColumnProcessId, pid);
        SetCellInteger(table, row, kProcessColumnParentProcessId, parent);
    }
    return table;
}

std::vector<std::string> Pids(const RowTable& table) {
    std::vector<std::string> pids;
    for (size_t row = 0; row < RowCount(table); ++row)
        pids.push_back(Cell(table, row, kProcessColumnProcessId));
    return pids;
}

std::vector<int> Depths(const RowTable& table) {
    std::vector<int> depths;
    for (size_t row = 0; row < RowCount(table); ++row) {
        EXPECT_EQ(CellInteger(table, row, kProcessColumnTreeDepth), table.rows[row].indent) << "row " << row;
        depths.push_back(table.rows[row].indent);
    }
    return depths;
}

using Strings = std::vector<std::string>;
using Ints = std::vector<int>;

}  // namespace

TEST(ProcessTreeTest, RootsInOrderThenChildrenBelowTheirParentsInTheirOrder) {
    // 0 is its own parent; 4's parent 0; 300's parent is not listed (ended); children listed
    // before their parents and siblings scattered.
    RowTable table = MakeProcesses({{500, 4}, {4, 0}, {300, 77}, {0, 0}, {600, 300}, {510, 4}, {700, 500}, {520, 4}});
    ArrangeProcessTree(table);
    EXPECT_EQ(Pids(table), (Strings{"300", "600", "0", "4", "500", "700", "510", "520"}));
    EXPECT_EQ(Depths(table), (Ints{0, 1, 0, 1, 2, 3, 2, 2}));
    // Each row moved whole: its name follows its pid.
    for (size_t row = 0; row < RowCount(table); ++row)
        EXPECT_EQ(Cell(table, row, kProcessColumnName), "p" + Cell(table, row, kProcessColumnProcessId));

    // Arranging again changes nothing.
    RowTable again = table;
    ArrangeProcessTree(again);
    EXPECT_EQ(Pids(again), Pids(table));
    EXPECT_EQ(Depths(again), Depths(table));
}

TEST(ProcessTreeTest, AChildWhoseParentEndedBecomesARootAtDepthZero) {
    RowTable table = MakeProcesses({{1, 1}, {10, 1}, {20, 10}, {30, 20}});
    ArrangeProcessTree(table);
    EXPECT_EQ(Depths(table), (Ints{0, 1, 2, 3}));
    // 10 ends: 20 becomes a root at the top, and its old depth does not carry over to 30.
    RemoveRow(table, 1);
    ArrangeProcessTree(table);
    EXPECT_EQ(Pids(table), (Strings{"1", "20", "30"}));
    EXPECT_EQ(Depths(table), (Ints{0, 0, 1}));
}

TEST(ProcessTreeTest, AParentCycleStaysAtTheBottomUnindented) {
    // 8 and 9 are each other's parent, 11 hangs below the cycle; 5 is an ordinary root.
    RowTable table = MakeProcesses({{8, 9}, {11, 9}, {5, 5}, {9, 8}, {6, 5}});
    table.rows[0].indent = 3;  // left over from an earlier arrangement
    SetCellInteger(table, 0, kProcessColumnTreeDepth, 3);
    ArrangeProcessTree(table);
    EXPECT_EQ(Pids(table), (Strings{"5", "6", "8", "11", "9"}));
    EXPECT_EQ(Depths(table), (Ints{0, 1, 0, 0, 0}));
}

TEST(ProcessTreeTest, SelectionColoursAndImagesMoveWithTheirRows) {
    RowTable table = MakeProcesses({{2, 1}, {1, 1}});
    table.rows[0].selected = true;
    table.rows[0].backgroundColour = 0xCCFFCC;
    table.rows[0].image = 7;
    ArrangeProcessTree(table);
    ASSERT_EQ(Pids(table), (Strings{"1", "2"}));
    EXPECT_FALSE(table.rows[0].selected);
    EXPECT_TRUE(table.rows[1].selected);
    EXPECT_EQ(table.rows[1].backgroundColour, 0xCCFFCCu);
    EXPECT_EQ(table.rows[1].image, 7);
}

TEST(ProcessTreeTest, LongChainsAndEmptyTables) {
    RowTable empty = MakeRowTable(kProcessColumnCount);
    ArrangeProcessTree(empty);
    EXPECT_EQ(RowCount(empty), 0u);

    // 20 000 generations listed youngest first: no recursion depth problem, every row placed.
    std::vector<std::pair<int, int>> chain;
    for (int pid = 20000; pid >= 1; --pid)
        chain.push_back({pid, pid - 1});
    RowTable table = MakeProcesses(chain);
    ArrangeProcessTree(table);
    ASSERT_EQ(RowCount(table), 20000u);
    EXPECT_EQ(Cell(table, 0, kProcessColumnProcessId), "1");
    EXPECT_EQ(Cell(table, 19999, kProcessColumnProcessId), "20000");
    EXPECT_EQ(table.rows[19999].indent, 19999);
}

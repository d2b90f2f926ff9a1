#include "main/processes/ProcessSelection.h"

#include <gtest/gtest.h>

#include "foundation/Language.h"
#include "main/processes/ProcessListColumns.h"
#include "main/processes/ProcessListRows.h"

namespace {

RowTable Rows() {
    RowTable table = MakeRowTable(kProcessColumnCount);
    std::string rows[][5] = {{"4", "0", "system", "", PriorityShortName(kPriorityNormal)},
                             {"10", "4", "a.exe", "C:\\a\\a.exe", PriorityShortName(kPriorityHigh)},
                             {"11", "99", "b.exe", "C:\\b\\b.exe", PriorityShortName(kPriorityIdle)}};
    for (auto& cells : rows) {
        size_t row = AppendRow(table);
        SetCell(table, row, kProcessColumnProcessId, cells[0]);
        SetCell(table, row, kProcessColumnParentProcessId, cells[1]);
        SetCell(table, row, kProcessColumnName, cells[2]);
        SetCell(table, row, kProcessColumnFilePath, cells[3]);
        SetCell(table, row, kProcessColumnPriority, cells[4]);
    }
    return table;
}

TEST(ProcessSelection, SelectedRowsInOrder) {
    RowTable table = Rows();
    table.rows[2].selected = true;
    table.rows[1].selected = true;
    std::vector<SelectedProcess> selected = SelectedProcesses(table);
    ASSERT_EQ(selected.size(), 2u);
    EXPECT_EQ(selected[0].pid, 10u);
    EXPECT_EQ(selected[1].name, "b.exe");
    EXPECT_EQ(selected[1].path, "C:\\b\\b.exe");
}

TEST(ProcessSelection, EndQuestionListsSeveralProcesses) {
    std::vector<SelectedProcess> two = {{1, "a.exe", ""}, {2, "b.exe", ""}};
    EXPECT_EQ(EndQuestion(two).text,
              LanguageText(LanguageKey::ReallyEndFollowingProcesses) + "\r\n\r\n - a.exe\r\n - b.exe\r\n");
    EXPECT_EQ(EndQuestion({two[0]}).text, LanguageTextWith(LanguageKey::ReallyEndProcess, "a.exe"));
}

TEST(ProcessSelection, PrioritiesOfSelectedRowsAreChecked) {
    RowTable table = Rows();
    table.rows[1].selected = true;
    table.rows[2].selected = true;
    std::array<bool, kPriorityCommandCount> checked = CheckedPriorities(table);
    std::array<bool, kPriorityCommandCount> expected = {false, true, false, false, false, true};
    EXPECT_EQ(checked, expected);
}

TEST(ProcessSelection, AffinityKeepsWithinTheSystem) {
    EXPECT_EQ(ToggledAffinity(0b011, 0b111, 2), 0b111u);
    EXPECT_EQ(ToggledAffinity(0b011, 0b011, 2), 0b011u);
    EXPECT_EQ(ToggledAffinity(0b001, 0b111, 0), 0u);
    EXPECT_EQ(ToggledAffinity(0b001, 0b111, -1), 0u);
}

TEST(ProcessSelection, LoneProcessorIsDisabled) {
    std::vector<ProcessorMark> marks = ProcessorMarks(0b10, true, 3);
    ASSERT_EQ(marks.size(), 3u);
    EXPECT_TRUE(marks[0].enabled);
    EXPECT_FALSE(marks[1].enabled);
    EXPECT_TRUE(marks[1].checked);
    marks = ProcessorMarks(0b11, true, 3);
    EXPECT_TRUE(marks[0].enabled && marks[1].enabled);
    EXPECT_FALSE(ProcessorMarks(0, false, 2)[0].enabled);
}

TEST(ProcessSelection, ParentRowWhenListed) {
    RowTable table = Rows();
    EXPECT_EQ(ParentRow(table, 1), 0u);
    EXPECT_EQ(ParentRow(table, 2), kNoRow);
    EXPECT_EQ(ParentRow(table, kNoRow), kNoRow);
}

TEST(ProcessSelection, SearchAddressTakesTheFileName) {
    EXPECT_EQ(WebSearchAddress("https://s/?q=<%1>", "C:\\x\\y.exe"), "https://s/?q=y.exe");
}

}  // namespace

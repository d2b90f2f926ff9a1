#include "main/processes/ProcessListRows.h"

#include <gtest/gtest.h>

#include <string>
#include <unordered_set>
#include <vector>

#include "foundation/Language.h"
#include "foundation/ValueFormatting.h"
#include "main/RowTableSort.h"
#include "tests/harness/TestSupport.h"

namespace {

ProcessRowTexts TextsOf(uint32_t pid, const std::string& memory) {
    ProcessRowTexts texts;
    texts[kProcessColumnName] = "p" + std::to_string(pid);
    texts[kProcessColumnProcessId] = std::to_string(pid);
    texts[kProcessColumnParentProcessId] = "4";
    texts[kProcessColumnMemoryUsage] = memory;
    texts[kProcessColumnRunningTime] = "00:00:01";
    texts[kProcessColumnFileSize] = "12 KB";
    return texts;
}

RowTable TableOf(const std::vector<uint32_t>& pids) {
    RowTable table = MakeRowTable(kProcessColumnCount);
    for (uint32_t pid : pids)
        AppendProcessRow(table, TextsOf(pid, "1.000 KB"));
    return table;
}

std::unordered_set<uint32_t> SetOf(const std::vector<uint32_t>& pids) {
    return {pids.begin(), pids.end()};
}

std::vector<std::string> Pids(const RowTable& table) {
    std::vector<std::string> pids;
    for (size_t row = 0; row < RowCount(table); ++row)
        pids.push_back(Cell(table, row, kProcessColumnProcessId));
    return pids;
}

}  // namespace

TEST(ProcessListRowsTest, AnUnchangedProcessWritesNothingAndEachChangeIsSeen) {
    RowTable table = TableOf({8});
    ProcessRowTexts texts = TextsOf(8, "1.000 KB");
    EXPECT_FALSE(UpdateProcessRowCells(table, 0, texts, true));

    texts[kProcessColumnMemoryUsage] = "1.004 KB";
    EXPECT_TRUE(UpdateProcessRowCells(table, 0, texts, true));
    EXPECT_EQ(Cell(table, 0, kProcessColumnMemoryUsage), "1.004 KB");
    EXPECT_FALSE(UpdateProcessRowCells(table, 0, texts, true));

    // The times are left alone while their columns are hidden.
    texts[kProcessColumnRunningTime] = "00:00:02";
    EXPECT_FALSE(UpdateProcessRowCells(table, 0, texts, false));
    EXPECT_EQ(Cell(table, 0, kProcessColumnRunningTime), "00:00:01");
    EXPECT_TRUE(UpdateProcessRowCells(table, 0, texts, true));

    // Parent and file size belong to the row's creation: an update never rewrites them.
    texts[kProcessColumnParentProcessId] = "99";
    texts[kProcessColumnFileSize] = "13 KB";
    EXPECT_FALSE(UpdateProcessRowCells(table, 0, texts, true));
    EXPECT_EQ(Cell(table, 0, kProcessColumnParentProcessId), "4");
    EXPECT_EQ(Cell(table, 0, kProcessColumnFileSize), "12 KB");
}

TEST(ProcessListRowsTest, EndedProcessesGoInOnePassIncludingNeighbours) {
    RowTable table = TableOf({1, 2, 3, 4, 5, 6});
    SetCellInteger(table, 1, kProcessColumnHistoryImage, 7);
    SetCellInteger(table, 2, kProcessColumnHistoryImage, 0);
    table.rows[3].selected = true;
    std::vector<int> freed;
    EXPECT_TRUE(RemoveEndedProcessRows(table, SetOf({1, 4, 6}), &freed));
    EXPECT_EQ(Pids(table), (std::vector<std::string>{"1", "4", "6"}));
    EXPECT_TRUE(table.rows[1].selected);
    EXPECT_EQ(freed, (std::vector<int>{7}));
    EXPECT_FALSE(RemoveEndedProcessRows(table, SetOf({1, 4, 6, 9}), nullptr));
    EXPECT_TRUE(RemoveEndedProcessRows(table, SetOf({}), nullptr));
    EXPECT_EQ(RowCount(table), 0u);
}

TEST(ProcessListRowsTest, TheIndexFindsTheFirstRowOfEachPid) {
    RowTable table = TableOf({10, 20, 10});
    ProcessRowIndex index;
    BuildProcessRowIndex(index, table);
    EXPECT_EQ(FindProcessRow(index, 10), 0u);
    EXPECT_EQ(FindProcessRow(index, 20), 1u);
    EXPECT_EQ(FindProcessRow(index, 30), kNoRow);
    AddToProcessRowIndex(index, 30, AppendProcessRow(table, TextsOf(30, "")));
    EXPECT_EQ(FindProcessRow(index, 30), 3u);
}

TEST(ProcessListRowsTest, SizesAndCountsSortByValueNamesByText) {
    RowTable table = TableOf({1, 2, 3, 4});
    SetCell(table, 0, kProcessColumnMemoryUsage, "987 KB");
    SetCell(table, 1, kProcessColumnMemoryUsage, "1.234 KB");
    SetCell(table, 2, kProcessColumnMemoryUsage, "12.345.678 KB");
    SetCell(table, 3, kProcessColumnMemoryUsage, "5 KB");
    SortRows(table, kProcessColumnMemoryUsage, true, ProcessColumnCompare(kProcessColumnMemoryUsage));
    EXPECT_EQ(Pids(table), (std::vector<std::string>{"4", "1", "2", "3"}));

    // Pids 9 and 10: by value, not "10" before "9".
    RowTable pids = TableOf({10, 9, 100});
    SortRows(pids, kProcessColumnProcessId, false, ProcessColumnCompare(kProcessColumnProcessId));
    EXPECT_EQ(Pids(pids), (std::vector<std::string>{"100", "10", "9"}));

    SetCell(pids, 0, kProcessColumnName, "b");
    SetCell(pids, 1, kProcessColumnName, "A");
    SetCell(pids, 2, kProcessColumnName, "c");
    SortRows(pids, kProcessColumnName, true, ProcessColumnCompare(kProcessColumnName));
    EXPECT_EQ(Pids(pids), (std::vector<std::string>{"10", "100", "9"}));

    EXPECT_TRUE(IsRightAlignedProcessColumn(kProcessColumnFileSize));
    EXPECT_FALSE(IsRightAlignedProcessColumn(kProcessColumnFileAttributes));
    EXPECT_FALSE(IsRightAlignedProcessColumn(kProcessColumnPriority));
}

TEST(ProcessListRowsTest, PriorityNamesColoursAttributesAndNames) {
    uint32_t colour = 0x123456;
    EXPECT_TRUE(PriorityBackground(kPriorityBelowNormal, colour));
    EXPECT_EQ(colour, 0xCCFFCCu);
    EXPECT_TRUE(PriorityBackground(kPriorityRealtime, colour));
    EXPECT_EQ(colour, 0x9999FFu);  // red FF, green 99, blue 99
    EXPECT_FALSE(PriorityBackground(0, colour));
    EXPECT_EQ(colour, 0x9999FFu);
    EXPECT_EQ(PriorityShortName(kPriorityIdle), LanguageText(LanguageKey::PriorityShortLow));
    EXPECT_EQ(PriorityShortName(0), LanguageText(LanguageKey::NotDetectable));

    EXPECT_EQ(FileAttributeText("", kAttributeArchive), "");
    EXPECT_EQ(FileAttributeText("C:\\a.exe", kInvalidAttributes), LanguageText(LanguageKey::NotDetectable));
    EXPECT_EQ(FileAttributeText("C:\\a.exe", kAttributeArchive | kAttributeReadOnly | kAttributeSystem), "a - - r s ");
    EXPECT_EQ(FileAttributeText("C:\\a.exe", kAttributeCompressed | kAttributeHidden), "- c h - - ");

    EXPECT_EQ(ProcessDisplayName(0, "whatever"), LanguageText(LanguageKey::IdleProcess));
    EXPECT_EQ(ProcessDisplayName(4, ""), LanguageText(LanguageKey::System));
    EXPECT_EQ(ProcessDisplayName(8, ""), LanguageText(LanguageKey::UnknownProcess));
    EXPECT_EQ(ProcessDisplayName(8, "x.exe"), "x.exe");
    EXPECT_EQ(FileSizeText(12999), "12 KB");
}

TEST(ProcessListRowsTest, DurationsSortByTheirLength) {
    UseSourceLanguage();
    const int64_t seconds[] = {3600, 84, 1, 155, 17, 90061};
    RowTable table = TableOf({1, 2, 3, 4, 5, 6});
    for (size_t row = 0; row < 6; ++row) {
        SetCell(table, row, kProcessColumnRunningTime, FormatDuration(seconds[row]));
        SetCell(table, row, kProcessColumnCpuTime, FormatDuration(seconds[row]));
    }
    SortRows(table, kProcessColumnRunningTime, true, ProcessColumnCompare(kProcessColumnRunningTime));
    EXPECT_EQ(Pids(table), (std::vector<std::string>{"3", "5", "2", "4", "1", "6"}));
    SortRows(table, kProcessColumnCpuTime, false, ProcessColumnCompare(kProcessColumnCpuTime));
    EXPECT_EQ(Pids(table), (std::vector<std::string>{"6", "1", "4", "2", "5", "3"}));
    EXPECT_EQ(DurationSeconds("1 Day, 1 Hour, 1 Minute, 1 Second"), 90061);
    EXPECT_EQ(DurationSeconds(""), 0);
    EXPECT_EQ(DurationSeconds("2 Fortnights"), -1);
    EXPECT_EQ(DurationSeconds("Minutes"), -1);
}

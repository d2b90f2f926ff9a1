#include "main/processes/ProcessListUpdate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/Language.h"
#include "foundation/ValueFormatting.h"
#include "main/processes/ProcessListRows.h"

namespace {

// A normal-priority process that could be opened and whose CPU times stand still.
ProcessSample Running(uint32_t pid, const std::string& name) {
    ProcessSample sample;
    sample.pid = pid;
    sample.opened = true;
    sample.name = name;
    sample.path = "C:\\Programs\\" + name;
    sample.parentPid = 4;
    sample.priorityClass = kPriorityNormal;
    sample.workingSet = 2000000;
    sample.threads = 3;
    sample.handles = 20;
    sample.ioAvailable = true;
    sample.io.writeBytes = 9000;
    sample.cpuRead = true;
    sample.cpu = sample.cpuNext = CpuSample{100, 50, 1000};
    sample.fileAttributes = kAttributeArchive;
    sample.fileSize = 12999;
    return sample;
}

ProcessListOptions AllShown() {
    ProcessListOptions options;
    options.shown.fill(true);
    return options;
}

}  // namespace

TEST(ProcessListUpdateTest, NewProcessesAreAppendedAndEndedOnesGoInTheSamePass) {
    RowTable table = MakeRowTable(kProcessColumnCount);
    ProcessPass pass{{Running(8, "a.exe"), Running(12, "b.exe")}, 0};
    pass.samples[1].priorityClass = kPriorityIdle;
    ProcessListChanges changes = ApplyProcessPass(table, pass, AllShown());
    EXPECT_TRUE(ProcessListChanged(changes));
    ASSERT_EQ(changes.addedRows.size(), 2u);
    EXPECT_EQ(changes.addedRows[1].row, 1u);
    EXPECT_EQ(changes.addedRows[1].sample, 1u);
    ASSERT_EQ(RowCount(table), 2u);
    EXPECT_EQ(Cell(table, 1, kProcessColumnName), "b.exe");
    EXPECT_EQ(Cell(table, 1, kProcessColumnParentProcessId), "4");
    EXPECT_EQ(Cell(table, 1, kProcessColumnFileSize), "12 KB");
    EXPECT_EQ(Cell(table, 1, kProcessColumnFileAttributes), "a - - - - ");
    EXPECT_EQ(Cell(table, 1, kProcessColumnHistoryImage), "0");
    EXPECT_EQ(table.rows[1].backgroundColour, 0xAAFFAAu);
    // The first samples, for the next refresh to measure against.
    EXPECT_EQ(Cell(table, 1, kProcessColumnPreviousClock), "1000");
    EXPECT_EQ(Cell(table, 1, kProcessColumnPreviousWriteBytes), "9000");
    EXPECT_EQ(Cell(table, 1, kProcessColumnWriteActivity), "");

    // a ends and c starts: c is reported where the removal left it. With the CPU column hidden a
    // new row keeps no CPU sample, while a listed one goes on measuring.
    SetCellInteger(table, 0, kProcessColumnHistoryImage, 5);
    pass.samples = {Running(12, "b.exe"), Running(20, "c.exe")};
    pass.samples[0].priorityClass = kPriorityIdle;
    pass.samples[0].cpu = pass.samples[0].cpuNext = CpuSample{100, 50, 1200};
    ProcessListOptions cpuHidden = AllShown();
    cpuHidden.shown[kProcessColumnCpuUsage] = false;
    changes = ApplyProcessPass(table, pass, cpuHidden);
    ASSERT_EQ(RowCount(table), 2u);
    EXPECT_EQ(Cell(table, 0, kProcessColumnName), "b.exe");
    EXPECT_EQ(Cell(table, 1, kProcessColumnName), "c.exe");
    EXPECT_EQ(changes.removedRows, 1u);
    EXPECT_EQ(changes.freedHistoryImages, (std::vector<int>{5}));
    ASSERT_EQ(changes.addedRows.size(), 1u);
    EXPECT_EQ(changes.addedRows[0].row, 1u);
    EXPECT_EQ(changes.addedRows[0].sample, 1u);
    EXPECT_EQ(Cell(table, 0, kProcessColumnPreviousClock), "1200");
    EXPECT_EQ(Cell(table, 1, kProcessColumnPreviousClock), "");
}

TEST(ProcessListUpdateTest, ListedRowsReportOnlyWhatChanged) {
    SetDecimalComma(false);
    RowTable table = MakeRowTable(kProcessColumnCount);
    ProcessPass pass{{Running(8, "a.exe"), Running(12, "b.exe")}, 1000000000};
    // Started an hour before the pass.
    for (ProcessSample& sample : pass.samples)
        sample.creationTime = (1000000000ull - 3600 + 11644473600ull) * 10000000;
    ApplyProcessPass(table, pass, AllShown());
    SetCellInteger(table, 1, kProcessColumnHistoryImage, 3);

    ProcessListChanges same = ApplyProcessPass(table, pass, AllShown());
    EXPECT_FALSE(ProcessListChanged(same));
    EXPECT_EQ(same.updatedRows, 0u);
    ASSERT_EQ(same.historySteps.size(), 1u) << "an idle process's history moves on too";
    EXPECT_EQ(same.historySteps[0].image, 3);
    EXPECT_EQ(same.historySteps[0].share, 0.0f);

    // b used 50 ms of CPU in 100 ms and wrote 4 KB; a is as it was.
    ProcessSample& b = pass.samples[1];
    b.cpu = b.cpuNext = CpuSample{130, 70, 1100};
    b.io.writeBytes += 4000;
    ProcessListChanges busy = ApplyProcessPass(table, pass, AllShown());
    EXPECT_EQ(busy.updatedRows, 1u);
    EXPECT_EQ(Cell(table, 1, kProcessColumnCpuUsage), "50.0%");
    EXPECT_EQ(Cell(table, 1, kProcessColumnWriteActivity), "4.00 KB/s");
    ASSERT_EQ(busy.historySteps.size(), 1u);
    EXPECT_EQ(busy.historySteps[0].share, 50.0f);
    ProcessListOptions noHistory = AllShown();
    noHistory.cpuHistory = false;
    EXPECT_TRUE(ApplyProcessPass(table, pass, noHistory).historySteps.empty());

    // A minute on, the running times change, but only where they are shown.
    ApplyProcessPass(table, pass, AllShown());
    pass.nowUnixSeconds += 60;
    ProcessListOptions timesHidden = AllShown();
    timesHidden.shown[kProcessColumnRunningTime] = timesHidden.shown[kProcessColumnCpuTime] = false;
    EXPECT_FALSE(ProcessListChanged(ApplyProcessPass(table, pass, timesHidden)));
    EXPECT_EQ(ApplyProcessPass(table, pass, AllShown()).updatedRows, 2u);
}

TEST(ProcessListUpdateTest, AReusedPidKeepsItsRowAndMeasuresAgainstThePreviousProcess) {
    RowTable table = MakeRowTable(kProcessColumnCount);
    ProcessPass pass{{Running(8, "a.exe")}, 0};
    pass.samples[0].creationTime = 100;
    ApplyProcessPass(table, pass, AllShown());

    ProcessSample next = Running(8, "b.exe");
    next.creationTime = 200;
    next.parentPid = 30;
    next.io.writeBytes = 1000;
    pass.samples = {next};
    ProcessListChanges changes = ApplyProcessPass(table, pass, AllShown());
    EXPECT_TRUE(changes.addedRows.empty());
    EXPECT_EQ(changes.removedRows, 0u);
    EXPECT_EQ(changes.updatedRows, 1u);
    EXPECT_EQ(Cell(table, 0, kProcessColumnName), "b.exe");
    EXPECT_EQ(Cell(table, 0, kProcessColumnParentProcessId), "4") << "written when the row was made";
    EXPECT_EQ(Cell(table, 0, kProcessColumnWriteActivity), "") << "the count went backwards";
    EXPECT_EQ(Cell(table, 0, kProcessColumnPreviousWriteBytes), "1000");
}

TEST(ProcessListUpdateTest, ARowWhoseIdRunsAnotherExecutableIsReportedForItsImage) {
    RowTable table = MakeRowTable(kProcessColumnCount);
    ProcessPass pass{{Running(4, "x.exe"), Running(8, "a.exe")}, 0};
    ApplyProcessPass(table, pass, AllShown());
    pass.samples = {Running(8, "b.exe")};
    ProcessListChanges changes = ApplyProcessPass(table, pass, AllShown());
    ASSERT_EQ(changes.repathedRows.size(), 1u);
    EXPECT_EQ(changes.repathedRows[0].row, 0u) << "after the row above it went";
    EXPECT_EQ(changes.repathedRows[0].sample, 0u);
    EXPECT_TRUE(ApplyProcessPass(table, pass, AllShown()).repathedRows.empty());
}

TEST(ProcessListUpdateTest, AProcessThatCannotBeOpenedShowsPlaceholdersAndKeepsItsSamples) {
    RowTable table = MakeRowTable(kProcessColumnCount);
    ProcessPass pass{{Running(8, "a.exe")}, 0};
    pass.samples[0].priorityClass = kPriorityHigh;
    ApplyProcessPass(table, pass, AllShown());
    SetCell(table, 0, kProcessColumnCpuUsage, "12.0%");
    SetCell(table, 0, kProcessColumnWriteActivity, "1.00 KB/s");

    // What the layer gives for processes it cannot open: 8 still listed, 12 new.
    ProcessSample closed, closedNew;
    closed.pid = 8;
    closedNew.pid = 12;
    pass.samples = {closed, closedNew};
    ProcessListChanges changes = ApplyProcessPass(table, pass, AllShown());
    EXPECT_EQ(changes.updatedRows, 1u);
    EXPECT_TRUE(changes.historySteps.empty());
    EXPECT_EQ(Cell(table, 0, kProcessColumnName), LanguageText(LanguageKey::UnknownProcess));
    EXPECT_EQ(Cell(table, 0, kProcessColumnFilePath), LanguageText(LanguageKey::NotDetectable));
    EXPECT_EQ(Cell(table, 0, kProcessColumnFileAttributes), "");
    EXPECT_EQ(Cell(table, 0, kProcessColumnPriority), LanguageText(LanguageKey::NotDetectable));
    EXPECT_EQ(table.rows[0].backgroundColour, 0xCCCCFFu) << "the colour stays";
    EXPECT_EQ(Cell(table, 0, kProcessColumnCpuUsage), "");
    EXPECT_EQ(Cell(table, 0, kProcessColumnWriteActivity), "");
    EXPECT_EQ(Cell(table, 0, kProcessColumnPreviousClock), "1000");
    EXPECT_EQ(Cell(table, 0, kProcessColumnPreviousWriteBytes), "9000");
    EXPECT_EQ(Cell(table, 1, kProcessColumnParentProcessId), "-1");
    EXPECT_EQ(Cell(table, 1, kProcessColumnFileSize), "");
    EXPECT_EQ(Cell(table, 1, kProcessColumnPreviousClock), "");
}

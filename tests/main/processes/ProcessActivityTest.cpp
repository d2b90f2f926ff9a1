#include "main/processes/ProcessActivity.h"

#include <gtest/gtest.h>

#include "foundation/ValueFormatting.h"
#include "main/processes/ProcessListColumns.h"
#include "main/processes/ProcessSample.h"

TEST(ProcessActivityTest, ActivityIsTheKilobytesMovedSinceThePreviousRefresh) {
    SetDecimalComma(false);
    EXPECT_EQ(IoActivityText(10000000, 0), "10000.00 KB/s");
    EXPECT_EQ(IoActivityText(1234, 1000), "0.23 KB/s");
    EXPECT_EQ(IoActivityText(5, 5), "") << "nothing moved";
    EXPECT_EQ(IoActivityText(5, 9), "") << "counts of a reused id went backwards";
    EXPECT_EQ(IoActivityText(uint64_t{1} << 40, 0), "1099511627.78 KB/s") << "beyond 32 bits";
}

TEST(ProcessActivityTest, RowUpdateWritesActivityAndStoresTheCounts) {
    SetDecimalComma(false);
    RowTable table = MakeRowTable(kProcessColumnCount);
    size_t row = AppendRow(table);
    IoCounts counts;
    counts.writeBytes = 5000;
    counts.readBytes = 70000;
    counts.otherBytes = 10;
    StoreIoCounts(table, row, counts);
    EXPECT_EQ(Cell(table, row, kProcessColumnPreviousWriteBytes), "5000");
    EXPECT_EQ(Cell(table, row, kProcessColumnWriteActivity), "") << "a new row shows no activity";

    counts.writeBytes += 10000000;
    counts.readOperations = 99;  // operation counts do not show
    EXPECT_TRUE(UpdateIoActivity(table, row, counts));
    EXPECT_EQ(Cell(table, row, kProcessColumnWriteActivity), "10000.00 KB/s");
    EXPECT_EQ(Cell(table, row, kProcessColumnReadActivity), "");
    EXPECT_EQ(Cell(table, row, kProcessColumnOtherActivity), "");
    EXPECT_EQ(Cell(table, row, kProcessColumnPreviousWriteBytes), "10005000");

    counts.otherBytes += 2500;
    EXPECT_TRUE(UpdateIoActivity(table, row, counts));
    EXPECT_EQ(Cell(table, row, kProcessColumnWriteActivity), "");
    EXPECT_EQ(Cell(table, row, kProcessColumnOtherActivity), "2.50 KB/s");
    EXPECT_TRUE(ClearIoActivity(table, row));
    EXPECT_EQ(Cell(table, row, kProcessColumnOtherActivity), "");
    EXPECT_EQ(Cell(table, row, kProcessColumnPreviousOtherBytes), "2510") << "kept for when the process opens again";
    EXPECT_FALSE(ClearIoActivity(table, row));
    EXPECT_FALSE(UpdateIoActivity(table, row, counts)) << "no change, nothing to redraw";
}

TEST(ProcessActivityTest, MemoryIsInDecimalKilobytes) {
    EXPECT_EQ(MemoryText(0), "0 KB");
    EXPECT_EQ(MemoryText(999), "0 KB");
    EXPECT_EQ(MemoryText(12345678), "12.345 KB");
    EXPECT_EQ(MemoryText(25276153856ull), "25.276.153 KB");
}

TEST(ProcessActivityTest, SampleWithoutCountersKeepsThePreviousCounts) {
    SetDecimalComma(false);
    RowTable table = MakeRowTable(kProcessColumnCount);
    size_t row = AppendRow(table);
    ProcessSample sample;
    sample.opened = true;
    sample.ioAvailable = true;
    sample.io.readBytes = 4000;
    StoreIoCounts(table, row, sample.io);
    sample.io.readBytes = 6000;
    EXPECT_TRUE(WriteIoActivity(table, row, sample));
    EXPECT_EQ(Cell(table, row, kProcessColumnReadActivity), "2.00 KB/s");

    // The counters could not be read this time: they are reported as 0, which is no figure.
    sample.ioAvailable = false;
    sample.io = IoCounts{};
    EXPECT_TRUE(WriteIoActivity(table, row, sample));
    EXPECT_EQ(Cell(table, row, kProcessColumnReadActivity), "");
    EXPECT_EQ(Cell(table, row, kProcessColumnPreviousReadBytes), "6000");

    sample.ioAvailable = true;
    sample.io.readBytes = 6500;
    WriteIoActivity(table, row, sample);
    EXPECT_EQ(Cell(table, row, kProcessColumnReadActivity), "0.50 KB/s") << "no burst after the gap";
}

#include "main/processes/ProcessCpu.h"

#include <gtest/gtest.h>

#include "foundation/Language.h"
#include "foundation/ValueFormatting.h"
#include "main/processes/ProcessListColumns.h"

namespace {

constexpr uint64_t kTicksPerMs = 10000;

CpuSample Sample(int64_t userMs, int64_t kernelMs, uint32_t clock) {
    CpuSample sample;
    sample.userMilliseconds = userMs;
    sample.kernelMilliseconds = kernelMs;
    sample.clock = clock;
    return sample;
}

RowTable ProcessRows() {
    RowTable table = MakeRowTable(kProcessColumnCount);
    AppendRow(table);
    return table;
}

void UseEnglishDurations() {
    SetCurrentLanguage(ParseLanguageCatalogue(
        "[Content]\nDay = Day\nDays = Days\nHour = Hour\nHours = Hours\nMinute = Minute\nMinutes = Minutes\n"
        "Second = Second\nSeconds = Seconds\n"));
}

}  // namespace

TEST(ProcessCpuTest, TimesDropWholeDays) {
    EXPECT_EQ(TimeOfDayMilliseconds(0), 0);
    EXPECT_EQ(TimeOfDayMilliseconds(12345 * kTicksPerMs + 9999), 12345);
    EXPECT_EQ(TimeOfDayMilliseconds((kMillisecondsPerDay + 250) * kTicksPerMs), 250);
    EXPECT_EQ(TimeOfDayMilliseconds((3 * kMillisecondsPerDay - 1) * kTicksPerMs), kMillisecondsPerDay - 1);
    // 1 January 1970 and a second later, as FILETIME counts from 1601.
    EXPECT_EQ(UnixSecondsFromFileTime(116444736000000000ull), 0);
    EXPECT_EQ(UnixSecondsFromFileTime(116444736010000000ull), 1);
    EXPECT_LT(UnixSecondsFromFileTime(0), 0);
}

TEST(ProcessCpuTest, ShareIsTimeUsedOverTimePassedWithinItsClamps) {
    EXPECT_FLOAT_EQ(CpuShare(Sample(1000, 500, 10000), Sample(1150, 550, 10400)), 50.0f);
    EXPECT_EQ(CpuShare(Sample(1000, 500, 10000), Sample(1900, 900, 10000)), 0.0f) << "same millisecond";
    EXPECT_EQ(CpuShare(Sample(1000, 500, 10000), Sample(1000, 500, 11000)), 0.0f) << "idle";
    EXPECT_EQ(CpuShare(Sample(0, 0, 0), Sample(900, 900, 1000)), 100.0f) << "two busy processors";
    // The user time crosses a multiple of 24 hours of CPU time between the samples.
    EXPECT_EQ(CpuShare(Sample(kMillisecondsPerDay - 100, 40, 5000), Sample(300, 60, 5500)), 0.0f);
    // The millisecond clock wraps between the samples: 0xFFFFFF00 to 0x100 is 512 ms.
    EXPECT_FLOAT_EQ(CpuShare(Sample(0, 0, 0xFFFFFF00u), Sample(128, 0, 0x100)), 25.0f);
    // A clock that went backwards (a reused row) gives no share.
    EXPECT_EQ(CpuShare(Sample(0, 0, 5000), Sample(100, 0, 4000)), 0.0f);
}

TEST(ProcessCpuTest, RowKeepsTheSampleForTheNextRefresh) {
    RowTable table = ProcessRows();
    // A new row has empty columns: the first share is the time used since the clock started.
    float first = UpdateCpuShare(table, 0, Sample(200, 100, 60000), Sample(210, 100, 60001));
    EXPECT_FLOAT_EQ(first, 0.5f);
    EXPECT_EQ(Cell(table, 0, kProcessColumnPreviousUserTime), "210");
    EXPECT_EQ(Cell(table, 0, kProcessColumnPreviousKernelTime), "100");
    EXPECT_EQ(Cell(table, 0, kProcessColumnPreviousClock), "60001");
    float second = UpdateCpuShare(table, 0, Sample(310, 200, 60501), Sample(310, 200, 60502));
    EXPECT_FLOAT_EQ(second, 40.0f);  // 200 ms in 500 ms, against the fresh sample
    StoreCpuSample(table, 0, Sample(1, 2, 0xFFFFFFFFu));
    EXPECT_EQ(StoredCpuSample(table, 0).clock, 0xFFFFFFFFu);
    // A garbled cell reads as 0 rather than failing the refresh.
    SetCell(table, 0, kProcessColumnPreviousUserTime, "x");
    EXPECT_EQ(StoredCpuSample(table, 0).userMilliseconds, 0);
}

TEST(ProcessCpuTest, ShareTextIsEmptyOnlyForExactlyZero) {
    SetDecimalComma(false);
    EXPECT_EQ(CpuShareText(0.0f), "");
    EXPECT_EQ(CpuShareText(100.0f), "100.0%");
    EXPECT_EQ(CpuShareText(12.34f), "12.3%");
    EXPECT_EQ(CpuShareText(0.01f), "0.0%");
    SetDecimalComma(true);
    EXPECT_EQ(CpuShareText(7.5f), "7,5%");
    SetDecimalComma(false);
}

TEST(ProcessCpuTest, RunningAndCpuTimeTexts) {
    UseEnglishDurations();
    EXPECT_EQ(RunningTimeText(0, 1700000000), "") << "idle and system processes";
    EXPECT_EQ(RunningTimeText(10000, 1700000000), "");
    EXPECT_EQ(RunningTimeText(1700000000 - 3661, 1700000000), "1 Hour, 1 Minute, 1 Second");
    EXPECT_EQ(CpuTimeText(0, 0), "");
    EXPECT_EQ(CpuTimeText(1500 * kTicksPerMs, 600 * kTicksPerMs), "2 Seconds");
    // More than a day of CPU time keeps its days.
    EXPECT_EQ(CpuTimeText(uint64_t{90000} * 1000 * kTicksPerMs, 0), "1 Day, 1 Hour");
}

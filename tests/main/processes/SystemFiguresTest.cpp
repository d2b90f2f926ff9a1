#include "main/processes/SystemFigures.h"

#include <gtest/gtest.h>

namespace {

SystemTimes Times(uint64_t idle, uint64_t kernel, uint64_t user) {
    SystemTimes times;
    times.idle = idle;
    times.kernel = kernel;
    times.user = user;
    return times;
}

}  // namespace

TEST(SystemFiguresTest, CpuLoadIsTheBusyShareBetweenCalls) {
    CpuLoadMeter meter;
    EXPECT_EQ(MeasureCpuLoad(meter, Times(900, 1000, 1000)), 55) << "first call: since start-up";
    // 2000 of processor time, of which 500 idle (kernel time includes idle time).
    EXPECT_EQ(MeasureCpuLoad(meter, Times(1400, 2200, 1800)), 75);
    EXPECT_EQ(MeasureCpuLoad(meter, Times(1400, 2200, 1800)), 75) << "no time passed: previous figure";
    EXPECT_EQ(MeasureCpuLoad(meter, Times(2400, 3200, 1800)), 0);
    EXPECT_EQ(MeasureCpuLoad(meter, Times(2400, 3200, 2800)), 100);
    EXPECT_EQ(MeasureCpuLoad(meter, Times(10, 10, 10)), 100) << "counters went back: previous figure";
    EXPECT_EQ(MeasureCpuLoad(meter, Times(60, 110, 10)), 50) << "measured from the new counters";
    // Idle above the total (inconsistent counters) is no negative load.
    EXPECT_EQ(MeasureCpuLoad(meter, Times(1060, 210, 10)), 0);
}

TEST(SystemFiguresTest, PercentagesRoundHalfUpAndSurviveZeroTotals) {
    EXPECT_EQ(PercentOf(1, 8), 13);  // 12.5
    EXPECT_EQ(PercentOf(1, 3), 33);
    EXPECT_EQ(PercentOf(5, 0), 0);
    SystemFigures figures;
    MemoryStatusFigures memory;
    memory.totalPhysical = 4000;
    memory.usedPhysical = 1000;
    UpdateMemoryPercents(figures, memory);
    EXPECT_EQ(figures.ramPercent, 25);
    EXPECT_EQ(figures.swapPercent, 0) << "no page file";
}

TEST(SystemFiguresTest, MemorySummaryLines) {
    MemoryStatusFigures memory;
    memory.totalPhysical = 8000000000;
    memory.usedPhysical = 6000000000;
    memory.totalPageFile = 2000000;
    memory.usedPageFile = 500000;
    std::vector<MemorySummaryLine> lines = MemorySummary(memory, 2000000000);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0].bytes, "8.000.000.000 Bytes");
    EXPECT_EQ(lines[0].percent, "");
    EXPECT_EQ(lines[1].line, LanguageKey::Processes);
    EXPECT_EQ(lines[1].percent, "(25%)");
    EXPECT_EQ(lines[2].bytes, "4.000.000.000 Bytes");
    EXPECT_EQ(lines[2].percent, "(50%)");
    EXPECT_EQ(lines[3].bytes, "2.000.000.000 Bytes");
    EXPECT_EQ(lines[4].group, LanguageKey::Pagefile);
    EXPECT_EQ(lines[5].bytes, "500.000 Bytes");
    EXPECT_EQ(lines[5].percent, "(25%)");
    EXPECT_EQ(lines[6].percent, "(75%)");

    // Shared pages make the working sets add up to more than the memory in use.
    lines = MemorySummary(memory, 7000000000);
    EXPECT_EQ(lines[2].bytes, "0 Bytes");
    EXPECT_EQ(lines[2].percent, "(0%)");
    // A machine reporting no page file.
    lines = MemorySummary(MemoryStatusFigures{}, 0);
    EXPECT_EQ(lines[6].bytes, "0 Bytes");
    EXPECT_EQ(lines[6].percent, "(0%)");
}

TEST(SystemFiguresTest, ProcessorCountersAndTheirFallback) {
    EXPECT_EQ(ProcessorCounterPath("Processor", 3, "% Processor Time"), "\\Processor(3)\\% Processor Time");
    EXPECT_EQ(ProcessorFigure(49.5, 0, 20), 50);
    EXPECT_EQ(ProcessorFigure(49.4, 0, 20), 49);
    EXPECT_EQ(ProcessorFigure(12.0, 0x800007D5, 20), 20) << "no value: the total figure";
    EXPECT_EQ(ProcessorFigure(140.0, 0, 20), 100);
    EXPECT_EQ(ProcessorFigure(-3.0, 0, 20), 0);
    EXPECT_EQ(ProcessorFigure(std::numeric_limits<double>::quiet_NaN(), 0, 20), 20);
}

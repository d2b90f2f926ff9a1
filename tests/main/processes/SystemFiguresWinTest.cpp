// The system figures under Wine, the total CPU load checked against the kernel's own counters.

#include "main/processes/SystemFigures_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "main/LibraryTable_win.h"
#include "main/processes/ProcessLayer_win.h"
#include "tests/main/processes/ChildProcess.h"

namespace {

// The first line of /proc/stat: user nice system idle iowait irq softirq steal, in ticks.
struct KernelCpuTimes {
    uint64_t fields[8] = {};
    bool read = false;
};

KernelCpuTimes ReadKernelCpuTimes() {
    KernelCpuTimes times;
    std::ifstream file("Z:\\proc\\stat");
    std::string line;
    if (!std::getline(file, line) || line.compare(0, 4, "cpu ") != 0)
        return times;
    std::istringstream fields(line.substr(4));
    for (uint64_t& field : times.fields)
        fields >> field;
    times.read = !fields.fail();
    return times;
}

uint64_t Delta(const KernelCpuTimes& from, const KernelCpuTimes& to, int field) {
    return to.fields[field] - from.fields[field];
}

}  // namespace

TEST(SystemFiguresWinTest, TotalCpuAgreesWithTheKernelCounters) {
    ChildProcess spinning;
    StartChild(spinning, "spin");
    ASSERT_TRUE(spinning.started) << spinning.failure;
    KernelCpuTimes before = ReadKernelCpuTimes();
    if (!before.read)
        GTEST_SKIP() << "Z:\\proc\\stat cannot be read";
    WholeSystemCpuUsage();
    Sleep(2000);
    KernelCpuTimes after = ReadKernelCpuTimes();
    int measured = WholeSystemCpuUsage();
    ASSERT_TRUE(after.read);

    uint64_t total = 0;
    for (int field = 0; field < 8; ++field)
        total += Delta(before, after, field);
    ASSERT_GT(total, 0u);
    uint64_t idle = Delta(before, after, 3) + Delta(before, after, 4);
    double reference = 100.0 * static_cast<double>(total - idle) / static_cast<double>(total);
    // The tolerance: the two sources are read microseconds apart at each end of a 2 s interval;
    // the kernel counts in 10 ms ticks per processor (±1 tick at each end); the figure is a rounded
    // integer; and Wine counts only user, nice, system and idle, so the time the kernel spent in
    // I/O wait, interrupts and stolen by a hypervisor may fall on either side.
    double uncounted = 100.0 *
                       static_cast<double>(Delta(before, after, 4) + Delta(before, after, 5) + Delta(before, after, 6) +
                                           Delta(before, after, 7)) /
                       static_cast<double>(total);
    double tolerance = 3.0 + uncounted;
    std::printf("total CPU %d%%, kernel counters %.2f%%, tolerance %.2f\n", measured, reference, tolerance);
    EXPECT_NEAR(measured, reference, tolerance) << "over " << total << " ticks";
    EXPECT_GE(measured, 100 / ProcessorCount() - 10) << "one processor was kept busy";
}

TEST(SystemFiguresWinTest, PerProcessorFiguresFallBackToTheTotal) {
    OpenLibraryTable();
    // With PDH.dll open: under Wine the processor object has no name, so no counter is added (and
    // nothing reaches Wine's stub entry points, which would end the process).
    ProcessorCounters counters;
    SetUpProcessorCounters(counters, ProcessorCount());
    SystemFigures figures;
    UpdateSystemFigures(figures, counters);
    ASSERT_EQ(figures.processorCpu.size(), static_cast<size_t>(ProcessorCount()));
    for (size_t i = 0; i < figures.processorCpu.size(); ++i) {
        if (i >= counters.counters.size() || counters.counters[i] == nullptr) {
            EXPECT_EQ(figures.processorCpu[i], figures.totalCpu) << i;
        }
        EXPECT_GE(figures.processorCpu[i], 0);
        EXPECT_LE(figures.processorCpu[i], 100);
    }
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    ASSERT_TRUE(GlobalMemoryStatusEx(&status)) << LastError();
    EXPECT_NEAR(figures.ramPercent, static_cast<int>(status.dwMemoryLoad), 2) << "the system's own memory load";
    EXPECT_GT(figures.ramPercent, 0);
    CloseProcessorCounters(counters);
    EXPECT_EQ(counters.query, nullptr);

    // Without the library: the same figures, and nothing to close.
    LoadLibrarySlot(kPdhSlot, "vantrel-missing-pdh.dll");
    SetUpProcessorCounters(counters, ProcessorCount());
    EXPECT_EQ(counters.query, nullptr);
    EXPECT_TRUE(counters.counters.empty());
    UpdateSystemFigures(figures, counters);
    for (int figure : figures.processorCpu)
        EXPECT_EQ(figure, figures.totalCpu);
    CloseProcessorCounters(counters);
    OpenLibraryTable();
}

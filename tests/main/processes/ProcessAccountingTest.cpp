// CPU shares and I/O activity of real processes under Wine, on rows of a process list table.

#include "main/processes/ProcessAccounting_win.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <algorithm>
#include <map>
#include <vector>

#include "foundation/ScopedHandles_win.h"
#include "foundation/ValueFormatting.h"
#include "main/LibraryTable_win.h"
#include "main/processes/ProcessCpu.h"
#include "main/processes/ProcessLayerState_win.h"
#include "main/processes/ProcessLayer_win.h"
#include "main/processes/ProcessListColumns.h"
#include "tests/harness/WineTestSupport.h"
#include "tests/main/processes/ChildProcess.h"

namespace {

class ProcessAccountingTest : public testing::Test {
protected:
    void SetUp() override {
        OpenLibraryTable();
        InitProcessLayer();
        SetDecimalComma(false);
        table_ = MakeRowTable(kProcessColumnCount);
        row_ = AppendRow(table_);
    }
    void TearDown() override { FreeProcessLayer(); }

    // The share over `milliseconds` after a first computation has stored the row's sample.
    float ShareOver(HANDLE process, DWORD milliseconds) {
        ProcessCpuShare(table_, row_, process);
        Sleep(milliseconds);
        return ProcessCpuShare(table_, row_, process);
    }

    // One refresh pass over the given processes, each measured on its row; the shares in that order.
    std::vector<float> PassSamples(const std::vector<std::pair<DWORD, size_t>>& rows) {
        ProcessIdSet set;
        BuildProcessIdSet(set);
        std::vector<float> shares;
        for (const auto& [pid, row] : rows) {
            ScopedHandle process(OpenProcessForSample(pid));
            ProcessSample sample = TakeProcessSample(pid, process.get(), set);
            EXPECT_TRUE(sample.cpuRead) << pid;
            shares.push_back(UpdateCpuShare(table_, row, sample.cpu, sample.cpuNext));
        }
        return shares;
    }

    RowTable table_;
    size_t row_ = 0;
};

// Every process's sample from the system query, from the per-process calls the pass falls back to
// when the query is missing, and from the query again.
using SamplesByPid = std::map<DWORD, ProcessSample>;
std::vector<SamplesByPid> SamplesEachWay() {
    std::vector<SamplesByPid> ways(3);
    ProcessIdSet set;
    for (size_t way = 0; way < ways.size(); ++way) {
        InitProcessLayer();
        if (way == 1)
            LayerState().querySystemInformation = nullptr;
        BuildProcessIdSet(set);
        EXPECT_EQ(LayerState().systemRecords.empty(), way == 1) << "the query answers, unless taken away";
        for (uint32_t pid : set.ids) {
            ScopedHandle process(OpenProcessForSample(pid));
            ways[way][pid] = TakeProcessSample(pid, process.get(), set);
        }
    }
    return ways;
}

uint64_t ThreadTimes(HANDLE thread) {
    FILETIME creation, exit, kernel, user;
    GetThreadTimes(thread, &creation, &exit, &kernel, &user);
    return (static_cast<uint64_t>(kernel.dwHighDateTime) << 32 | kernel.dwLowDateTime) +
           (static_cast<uint64_t>(user.dwHighDateTime) << 32 | user.dwLowDateTime);
}

}  // namespace

// The CPU share of another process comes from the pass's system query: Wine answers
// GetProcessTimes of another process with the caller's own times, the query with the process's.
TEST_F(ProcessAccountingTest, SpinningAndSleepingChildrenShowTheirOwnShares) {
    RunCounter used;  // the spinning child's own CPU milliseconds
    ChildProcess spinning, sleeping;
    StartChild(spinning, "spin", used.name);
    StartChild(sleeping, "sleep");
    ASSERT_TRUE(spinning.started && sleeping.started) << spinning.failure << sleeping.failure;
    size_t sleepingRow = AppendRow(table_);
    PassSamples({{spinning.pid(), row_}, {sleeping.pid(), sleepingRow}});
    LONG usedBefore = used.Now();
    DWORD start = timeGetTime();
    Sleep(1000);
    std::vector<float> shares = PassSamples({{spinning.pid(), row_}, {sleeping.pid(), sleepingRow}});
    double expected = (used.Now() - usedBefore) * 100.0 / (timeGetTime() - start);
    EXPECT_LT(shares[1], 2.0f);
    // A single busy thread fills one processor, as the share counts it, when the machine has one
    // free; on a loaded machine it gets what it gets, and the child says how much that was.
    if (expected < 20.0)
        GTEST_SKIP() << "the machine gave the spinning child only " << expected << "% of a processor";
    EXPECT_NEAR(shares[0], std::min(expected, 100.0), 10.0);
}

TEST_F(ProcessAccountingTest, QueryAgreesWithThePerProcessCallsWhereBothAnswer) {
    ChildProcess child;
    StartChild(child, "threads", "2");
    ASSERT_TRUE(child.started) << child.failure;
    std::vector<SamplesByPid> ways = SamplesEachWay();
    ASSERT_TRUE(ways[0].count(child.pid()));
    EXPECT_EQ(ways[0][child.pid()].threads, 3);
    size_t compared = 0;
    for (const auto& [pid, calls] : ways[1]) {
        auto query = ways[0].find(pid), again = ways[2].find(pid);
        // Only processes that stood still meanwhile: their figures must be the same either way.
        if (query == ways[0].end() || again == ways[2].end() || !calls.opened ||
            query->second.workingSet != again->second.workingSet || query->second.handles != again->second.handles)
            continue;
        ++compared;
        const ProcessSample& figures = query->second;
        EXPECT_EQ(figures.threads, calls.threads) << pid;
        EXPECT_EQ(figures.parentPid, calls.parentPid) << pid;
        EXPECT_EQ(figures.path, calls.path) << pid;
        if (calls.handles != 0) {
            EXPECT_EQ(figures.handles, calls.handles) << pid;
        }
        if (calls.workingSet != 0) {
            EXPECT_EQ(figures.workingSet, calls.workingSet) << pid;
            EXPECT_EQ(figures.pagefileUsage, calls.pagefileUsage) << pid;
            EXPECT_EQ(figures.pagedPool, calls.pagedPool) << pid;
            EXPECT_EQ(figures.nonPagedPool, calls.nonPagedPool) << pid;
        }
    }
    EXPECT_GE(compared, 2u);
}

TEST_F(ProcessAccountingTest, OwnBusyProcessShowsTheTimeItUsed) {
    // The same path measured on this process, whose times Wine does report. On a machine whose
    // processors are shared with other work the busy thread gets what it gets: the share must match
    // the thread's own CPU time over the interval.
    ScopedHandle self(OpenProcessForSample(GetCurrentProcessId()));
    ASSERT_NE(self.get(), nullptr) << LastError();
    ProcessCpuShare(table_, row_, self.get());
    uint64_t threadBefore = ThreadTimes(GetCurrentThread());
    DWORD start = timeGetTime();
    SpinFor(1000);
    uint64_t threadUsed = ThreadTimes(GetCurrentThread()) - threadBefore;
    float share = ProcessCpuShare(table_, row_, self.get());
    double expected = threadUsed / 10000.0 * 100.0 / (timeGetTime() - start);
    // Near zero, a share of zero would pass too.
    if (expected < 20.0)
        GTEST_SKIP() << "the machine gave the busy thread only " << expected << "% of a processor";
    EXPECT_NEAR(share, expected, 10.0);
    // Idle again: at most two clock ticks (10 to 16 ms each) of the process's other threads over the
    // 500 ms; a busy machine accounts the wake-ups in whole ticks.
    EXPECT_LE(ShareOver(self.get(), 500), 6.5f) << "idle again";
}

TEST_F(ProcessAccountingTest, UnreadableTimesLeaveTheStoredSample) {
    SetCell(table_, row_, kProcessColumnPreviousClock, "1234");
    EXPECT_EQ(ProcessCpuShare(table_, row_, nullptr), 0.0f);
    EXPECT_EQ(Cell(table_, row_, kProcessColumnPreviousClock), "1234");
}

TEST_F(ProcessAccountingTest, ChildThatWroteTenMegabytesShowsItsActivity) {
    char folder[MAX_PATH];
    GetTempPathA(sizeof(folder), folder);
    std::string file = std::string(folder) + "vantrel_io_" + std::to_string(GetCurrentProcessId()) + ".bin";
    TestEvent go, done;
    ChildProcess child;
    StartChild(child, "write", go.name + " " + done.name + " \"" + file + "\" 10000000");
    ASSERT_TRUE(child.started) << child.failure;
    IoCounts before;
    ASSERT_TRUE(IoCounters(child.info.hProcess, before));
    StoreIoCounts(table_, row_, before);
    SetEvent(go.handle);
    ASSERT_EQ(WaitForSingleObject(done.handle, 20000), WAIT_OBJECT_0) << LastError();
    IoCounts after;
    ASSERT_TRUE(IoCounters(child.info.hProcess, after));
    DeleteFileA(file.c_str());
    VANTREL_SKIP_WINE_GAP(after.writeBytes == 0 && after.writeOperations == 0,
                          "GetProcessIoCounters counts the writes of a process");
    UpdateIoActivity(table_, row_, after);
    float kilobytes = ParseDecimal(Cell(table_, row_, kProcessColumnWriteActivity));
    EXPECT_GE(kilobytes, 10000.0f);
    EXPECT_LT(kilobytes, 10100.0f) << Cell(table_, row_, kProcessColumnWriteActivity);
}

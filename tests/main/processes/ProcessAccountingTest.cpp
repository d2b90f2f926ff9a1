// CPU shares and I/O activity of real processes under Wine, on rows of a process list table.

#include "main/processes/ProcessAccounting_win.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include "foundation/ScopedHandles_win.h"
#include "foundation/ValueFormatting.h"
#include "main/LibraryTable_win.h"
#include "main/processes/ProcessCpu.h"
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

    RowTable table_;
    size_t row_ = 0;
};

uint64_t ThreadTimes(HANDLE thread) {
    FILETIME creation, exit, kernel, user;
    GetThreadTimes(thread, &creation, &exit, &kernel, &user);
    return (static_cast<uint64_t>(kernel.dwHighDateTime) << 32 | kernel.dwLowDateTime) +
           (static_cast<uint64_t>(user.dwHighDateTime) << 32 | user.dwLowDateTime);
}

uint64_t TotalTimes(HANDLE process) {
    FILETIME creation, exit, kernel, user;
    GetProcessTimes(process, &creation, &exit, &kernel, &user);
    return (static_cast<uint64_t>(kernel.dwHighDateTime) << 32 | kernel.dwLowDateTime) +
           (static_cast<uint64_t>(user.dwHighDateTime) << 32 | user.dwLowDateTime);
}

// What Windows does; Wine 8 answers GetProcessTimes for another process with the calling process's
// own times.
constexpr char kForeignTimes[] = "GetProcessTimes of another process answers with that process's times";

// Read between two reads of our own, so that our own threads' work in between cannot hide it.
bool ForeignTimesAreOwnTimes(HANDLE other) {
    uint64_t ownBefore = TotalTimes(GetCurrentProcess());
    uint64_t foreign = TotalTimes(other);
    uint64_t ownAfter = TotalTimes(GetCurrentProcess());
    return ownBefore <= foreign && foreign <= ownAfter;
}

}  // namespace

TEST_F(ProcessAccountingTest, SleepingChildShowsAnEmptyCell) {
    ChildProcess child;
    StartChild(child, "sleep");
    ASSERT_TRUE(child.started) << child.failure;
    // Otherwise it would measure this test, which sleeps meanwhile.
    VANTREL_SKIP_WINE_GAP(ForeignTimesAreOwnTimes(child.info.hProcess), kForeignTimes);
    float share = ShareOver(child.info.hProcess, 500);
    EXPECT_EQ(share, 0.0f);
    EXPECT_EQ(CpuShareText(share), "");
    EXPECT_NE(Cell(table_, row_, kProcessColumnPreviousClock), "");
}

TEST_F(ProcessAccountingTest, SpinningChildHasAHighShare) {
    ChildProcess child;
    StartChild(child, "spin");
    ASSERT_TRUE(child.started) << child.failure;
    VANTREL_SKIP_WINE_GAP(ForeignTimesAreOwnTimes(child.info.hProcess), kForeignTimes);
    float share = ShareOver(child.info.hProcess, 1000);
    EXPECT_GE(share, 50.0f);
    EXPECT_LE(share, 100.0f);
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

// The process layer against real processes under Wine: children this test starts.

#include "main/processes/ProcessLayer_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>

#include "foundation/ScopedHandles_win.h"
#include "main/LibraryTable_win.h"
#include "main/processes/ProcessAccounting_win.h"
#include "main/processes/ProcessCpu.h"
#include "tests/harness/WineTestSupport.h"
#include "tests/main/processes/ChildProcess.h"

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

class ProcessLayerTest : public testing::Test {
protected:
    void SetUp() override {
        OpenLibraryTable();
        InitProcessLayer();
    }
    void TearDown() override { FreeProcessLayer(); }
};

}  // namespace

TEST_F(ProcessLayerTest, IdSetHoldsTheChildrenWithTheirParentsAndThreads) {
    ChildProcess threads, parent;
    StartChild(threads, "threads", "5");
    char temporary[MAX_PATH];
    GetTempPathA(sizeof(temporary), temporary);
    std::string pidFile = std::string(temporary) + "vantrel_child_" + std::to_string(GetCurrentProcessId()) + ".txt";
    StartChild(parent, "parent", "\"" + pidFile + "\"");
    ASSERT_TRUE(threads.started && parent.started) << threads.failure << parent.failure;
    DWORD grandchild = 0;
    std::ifstream(pidFile) >> grandchild;
    DeleteFileA(pidFile.c_str());
    ASSERT_NE(grandchild, 0u);

    ProcessIdSet set;
    BuildProcessIdSet(set);
    for (DWORD pid : {GetCurrentProcessId(), threads.pid(), parent.pid(), grandchild})
        EXPECT_TRUE(ContainsProcessId(set, pid)) << pid;
    EXPECT_EQ(set.ids.size(), set.members.size()) << "each id once";
    EXPECT_EQ(ThreadCount(set, threads.pid()), 6);
    EXPECT_EQ(ParentProcessId(threads.pid()), static_cast<long>(GetCurrentProcessId()));
    EXPECT_EQ(ParentProcessId(parent.pid()), static_cast<long>(GetCurrentProcessId()));
    EXPECT_EQ(ParentProcessId(grandchild), static_cast<long>(parent.pid()));
    EXPECT_EQ(ParentProcessId(0x7FFFFFF0), -1);

    // The cursor walks the enumeration's ids and then stays at its end.
    DWORD count = BeginProcessEnumeration();
    EXPECT_GT(count, 0u);
    EXPECT_LE(count, 256u);
    DWORD steps = 0;
    for (DWORD position; (position = NextProcess()) != 0;)
        EXPECT_EQ(position, ++steps);
    EXPECT_EQ(steps, count);
    EXPECT_EQ(NextProcess(), 0u);
    EXPECT_TRUE(TerminateById(grandchild, 0));
}

TEST_F(ProcessLayerTest, QueriesDescribeAChild) {
    ChildProcess child;
    StartChild(child, "threads", "2");
    ASSERT_TRUE(child.started) << child.failure;
    EXPECT_EQ(Lower(ProcessName(child.pid())), "process_test_child.exe");
    EXPECT_EQ(Lower(ProcessPath(child.pid())), Lower(ChildProgramPath()));
    EXPECT_GT(WorkingSet(child.pid()), 0u);
    EXPECT_GT(PagefileUsage(child.pid()), 0u);
    EXPECT_EQ(Priority(child.pid()), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));

    ProcessIdSet set;
    BuildProcessIdSet(set);
    ScopedHandle handle(OpenProcessForSample(child.pid()));
    ASSERT_NE(handle.get(), nullptr) << LastError();
    ProcessSample sample = TakeProcessSample(child.pid(), handle.get(), set);
    EXPECT_TRUE(sample.opened);
    EXPECT_EQ(Lower(sample.name), "process_test_child.exe");
    EXPECT_EQ(sample.threads, 3);
    EXPECT_GT(sample.workingSet, 0u);
    EXPECT_EQ(sample.priorityClass, static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
    EXPECT_TRUE(sample.ioAvailable);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    int64_t age = UnixSecondsFromFileTime(uint64_t{now.dwHighDateTime} << 32 | now.dwLowDateTime) -
                  UnixSecondsFromFileTime(sample.creationTime);
    EXPECT_TRUE(age >= 0 && age < 60) << age;

    ASSERT_TRUE(SetPriority(child.pid(), BELOW_NORMAL_PRIORITY_CLASS));
    EXPECT_EQ(GetPriorityClass(child.info.hProcess), static_cast<DWORD>(BELOW_NORMAL_PRIORITY_CLASS));
    EXPECT_EQ(PriorityOfHandle(handle.get()), static_cast<DWORD>(BELOW_NORMAL_PRIORITY_CLASS));
    EXPECT_EQ(TrimWorkingSet(child.pid()), 1);
}

TEST_F(ProcessLayerTest, ProcessWhoseModulesCannotBeReadStillHasItsNameAndPath) {
    // Before its loader has run, a process has no module list to read: the same as a 64-bit process
    // seen from the 32-bit program. The system still knows the image's path.
    std::string command = "\"" + ChildProgramPath() + "\" sleep";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                               &startup, &info))
        << LastError();
    EXPECT_EQ(Lower(ProcessName(info.dwProcessId)), "process_test_child.exe");
    EXPECT_EQ(Lower(ProcessPath(info.dwProcessId)), Lower(ChildProgramPath()));
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, 5000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

TEST_F(ProcessLayerTest, TerminateByIdSetsTheExitCode) {
    ChildProcess child;
    StartChild(child, "sleep");
    ASSERT_TRUE(child.started) << child.failure;
    ASSERT_TRUE(TerminateById(child.pid(), 1067));
    ASSERT_EQ(WaitForSingleObject(child.info.hProcess, 10000), WAIT_OBJECT_0) << LastError();
    DWORD code = 0;
    GetExitCodeProcess(child.info.hProcess, &code);
    EXPECT_EQ(code, 1067u);
}

TEST_F(ProcessLayerTest, ProcessThatEndedAfterTheEnumerationGivesNeutralResults) {
    ChildProcess child;
    StartChild(child, "sleep");
    ASSERT_TRUE(child.started) << child.failure;
    DWORD pid = child.pid();
    ProcessIdSet set;
    BuildProcessIdSet(set);
    child.EndAndForget();
    ASSERT_TRUE(WaitUntilGone(pid));

    EXPECT_TRUE(ContainsProcessId(set, pid)) << "still listed for this pass";
    EXPECT_EQ(ProcessName(pid), "");
    EXPECT_EQ(ProcessPath(pid), "");
    EXPECT_EQ(WorkingSet(pid), 0u);
    EXPECT_EQ(PagefileUsage(pid), 0u);
    EXPECT_EQ(Priority(pid), 0u);
    EXPECT_EQ(SetPriority(pid, IDLE_PRIORITY_CLASS), FALSE);
    EXPECT_EQ(TerminateById(pid, 1), FALSE);
    EXPECT_EQ(TrimWorkingSet(pid), -2);
    HANDLE handle = OpenProcessForSample(pid);
    EXPECT_EQ(handle, nullptr);
    ProcessSample sample = TakeProcessSample(pid, handle, set);
    EXPECT_FALSE(sample.opened);
    EXPECT_EQ(sample.name, "");
    EXPECT_EQ(sample.path, "");
    EXPECT_EQ(sample.workingSet + sample.pagefileUsage + sample.io.writeBytes, 0u);
    EXPECT_EQ(sample.priorityClass, 0u);
    EXPECT_EQ(RunningTimeTextOf(sample), "");
    IoCounts counts;
    EXPECT_FALSE(IoCounters(nullptr, counts));
    EXPECT_EQ(HandleCountOf(nullptr), 0u);
    // The parent comes from the snapshot of the enumeration, which still shows the process.
    EXPECT_EQ(ParentProcessId(pid), static_cast<long>(GetCurrentProcessId()));
}

TEST_F(ProcessLayerTest, WithoutTheProcessStatusLibraryOnlyToolHelpIdsRemain) {
    LoadLibrarySlot(kPsapiSlot, "vantrel-missing-psapi.dll");
    InitProcessLayer();
    EXPECT_EQ(BeginProcessEnumeration(), 0u);
    EXPECT_EQ(NextProcess(), 0u);
    ProcessIdSet set;
    BuildProcessIdSet(set);
    EXPECT_TRUE(ContainsProcessId(set, GetCurrentProcessId()));
    EXPECT_EQ(ProcessName(GetCurrentProcessId()), "");
    EXPECT_EQ(WorkingSet(GetCurrentProcessId()), 0u);
    EXPECT_EQ(BeginDriverEnumeration(), 0u);
    EXPECT_EQ(DriverBaseName(), "");
    EXPECT_EQ(TrimWorkingSet(GetCurrentProcessId()), 0) << "no entry point to call";
}

TEST_F(ProcessLayerTest, DriversWalkToTheirEnd) {
    DWORD count = BeginDriverEnumeration();
    VANTREL_SKIP_WINE_GAP(count == 0, "EnumDeviceDrivers lists the loaded drivers");
    EXPECT_LE(count, 1024u);
    DWORD steps = 0;
    while (NextDriver() != 0) {
        ++steps;
        EXPECT_NE(CurrentDriverBase(), nullptr);
        EXPECT_NE(DriverBaseName(), "") << "driver " << steps;
    }
    EXPECT_EQ(steps, count);
    EXPECT_EQ(NextDriver(), 0u);
}

TEST_F(ProcessLayerTest, FoldersPrivilegesAndMemoryStatus) {
    std::string windows = SpecialFolderPath(36);
    ASSERT_NE(windows, "");
    EXPECT_EQ(GetFileAttributesA(windows.c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(NormalizeImagePath("\\SystemRoot\\system32\\x.sys"), windows + "\\system32\\x.sys");
    EXPECT_EQ(NormalizeImagePath("\\??\\C:\\a.exe"), "C:\\a.exe");
    EXPECT_EQ(SpecialFolderPath(0x7FFF), "");

    EXPECT_NE(EnablePrivilege("SeDebugPrivilege"), FALSE);
    EXPECT_EQ(EnablePrivilege("SeNoSuchPrivilege"), FALSE);

    // Wine takes the total from the kernel; it counts whole pages and may leave out the last.
    std::ifstream meminfo("Z:\\proc\\meminfo");
    std::string label;
    uint64_t kilobytes = 0;
    ASSERT_TRUE(meminfo >> label >> kilobytes);
    ASSERT_EQ(label, "MemTotal:");
    EXPECT_LE(TotalPhysicalMemory(), kilobytes * 1024);
    EXPECT_GE(TotalPhysicalMemory() + 4096, kilobytes * 1024);
    EXPECT_LE(UsedPhysicalMemory(), TotalPhysicalMemory());
    EXPECT_LE(UsedPageFile(), TotalPageFile());
    EXPECT_GT(TotalVirtualMemory(), 0u);
}

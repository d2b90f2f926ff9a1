// The processes view's list against real processes under Wine: children this test starts.

#include "main/processes/ProcessList_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "foundation/Language.h"
#include "foundation/ListViews_win.h"
#include "foundation/MessageBoxSeam.h"
#include "foundation/ScopedHandles_win.h"
#include "main/FileVersionInfo_win.h"
#include "main/LibraryTable_win.h"
#include "main/database/FileHash_win.h"
#include "main/processes/ProcessActions_win.h"
#include "main/processes/ProcessLayer_win.h"
#include "main/processes/ProcessListColumns.h"
#include "main/processes/ProcessListRows.h"
#include "tests/harness/TestSupport.h"
#include "tests/main/processes/ChildProcess.h"

// The settings the list reads, kept in their own file: they and the list's columns each define a
// column count of their own.
const MainPreferences* TestPreferences();
void SetTestTreeView(bool on);

namespace {

class ProcessListTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        OpenLibraryTable();
        InitProcessLayer();
        InitCommonControls();
        parent_ = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        CreateProcessList(parent_, TestPreferences());
    }
    static void TearDownTestSuite() {
        DestroyWindow(parent_);
        FreeProcessLayer();
    }
    void SetUp() override {
        SetTestTreeView(true);
        RefreshProcessList(-1, 0);
    }

    static const RowTable& Rows() { return *ProcessListView().table; }
    static size_t RowOf(DWORD pid) { return FindRow(Rows(), kProcessColumnProcessId, std::to_string(pid)); }
    static int DepthOf(size_t row) { return static_cast<int>(CellInteger(Rows(), row, kProcessColumnTreeDepth)); }
    // The row lies within the subtree that starts at `parentRow`, one level below it.
    static bool DirectlyUnder(size_t row, size_t parentRow) {
        if (row == kNoRow || parentRow == kNoRow || row <= parentRow || DepthOf(row) != DepthOf(parentRow) + 1)
            return false;
        for (size_t between = parentRow + 1; between < row; ++between) {
            if (DepthOf(between) <= DepthOf(parentRow))
                return false;
        }
        return true;
    }

    static HWND parent_;
};

HWND ProcessListTest::parent_ = nullptr;

DWORD StartParentWithGrandchild(ChildProcess& parent) {
    char temporary[MAX_PATH];
    GetTempPathA(sizeof(temporary), temporary);
    std::string pidFile = std::string(temporary) + "vantrel_list_" + std::to_string(GetCurrentProcessId()) + ".txt";
    StartChild(parent, "parent", "\"" + pidFile + "\"");
    DWORD grandchild = 0;
    std::ifstream(pidFile) >> grandchild;
    DeleteFileA(pidFile.c_str());
    return grandchild;
}

// Selects exactly the rows of these processes.
void Select(const std::vector<DWORD>& pids) {
    RowTable& table = *ProcessListView().table;
    for (size_t row = 0; row < table.rows.size(); ++row) {
        table.rows[row].selected = false;
        for (DWORD pid : pids)
            table.rows[row].selected |= CellUnsigned(table, row, kProcessColumnProcessId) == pid;
    }
}

bool StillRunning(const ChildProcess& child) {
    return WaitForSingleObject(child.info.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD ExitCodeOf(const ChildProcess& child) {
    WaitForSingleObject(child.info.hProcess, 5000);
    DWORD code = 0;
    GetExitCodeProcess(child.info.hProcess, &code);
    return code;
}

// The native system folder and SysWOW64 as this test reaches them (with a trailing backslash);
// false on 32-bit Windows, which has the one system folder.
bool SystemFolders(std::string& native, std::string& wow64) {
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, sizeof(windows));
    BOOL underWow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &underWow64);
    bool build64 = sizeof(void*) == 8;
    native = std::string(windows) + (build64 ? "\\System32\\" : "\\Sysnative\\");
    wow64 = std::string(windows) + "\\SysWOW64\\";
    return build64 || underWow64;
}

std::string Lower(std::string text) {
    CharLowerA(&text[0]);
    return text;
}

}  // namespace

TEST_F(ProcessListTest, NewChildrenAppearUnderTheirParentsAndEndedOnesVanishTogether) {
    ChildProcess first, second, parent;
    StartChild(first, "sleep");
    StartChild(second, "sleep");
    DWORD grandchild = StartParentWithGrandchild(parent);
    ASSERT_TRUE(first.started && second.started && parent.started) << first.failure << second.failure << parent.failure;
    ASSERT_NE(grandchild, 0u);

    EXPECT_TRUE(RefreshProcessList(-1, 0));
    size_t self = RowOf(GetCurrentProcessId());
    ASSERT_NE(self, kNoRow);
    size_t firstRow = RowOf(first.pid());
    ASSERT_NE(firstRow, kNoRow);
    EXPECT_EQ(Cell(Rows(), firstRow, kProcessColumnParentProcessId), std::to_string(GetCurrentProcessId()));
    EXPECT_EQ(Cell(Rows(), firstRow, kProcessColumnName), "process_test_child.exe");
    EXPECT_FALSE(Cell(Rows(), firstRow, kProcessColumnFilePath).empty());
    EXPECT_EQ(Cell(Rows(), firstRow, kProcessColumnFileSize).back(), 'B');
    EXPECT_GE(Rows().rows[firstRow].image, 0);
    EXPECT_EQ(Rows().rows[firstRow].backgroundColour, 0xFFFFFFu);  // normal priority
    EXPECT_TRUE(DirectlyUnder(firstRow, self));
    EXPECT_TRUE(DirectlyUnder(RowOf(second.pid()), self));
    EXPECT_TRUE(DirectlyUnder(RowOf(parent.pid()), self));
    EXPECT_TRUE(DirectlyUnder(RowOf(grandchild), RowOf(parent.pid())));
    // Siblings keep the order in which they appeared.
    EXPECT_LT(RowOf(first.pid()), RowOf(second.pid()));
    // The view shows exactly the table's rows.
    EXPECT_EQ(static_cast<size_t>(ListViewItemCount(ProcessListView().list)), RowCount(Rows()));

    // Both sleepers end at once: both rows go at the next refresh.
    DWORD firstPid = first.pid(), secondPid = second.pid();
    first.EndAndForget();
    second.EndAndForget();
    ASSERT_TRUE(WaitUntilGone(firstPid) && WaitUntilGone(secondPid));
    EXPECT_TRUE(RefreshProcessList(-1, 0));
    EXPECT_EQ(RowOf(firstPid), kNoRow);
    EXPECT_EQ(RowOf(secondPid), kNoRow);
    EXPECT_NE(RowOf(GetCurrentProcessId()), kNoRow);

    // The grandchild's parent ends: it becomes a root, still naming its parent.
    DWORD parentPid = parent.pid();
    parent.EndAndForget();
    ASSERT_TRUE(WaitUntilGone(parentPid));
    RefreshProcessList(-1, 0);
    size_t orphan = RowOf(grandchild);
    ASSERT_NE(orphan, kNoRow);
    EXPECT_EQ(DepthOf(orphan), 0);
    EXPECT_EQ(Rows().rows[orphan].indent, 0);
    EXPECT_EQ(Cell(Rows(), orphan, kProcessColumnParentProcessId), std::to_string(parentPid));
    EXPECT_TRUE(TerminateById(grandchild, 0));
}

TEST_F(ProcessListTest, OutsideTreeModeTheUsersSortSurvivesRefreshes) {
    SetTestTreeView(false);
    ChildProcess child;
    StartChild(child, "sleep");
    ASSERT_TRUE(child.started) << child.failure;
    TableListView& view = ProcessListView();
    int pidColumn = -1;
    for (size_t c = 0; c < view.columns.size(); ++c) {
        if (view.columns[c].tableColumn == kProcessColumnProcessId)
            pidColumn = static_cast<int>(c);
    }
    ASSERT_GE(pidColumn, 0);
    SortTableListView(view, pidColumn, false);
    RefreshProcessList(-1, 0);
    ASSERT_NE(RowOf(child.pid()), kNoRow);
    for (size_t row = 1; row < RowCount(Rows()); ++row) {
        EXPECT_GE(CellUnsigned(Rows(), row - 1, kProcessColumnProcessId),
                  CellUnsigned(Rows(), row, kProcessColumnProcessId));
    }
    EXPECT_EQ(view.sortColumn, pidColumn);
    EXPECT_FALSE(view.sortAscending);
}

TEST_F(ProcessListTest, EndingAskedOnceAndAnsweredNoLeavesTheProcessYesEndsItWithTheExitCode) {
    RecordMessageBoxes();
    ChildProcess child;
    StartChild(child, "sleep");
    ASSERT_TRUE(child.started) << child.failure;
    RefreshProcessList(-1, 0);
    DWORD ownPriority = GetPriorityClass(GetCurrentProcess());

    Select({child.pid()});
    ShownMessages().clear();
    AnswerQuestionsWith(kAnswerNo);
    EndSelectedProcesses(77);
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].style, kMessageBoxQuestion);
    EXPECT_EQ(ShownMessages()[0].text, LanguageTextWith(LanguageKey::ReallyEndProcess, "process_test_child.exe"));
    EXPECT_TRUE(StillRunning(child));

    Select({child.pid()});
    AnswerQuestionsWith(kAnswerYes);
    EndSelectedProcesses(77);
    EXPECT_EQ(ExitCodeOf(child), 77u);
    EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), ownPriority);
    EXPECT_EQ(ShownMessages().size(), 2u) << "no failure reported";
}

TEST_F(ProcessListTest, EndingSeveralReportsEachFailureAndRestoresTheOwnPriority) {
    RecordMessageBoxes();
    ChildProcess first, second;
    StartChild(first, "sleep");
    StartChild(second, "sleep");
    ASSERT_TRUE(first.started && second.started) << first.failure << second.failure;
    RefreshProcessList(-1, 0);
    // A row whose process has gone since the last refresh: ending it fails. (An id no process
    // has, since Wine hands out the ids of ended processes again at once.)
    const DWORD gonePid = 0x7FFFFFF0;
    RowTable& table = *ProcessListView().table;
    size_t goneRow = AppendRow(table);
    SetCell(table, goneRow, kProcessColumnName, "gone.exe");
    SetCellInteger(table, goneRow, kProcessColumnProcessId, gonePid);
    std::swap(table.rows[goneRow], table.rows[RowOf(second.pid())]);  // between the two children
    DWORD ownPriority = GetPriorityClass(GetCurrentProcess());

    Select({first.pid(), gonePid, second.pid()});
    ShownMessages().clear();
    AnswerQuestionsWith(kAnswerYes);
    EndSelectedProcesses(5);
    ASSERT_EQ(ShownMessages().size(), 2u);
    EXPECT_EQ(ShownMessages()[0].text.find(LanguageText(LanguageKey::ReallyEndFollowingProcesses)), 0u);
    EXPECT_NE(ShownMessages()[0].text.find("\r\n\r\n - process_test_child.exe\r\n - gone.exe\r\n - "),
              std::string::npos);
    EXPECT_EQ(ShownMessages()[1].title, LanguageText(LanguageKey::Information));
    EXPECT_EQ(ShownMessages()[1].style, kMessageBoxWarning);
    EXPECT_EQ(ShownMessages()[1].text, LanguageTextWith(LanguageKey::CanNotEndProcess, "gone.exe"));
    EXPECT_EQ(ExitCodeOf(first), 5u);
    EXPECT_EQ(ExitCodeOf(second), 5u);
    EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), ownPriority);
    // The refresh after the action dropped the row of the process that had gone.
    EXPECT_EQ(RowOf(gonePid), kNoRow);
}

// Watches the first process the action ends and reads the last one's priority class the moment
// the first has gone.
struct EndOrderWatch {
    HANDLE first;
    HANDLE last;
    DWORD lastClassAtFirstEnd = 0;
};

DWORD WINAPI WatchEndOrder(void* parameter) {
    auto* watch = static_cast<EndOrderWatch*>(parameter);
    WaitForSingleObject(watch->first, INFINITE);
    watch->lastClassAtFirstEnd = GetPriorityClass(watch->last);
    return 0;
}

TEST_F(ProcessListTest, EndingSeveralLowersEachToIdleBeforeTheFirstIsEnded) {
    RecordMessageBoxes();
    // The action goes down the list. When the first process has ended, the last one must already be
    // idle: lowering and ending one process after the other would leave it at its normal class
    // through the ends of all the others before it.
    ChildProcess children[10];
    std::vector<DWORD> pids;
    for (ChildProcess& child : children) {
        StartChild(child, "sleep");
        ASSERT_TRUE(child.started) << child.failure;
        RefreshProcessList(-1, 0);  // one refresh per start: siblings are listed in the order they appeared
        pids.push_back(child.pid());
    }
    for (size_t i = 1; i < pids.size(); ++i)
        ASSERT_LT(RowOf(pids[i - 1]), RowOf(pids[i])) << "the action goes down the list";
    ChildProcess& last = children[9];
    ASSERT_EQ(GetPriorityClass(last.info.hProcess), static_cast<DWORD>(NORMAL_PRIORITY_CLASS)) << LastError();
    DWORD ownPriority = GetPriorityClass(GetCurrentProcess());

    EndOrderWatch watch{children[0].info.hProcess, last.info.hProcess};
    HANDLE watcher = CreateThread(nullptr, 0, WatchEndOrder, &watch, CREATE_SUSPENDED, nullptr);
    ASSERT_NE(watcher, nullptr) << LastError();
    SetThreadPriority(watcher, THREAD_PRIORITY_TIME_CRITICAL);
    ResumeThread(watcher);
    Select(pids);
    ShownMessages().clear();
    AnswerQuestionsWith(kAnswerYes);
    EndSelectedProcesses(9);
    ASSERT_EQ(WaitForSingleObject(watcher, 10000), WAIT_OBJECT_0) << LastError();
    CloseHandle(watcher);
    EXPECT_EQ(watch.lastClassAtFirstEnd, static_cast<DWORD>(IDLE_PRIORITY_CLASS));
    for (ChildProcess& child : children)
        EXPECT_EQ(ExitCodeOf(child), 9u);
    EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), ownPriority);
    EXPECT_EQ(ShownMessages().size(), 1u) << "no failure reported";
}

TEST_F(ProcessListTest, PriorityIsSetAndTheRowRecoloured) {
    RecordMessageBoxes();
    ChildProcess child;
    StartChild(child, "sleep");
    ASSERT_TRUE(child.started) << child.failure;
    RefreshProcessList(-1, 0);
    Select({child.pid()});
    ShownMessages().clear();
    SetSelectedPriority(BELOW_NORMAL_PRIORITY_CLASS);
    EXPECT_EQ(GetPriorityClass(child.info.hProcess), static_cast<DWORD>(BELOW_NORMAL_PRIORITY_CLASS));
    size_t row = RowOf(child.pid());
    ASSERT_NE(row, kNoRow);
    EXPECT_EQ(Cell(Rows(), row, kProcessColumnPriority), LanguageText(LanguageKey::PriorityShortDecreased));
    EXPECT_EQ(Rows().rows[row].backgroundColour, 0xCCFFCCu);
    EXPECT_TRUE(ShownMessages().empty());
}

BOOL WINAPI RefuseAffinity(HANDLE, DWORD_PTR) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

TEST_F(ProcessListTest, AffinityTogglesButKeepsTheLastProcessorAndTheMenuShowsIt) {
    ChildProcess child;
    StartChild(child, "sleep");
    ASSERT_TRUE(child.started) << child.failure;
    DWORD_PTR mask = 0, system = 0;
    ASSERT_TRUE(GetProcessAffinityMask(child.info.hProcess, &mask, &system)) << LastError();
    if ((system & 3) != 3)
        GTEST_SKIP() << "needs two processors";
    RefreshProcessList(-1, 0);
    Select({child.pid()});

    HMENU menu = CreatePopupMenu();
    for (int id = 37; id <= 44; ++id)
        AppendMenuA(menu, MF_STRING, id, "item");
    CheckMenuItem(menu, 37, MF_BYCOMMAND | MF_CHECKED);  // left from an earlier selection
    auto checked = [&](int id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0; };
    auto disabled = [&](int id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; };
    PrepareProcessMenu(menu);
    for (int id = 37; id <= 42; ++id)
        EXPECT_EQ(checked(id), id == 40) << id;  // normal priority
    EXPECT_TRUE(checked(43) && checked(44));
    EXPECT_FALSE(disabled(43) || disabled(44));

    ToggleSelectedAffinity(1);
    ASSERT_TRUE(GetProcessAffinityMask(child.info.hProcess, &mask, &system)) << LastError();
    EXPECT_EQ(mask, static_cast<DWORD_PTR>(1));
    PrepareProcessMenu(menu);
    EXPECT_TRUE(checked(43) && disabled(43)) << "the only processor cannot be removed";
    EXPECT_FALSE(checked(44) || disabled(44));

    ToggleSelectedAffinity(0);
    ASSERT_TRUE(GetProcessAffinityMask(child.info.hProcess, &mask, &system)) << LastError();
    EXPECT_EQ(mask, static_cast<DWORD_PTR>(1));
    ToggleSelectedAffinity(1);
    ASSERT_TRUE(GetProcessAffinityMask(child.info.hProcess, &mask, &system)) << LastError();
    EXPECT_EQ(mask, static_cast<DWORD_PTR>(3));

    // A process that refuses the change is reported.
    RecordMessageBoxes();
    g_setProcessAffinityMask = RefuseAffinity;
    ToggleSelectedAffinity(1);
    g_setProcessAffinityMask = SetProcessAffinityMask;
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].text, LanguageText(LanguageKey::CanNotSetProcess));
    EXPECT_EQ(ShownMessages()[0].style, kMessageBoxWarning);

    // One whose mask cannot be read offers no processor to toggle.
    RowTable& table = *ProcessListView().table;
    size_t gone = AppendRow(table);
    SetCellInteger(table, gone, kProcessColumnProcessId, 0x7FFFFFF0);
    Select({0x7FFFFFF0});
    PrepareProcessMenu(menu);
    EXPECT_TRUE(disabled(43) && disabled(44)) << "no mask, nothing to toggle";
    DestroyMenu(menu);
}

TEST_F(ProcessListTest, APausedChildMakesNoProgressUntilResumed) {
    RunCounter counter;
    ASSERT_NE(counter.count, nullptr);
    ChildProcess child;
    StartChild(child, "count", counter.name);
    ASSERT_TRUE(child.started) << child.failure;
    ASSERT_TRUE(counter.Moves()) << "the child counts while it runs";
    RefreshProcessList(-1, 0);
    Select({child.pid()});
    PauseSelectedProcesses(true);
    ASSERT_TRUE(counter.Settles()) << "pausing stopped the child";
    LONG paused = counter.Now();
    Sleep(400);
    EXPECT_EQ(counter.Now(), paused);

    Select({child.pid()});
    PauseSelectedProcesses(false);
    EXPECT_TRUE(counter.Moves()) << "resuming let it go on";
}

TEST_F(ProcessListTest, JumpToParentSelectsTheParentsRowOnly) {
    ChildProcess parent;
    DWORD grandchild = StartParentWithGrandchild(parent);
    ASSERT_TRUE(parent.started) << parent.failure;
    ASSERT_NE(grandchild, 0u);
    RefreshProcessList(-1, 0);
    ASSERT_NE(RowOf(grandchild), kNoRow);
    SelectOnlyRow(ProcessListView(), RowOf(grandchild));
    JumpToParent();
    size_t parentRow = RowOf(parent.pid());
    EXPECT_EQ(CurrentRow(ProcessListView()), parentRow);
    for (size_t row = 0; row < RowCount(Rows()); ++row)
        EXPECT_EQ(Rows().rows[row].selected, row == parentRow) << row;
    EXPECT_TRUE(TerminateById(grandchild, 0));
}

TEST_F(ProcessListTest, DeletingTheExecutableOfARunningChildRemovesTheFileALockedOneIsScheduled) {
    RecordMessageBoxes();
    char temporary[MAX_PATH];
    GetTempPathA(sizeof(temporary), temporary);
    std::string name = "vantrel_doomed_" + std::to_string(GetCurrentProcessId()) + ".exe";
    std::string copy = std::string(temporary) + name;
    ASSERT_TRUE(CopyFileA(ChildProgramPath().c_str(), copy.c_str(), FALSE)) << LastError();
    std::string commandLine = "\"" + copy + "\" sleep -";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(
        CreateProcessA(copy.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        << LastError();
    Sleep(300);
    RefreshProcessList(-1, 0);
    ASSERT_NE(RowOf(info.dwProcessId), kNoRow);
    Select({info.dwProcessId});
    ShownMessages().clear();
    AnswerQuestionsWith(kAnswerYes);
    DeleteSelectedExecutables(3);
    EXPECT_EQ(WaitForSingleObject(info.hProcess, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(GetFileAttributesA(copy.c_str()), INVALID_FILE_ATTRIBUTES) << "the file is gone";
    ASSERT_EQ(ShownMessages().size(), 2u);
    EXPECT_EQ(ShownMessages()[1].style, kMessageBoxInformation);
    EXPECT_EQ(ShownMessages()[1].text, LanguageTextWith(LanguageKey::DeleteProcessSuccessful, name));
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);

    // A file held open without delete sharing stays; the row's process is one that has gone.
    std::string locked = std::string(temporary) + "vantrel_locked_" + std::to_string(GetCurrentProcessId()) + ".exe";
    HANDLE hold = CreateFileA(locked.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(hold, INVALID_HANDLE_VALUE) << LastError();
    RowTable& table = *ProcessListView().table;
    size_t row = AppendRow(table);
    SetCell(table, row, kProcessColumnName, "locked.exe");
    SetCellInteger(table, row, kProcessColumnProcessId, 0x7FFFFFF0);
    SetCell(table, row, kProcessColumnFilePath, locked);
    Select({0x7FFFFFF0});
    ShownMessages().clear();
    DWORD start = GetTickCount();
    DeleteSelectedExecutables(3);
    EXPECT_GE(GetTickCount() - start, 1900u) << "retried for two seconds";
    ASSERT_EQ(ShownMessages().size(), 2u);
    EXPECT_EQ(ShownMessages()[1].style, kMessageBoxWarning);
    EXPECT_EQ(ShownMessages()[1].text, LanguageTextWith(LanguageKey::CanNotDeleteProcess, "locked.exe"));
    EXPECT_NE(GetFileAttributesA(locked.c_str()), INVALID_FILE_ATTRIBUTES);
    CloseHandle(hold);
    DeleteFileA(locked.c_str());
}

TEST_F(ProcessListTest, ARowWithoutAPathHasNoFolderToExplore) {
    RecordMessageBoxes();
    RowTable& table = *ProcessListView().table;
    size_t row = AppendRow(table);
    SetCell(table, row, kProcessColumnName, "hidden.exe");
    SetCellInteger(table, row, kProcessColumnProcessId, 0x7FFFFFF0);
    SetCell(table, row, kProcessColumnFilePath, LanguageText(LanguageKey::NotDetectable));
    Select({0x7FFFFFF0});
    ShownMessages().clear();
    ExploreSelectedFolders();
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].title, LanguageText(LanguageKey::Information));
    EXPECT_EQ(ShownMessages()[0].text, LanguageTextWith(LanguageKey::CanNotGetDirectory, "hidden.exe"));
    RefreshProcessList(-1, 0);
}

TEST_F(ProcessListTest, ARunningProcessWithoutAPathIsNotEndedForADeleteThatCannotHappen) {
    RecordMessageBoxes();
    ChildProcess child;
    StartChild(child, "sleep");
    ASSERT_TRUE(child.started) << child.failure;
    RefreshProcessList(-1, 0);
    size_t row = RowOf(child.pid());
    ASSERT_NE(row, kNoRow);
    RowTable& table = *ProcessListView().table;
    SetCell(table, row, kProcessColumnFilePath, LanguageText(LanguageKey::NotDetectable));
    Select({child.pid()});
    ShownMessages().clear();
    AnswerQuestionsWith(kAnswerYes);
    DeleteSelectedExecutables(7);
    ASSERT_EQ(ShownMessages().size(), 1u) << "no question for what cannot be done";
    EXPECT_EQ(ShownMessages()[0].style, kMessageBoxWarning);
    EXPECT_EQ(ShownMessages()[0].text, LanguageTextWith(LanguageKey::CanNotDeleteProcess, "process_test_child.exe"));
    EXPECT_TRUE(StillRunning(child));
}

// On 64-bit Windows a 32-bit program sees SysWOW64 where the system folder is; what the list shows,
// hashes and deletes must still be the file the system means, not a 32-bit namesake.
TEST_F(ProcessListTest, ASystemFolderProgramIsShownAndDeletedAsTheNativeFileNotItsNamesake) {
    std::string native, wow64;
    if (!SystemFolders(native, wow64))
        GTEST_SKIP() << "32-bit Windows has a single system folder";
    std::string name = "vantrel_namesake_" + std::to_string(GetCurrentProcessId()) + ".exe";
    std::string real = TestProgramPath("namesake_real.exe");
    ASSERT_TRUE(CopyFileA(real.c_str(), (native + name).c_str(), FALSE)) << LastError();
    ASSERT_TRUE(CopyFileA(TestProgramPath("namesake_decoy.exe").c_str(), (wow64 + name).c_str(), FALSE)) << LastError();
    ChildProcess child;
    StartChildProgram(child, native + name, "sleep");
    ASSERT_TRUE(child.started) << child.failure;

    RefreshProcessList(-1, 0);
    size_t row = RowOf(child.pid());
    ASSERT_NE(row, kNoRow);
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, sizeof(windows));
    std::string shown = Cell(Rows(), row, kProcessColumnFilePath);
    EXPECT_EQ(Lower(shown), Lower(std::string(windows) + "\\System32\\" + name)) << "the path as the system names it";
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExA(real.c_str(), GetFileExInfoStandard, &data)) << LastError();
    EXPECT_EQ(Cell(Rows(), row, kProcessColumnFileSize), FileSizeText(data.nFileSizeLow));
    EXPECT_EQ(FileVersionText(shown, kVersionDescription, false), "REAL");
    EXPECT_EQ(FileHash(shown), FileHash(real));
    EXPECT_EQ(FileHash(shown).size(), 40u);

    RecordMessageBoxes(kAnswerYes);
    Select({child.pid()});
    DeleteSelectedExecutables(3);
    EXPECT_EQ(GetFileAttributesA((native + name).c_str()), INVALID_FILE_ATTRIBUTES) << "the real file is gone";
    EXPECT_NE(GetFileAttributesA((wow64 + name).c_str()), INVALID_FILE_ATTRIBUTES) << "the namesake stays";
    ASSERT_EQ(ShownMessages().size(), 2u);
    EXPECT_EQ(ShownMessages()[1].text, LanguageTextWith(LanguageKey::DeleteProcessSuccessful, name));
    child.EndAndForget();
    DeleteFileA((native + name).c_str());
    DeleteFileA((wow64 + name).c_str());
}

// Without administrator rights a file cannot be scheduled for deletion at the restart; then the
// message must not promise it. Wine's prefix user may schedule anything, so a name too long for
// the system's calls stands in for the missing right.
TEST_F(ProcessListTest, ADeleteThatCannotBeScheduledIsReportedAsAFailure) {
    UseSourceLanguage();
    RecordMessageBoxes(kAnswerYes);
    char temporary[MAX_PATH];
    GetTempPathA(sizeof(temporary), temporary);
    std::string missing = std::string(temporary) + std::string(MAX_PATH, 'x') + ".exe";
    ASSERT_FALSE(MoveFileExA(missing.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) << "the name is refused";
    RowTable& table = *ProcessListView().table;
    size_t row = AppendRow(table);
    SetCell(table, row, kProcessColumnName, "never.exe");
    SetCellInteger(table, row, kProcessColumnProcessId, 0x7FFFFFF0);
    SetCell(table, row, kProcessColumnFilePath, missing);
    Select({0x7FFFFFF0});
    DeleteSelectedExecutables(3);
    ASSERT_EQ(ShownMessages().size(), 2u);
    EXPECT_EQ(ShownMessages()[1].style, kMessageBoxError);
    EXPECT_EQ(ShownMessages()[1].title, LanguageText(LanguageKey::Error));
    EXPECT_EQ(ShownMessages()[1].text, "The file of never.exe could not be deleted now.");
}

namespace {

DWORD WINAPI EndAtOnce(LPVOID) {
    return 0;
}

// The id of the next thread made here.
DWORD NextThreadId() {
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, EndAtOnce, nullptr, 0, &id);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    return id;
}

// Starts the program on the id of a process that has gone. Wine hands freed ids out again first in,
// first out: threads made and ended here take ids until the id comes round, which shows the id just
// before it; the next time that one comes round, the program is started.
bool StartOnFreedId(const std::string& program, DWORD freedId, PROCESS_INFORMATION& started) {
    DWORD previous = 0, before = 0;
    for (int made = 0; made < 20000; ++made) {
        DWORD id = NextThreadId();
        if (before == 0 && id == freedId)
            before = previous;
        else if (before != 0 && id == before)
            break;
        previous = id;
    }
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started))
        return false;
    WaitForInputIdle(started.hProcess, 5000);
    return true;
}

}  // namespace

TEST_F(ProcessListTest, AnIdGivenToANewProcessShowsTheNewProcesssPathAndIcon) {
    ChildProcess first;
    StartChild(first, "sleep");
    ASSERT_TRUE(first.started) << first.failure;
    RefreshProcessList(-1, 0);
    const DWORD pid = first.pid();
    ASSERT_NE(RowOf(pid), kNoRow);
    const int firstImage = Rows().rows[RowOf(pid)].image;
    // No refresh while the id changes hands: the row of the first process is still there.
    first.EndAndForget();
    ASSERT_TRUE(WaitUntilGone(pid));
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, sizeof(system));
    PROCESS_INFORMATION second{};
    ASSERT_TRUE(StartOnFreedId(std::string(system) + "\\notepad.exe", pid, second));
    ScopedHandle process(second.hProcess), thread(second.hThread);
    if (second.dwProcessId != pid) {
        TerminateProcess(process.get(), 0);
        GTEST_SKIP() << "Wine gave the id " << pid << " to no new process (got " << second.dwProcessId << ")";
    }

    RefreshProcessList(-1, 0);
    size_t row = RowOf(pid);
    ASSERT_NE(row, kNoRow);
    const std::string path = Cell(Rows(), row, kProcessColumnFilePath);
    EXPECT_EQ(Lower(path.substr(path.rfind('\\') + 1)), "notepad.exe") << path;
    EXPECT_EQ(Cell(Rows(), row, kProcessColumnName), "notepad.exe");
    EXPECT_NE(Rows().rows[row].image, firstImage) << "the notepad's own icon, not the child's generic one";
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 5000);
}

TEST_F(ProcessListTest, ATimerRefreshSamplesElsewhereAndShowsThePassWhenItArrives) {
    ChildProcess child;
    StartChild(child, "sleep");
    ASSERT_TRUE(child.started) << child.failure;
    ASSERT_EQ(RowOf(child.pid()), kNoRow);
    const unsigned before = ProcessListActivityCounts().passes;
    RequestProcessListRefresh();
    EXPECT_EQ(RowOf(child.pid()), kNoRow) << "nothing changes before the pass arrives";
    for (DWORD start = GetTickCount();
         ProcessListActivityCounts().passes == before && GetTickCount() - start < 10000;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    EXPECT_EQ(ProcessListActivityCounts().passes, before + 1);
    EXPECT_NE(RowOf(child.pid()), kNoRow);
    StopProcessListSampling();
}

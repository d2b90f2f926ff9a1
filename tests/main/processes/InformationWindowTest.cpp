// The information window in the real main window, opened by a double click on a process row and by
// the menu command, showing a child of the test that loaded a library on purpose.

#include "main/processes/InformationWindow_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>

#include "foundation/Language.h"
#include "foundation/ListViews_win.h"
#include "main/CommandIds.h"
#include "main/Dispatch_win.h"
#include "main/LibraryTable_win.h"
#include "main/MainWindows_win.h"
#include "main/ProgramDatabase_win.h"
#include "main/SecondaryWindows_win.h"
#include "main/database/FileHash_win.h"
#include "main/processes/InformationFields.h"
#include "main/processes/ProcessLayer_win.h"
#include "main/processes/ProcessListColumns.h"
#include "main/processes/ProcessList_win.h"
#include "tests/main/processes/ChildProcess.h"
#include "tests/main/shell/TestMainWindows.h"

namespace {

HWND Window() {
    return SecondaryWindowHandle(WindowProcessInformation);
}

std::string Value(int field) {
    char text[1024] = {};
    GetDlgItemTextA(Window(), ControlInformationValueFirst + field, text, sizeof text);
    return text;
}

bool SelectProcess(DWORD pid) {
    RefreshProcessList(-1, 0);
    const size_t row = FindRow(*ProcessListView().table, kProcessColumnProcessId, std::to_string(pid));
    if (row != kNoRow)
        SelectOnlyRow(ProcessListView(), row);
    return row != kNoRow;
}

bool ModuleListed(const std::string& name) {
    HWND list = GetDlgItem(Window(), ControlInformationModules);
    for (int i = 0; i < ListViewItemCount(list); ++i) {
        if (_stricmp(ListViewItemText(list, i, 0).c_str(), name.c_str()) == 0)
            return true;
    }
    return false;
}

int SecondsOfDay(const SYSTEMTIME& time) {
    return time.wHour * 3600 + time.wMinute * 60 + time.wSecond;
}

TEST(InformationWindow, ShowsTheChildItsModulesParentStartAndBars) {
    OpenLibraryTable();
    InitProcessLayer();
    // A rating cache with the child's program rated, and no server.
    g_program.preferences.PreferencesUseDatabase = 1;
    const int32_t now = static_cast<int32_t>(LocalEpochSeconds(std::time(nullptr)));
    RatingEntry rated{CachedFileHash(ChildProgramPath()), 2, 1, "test child", now, now};
    ASSERT_EQ(rated.hash.size(), 40u) << rated.hash;
    AppendRating(g_program.database.cache, rated);
    CreateMainWindowsForTest();
    ConnectRatingDatabase();
    SYSTEMTIME before{};
    GetLocalTime(&before);
    ChildProcess child;
    StartChild(child, "load", "msimg32.dll");
    ASSERT_TRUE(child.started) << child.failure;
    SYSTEMTIME after{};
    GetLocalTime(&after);
    ASSERT_TRUE(SelectProcess(child.pid()));

    // A double click on the row, as the list reports it to its view.
    NMHDR click{ProcessListView().list, static_cast<UINT_PTR>(ControlProcessList), static_cast<UINT>(NM_DBLCLK)};
    SendMessageA(GetParent(ProcessListView().list), WM_NOTIFY, ControlProcessList, reinterpret_cast<LPARAM>(&click));
    ASSERT_TRUE(IsWindowVisible(Window()));
    // Beside the main window (or pushed against the work area's edge when neither side has room),
    // whole on the work area.
    RECT info{}, main{}, work{};
    GetWindowRect(Window(), &info);
    GetWindowRect(g_windows.window, &main);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_TRUE(info.left == main.right || info.right == main.left || info.right == work.right ||
                info.left == work.left)
        << info.left << " " << main.left << "-" << main.right;
    EXPECT_TRUE(info.left >= work.left && info.top >= work.top && info.right <= work.right &&
                info.bottom <= work.bottom)
        << info.left << "," << info.top << " " << info.right << "," << info.bottom;
    EXPECT_TRUE(ModuleListed("msimg32.dll"));
    EXPECT_TRUE(ModuleListed("process_test_child.exe"));
    EXPECT_EQ(Value(FieldFileName), "process_test_child.exe");
    EXPECT_EQ(Value(FieldRating), LanguageText(LanguageKey::RatingTrustworthyProgram));
    const size_t row = CurrentRow(ProcessListView());
    EXPECT_EQ(Cell(*ProcessListView().table, row, kProcessColumnDatabaseInformation), "test child");
    EXPECT_EQ(ProcessListView().table->rows[row].textColour, 0x008000u);

    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    const std::string selfName = std::string(self).substr(std::string(self).rfind('\\') + 1);
    EXPECT_EQ(_stricmp(Value(FieldParent).substr(Value(FieldParent).find_first_not_of(' ')).c_str(), selfName.c_str()),
              0)
        << Value(FieldParent);

    int hour = 0, minute = 0, second = 0, day = 0, month = 0, year = 0;
    ASSERT_EQ(
        std::sscanf(Value(FieldStarted).c_str(), "%d:%d:%d am %d.%d.%d", &hour, &minute, &second, &day, &month, &year),
        6)
        << Value(FieldStarted);
    const int started = hour * 3600 + minute * 60 + second;
    EXPECT_GE(started, SecondsOfDay(before) - 1) << Value(FieldStarted);
    EXPECT_LE(started, SecondsOfDay(after) + 1) << Value(FieldStarted);
    EXPECT_EQ(day, after.wDay);

    // The bars follow the figures shown beside them.
    const std::string cpu = Value(FieldCpu);
    const int cpuWidth = CpuBarWidth(std::stof(cpu.substr(0, cpu.find('%'))));
    EXPECT_EQ(InformationBarPixelAt(0, 2 + cpuWidth, 8), 0xFFEEDDu) << cpu;
    if (cpuWidth > 0) {
        EXPECT_EQ(InformationBarPixelAt(0, 1 + cpuWidth, 8), 0xFFAA55u) << cpu;
    }
    EXPECT_NE(InformationBarPixelAt(1, 2, 2), 0xFFEEDDu);  // a working set is never nothing

    // The same process again keeps its module list; another one has it refilled.
    const unsigned fills = InformationModuleFills();
    RefreshInformationWindow(1);
    EXPECT_EQ(InformationModuleFills(), fills);
    ASSERT_TRUE(SelectProcess(GetCurrentProcessId()));
    DispatchCommand(CommandProcessInformation, 0, nullptr);
    EXPECT_EQ(InformationModuleFills(), fills + 1);
    EXPECT_FALSE(ModuleListed("process_test_child.exe"));

    // No row: the system summary.
    SelectOnlyRow(ProcessListView(), kNoRow);
    RefreshInformationWindow(1);
    EXPECT_EQ(Value(FieldProcess).rfind(LanguageText(LanguageKey::Username) + ": ", 0), 0u) << Value(FieldProcess);
    EXPECT_NE(Value(FieldVersion).find(" Bit, "), std::string::npos) << Value(FieldVersion);
}

TEST(InformationWindow, AnEndedParentIsUnknown) {
    char temporary[MAX_PATH];
    GetTempPathA(sizeof temporary, temporary);
    const std::string pidFile = std::string(temporary) + "vantrel_info_" + std::to_string(GetCurrentProcessId());
    ChildProcess parent;
    StartChild(parent, "parent", "\"" + pidFile + "\"");
    ASSERT_TRUE(parent.started) << parent.failure;
    DWORD grandchild = 0;
    std::ifstream(pidFile) >> grandchild;
    DeleteFileA(pidFile.c_str());
    ASSERT_NE(grandchild, 0u);
    const DWORD parentPid = parent.pid();
    parent.EndAndForget();
    ASSERT_TRUE(WaitUntilGone(parentPid));

    ASSERT_TRUE(SelectProcess(grandchild));
    DispatchCommand(CommandProcessInformation, 0, nullptr);
    EXPECT_NE(Value(FieldParent).find("Unbekannt"), std::string::npos) << Value(FieldParent);
    TerminateById(grandchild, 0);
    DestroyWindow(g_windows.window);
}

}  // namespace

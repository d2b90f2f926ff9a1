// The windows view in the real main window, over the windows of a test program of ours: the check
// boxes clicked as a user does, each menu action through the dispatch, observed on the window.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "main/CommandIds.h"
#include "main/Dispatch_win.h"
#include "main/LibraryTable_win.h"
#include "main/MainWindow_win.h"
#include "main/MainWindows_win.h"
#include "main/Menus_win.h"
#include "main/ProgramModel.h"
#include "main/Views_win.h"
#include "main/processes/ProcessLayer_win.h"
#include "main/processes/ProcessListColumns.h"
#include "main/processes/ProcessList_win.h"
#include "main/processes/WindowsView_win.h"
#include "tests/harness/TestSupport.h"
#include "tests/harness/WineTestSupport.h"

namespace {

StartedProgram g_program_;
std::string g_pid;

std::string ExeFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\') + 1);
}

size_t RowOf(const std::string& kind) {
    return FindRow(*WindowsList().table, WindowColumnTitle, kind + " " + g_pid);
}

HWND TestWindow(const std::string& kind) {
    return FindWindowA("VantrelWindowsTest", (kind + " " + g_pid).c_str());
}

// Selects the window's row, as a click does, and sends the command as its menu entry does.
void RunOnWindow(const std::string& kind, int command) {
    DispatchCommand(CommandRefresh, 0, nullptr);
    size_t row = RowOf(kind);
    ASSERT_NE(kNoRow, row) << kind;
    SelectOnlyRow(WindowsList(), row);
    DispatchCommand(command, 0, nullptr);
}

void ClickBox(int id) {
    SendMessageA(GetDlgItem(g_windows.views[ViewWindows], id), BM_CLICK, 0, 0);
}

int Alpha(HWND window) {
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED) ||
        !GetLayeredWindowAttributes(window, nullptr, &alpha, &flags))
        return -1;
    return alpha;
}

bool WaitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 100 && !condition(); ++i)
        Sleep(20);
    return condition();
}

class WindowsViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        UseSourceLanguage();
        OpenLibraryTable();
        InitProcessLayer();
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        g_program.screenWidth = GetSystemMetrics(SM_CXSCREEN);
        g_program.preferences.PreferencesSticky = 0;
        ASSERT_TRUE(CreateMainWindows(GetModuleHandleA(nullptr)));
        ShowMainWindow();
        g_program_ = StartProgram(ExeFolder() + "windows_test_program.exe", "");
        ASSERT_TRUE(g_program_.started) << g_program_.failure;
        g_pid = std::to_string(g_program_.info.dwProcessId);
        ASSERT_NE(nullptr, WaitForProcessWindow("VantrelWindowsTest", ("Topmost " + g_pid).c_str(),
                                                g_program_.info.dwProcessId, 10000));
        DispatchCommand(CommandViewFirst + ViewWindows, 0, nullptr);
    }
    static void TearDownTestSuite() { WaitForExit(g_program_, 100); }
};

}  // namespace

TEST_F(WindowsViewTest, CheckBoxesWidenTheListAndRowsShowTheWindowsState) {
    const RowTable& table = *WindowsList().table;
    EXPECT_NE(kNoRow, RowOf("Normal"));
    EXPECT_NE(kNoRow, RowOf("Topmost"));
    EXPECT_EQ(kNoRow, FindRow(table, WindowColumnTitle, "Program Manager"));
    const struct {
        const char* kind;
        int box;
    } widened[] = {
        {"Hidden", ControlHiddenWindows}, {"NoSize", ControlNoSizeWindows}, {"Outside", ControlOutsideWindows}};
    for (const auto& window : widened) {
        EXPECT_EQ(kNoRow, RowOf(window.kind));
        ClickBox(window.box);
        EXPECT_NE(kNoRow, RowOf(window.kind)) << window.kind;
        if (window.box == ControlHiddenWindows) {
            EXPECT_EQ(kInvisibleWindowText, table.rows[RowOf(window.kind)].textColour);
        }
        ClickBox(window.box);
        EXPECT_EQ(kNoRow, RowOf(window.kind)) << window.kind;
    }
    size_t minimised = RowOf("Minimised");
    ASSERT_NE(kNoRow, minimised) << "a minimised window is never outside the screen";
    EXPECT_EQ("", Cell(table, minimised, WindowColumnPosition));
    EXPECT_EQ(LanguageText(LanguageKey::Minimized), Cell(table, minimised, WindowColumnStatus));
    size_t normal = RowOf("Normal");
    EXPECT_EQ("windows_test_program.exe", Cell(table, normal, WindowColumnProcess));
    EXPECT_EQ(g_pid, Cell(table, normal, WindowColumnProcessId));
    EXPECT_EQ("300 x 200", Cell(table, normal, WindowColumnSize));
    EXPECT_EQ(std::to_string(reinterpret_cast<uintptr_t>(TestWindow("Normal"))),
              Cell(table, normal, WindowColumnHandle));
    size_t topmost = RowOf("Topmost");
    EXPECT_EQ(LanguageText(LanguageKey::Yes), Cell(table, topmost, WindowColumnForeground));
    EXPECT_EQ(kTopmostWindowBackground, table.rows[topmost].backgroundColour);
    EXPECT_GE(table.rows[normal].image, 0);
}

TEST_F(WindowsViewTest, EachActionReachesTheWindow) {
    HWND window = TestWindow("Normal");
    ASSERT_NE(nullptr, window);
    const int alphas[][2] = {{CommandTransparencyNone + 1, 230},
                             {CommandTransparencyNone + 3, 178},
                             {CommandTransparencyNone + 5, 128},
                             {CommandTransparencyNone + 9, 26},
                             {CommandTransparencyNone, -1}};
    for (const auto& step : alphas) {
        RunOnWindow("Normal", step[0]);
        EXPECT_EQ(step[1], Alpha(window)) << "command " << step[0];
    }
    auto topmost = [window] { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    RunOnWindow("Normal", CommandWindowForeground);
    EXPECT_TRUE(WaitFor(topmost));
    HMENU menu = CreateContextMenu(ContextMenuWindows);
    PrepareWindowsMenu(menu);
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), GetMenuState(menu, CommandWindowForeground, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(0u, GetMenuState(menu, CommandWindowHidden, MF_BYCOMMAND) & MF_CHECKED);
    DestroyMenu(menu);
    RunOnWindow("Normal", CommandWindowForeground);
    EXPECT_TRUE(WaitFor([&] { return !topmost(); }));
    RunOnWindow("Normal", CommandWindowDeactivated);
    EXPECT_FALSE(IsWindowEnabled(window));
    RunOnWindow("Normal", CommandWindowDeactivated);
    EXPECT_TRUE(IsWindowEnabled(window));
    RunOnWindow("Normal", CommandWindowMinimize);
    EXPECT_TRUE(WaitFor([window] { return IsIconic(window) != FALSE; }));
    RunOnWindow("Normal", CommandWindowMaximize);
    EXPECT_TRUE(WaitFor([window] { return IsZoomed(window) != FALSE; }));
    RunOnWindow("Normal", CommandWindowRestore);
    EXPECT_TRUE(WaitFor([window] { return !IsZoomed(window) && !IsIconic(window); }));
    RunOnWindow("Normal", CommandWindowHidden);
    EXPECT_TRUE(WaitFor([window] { return !IsWindowVisible(window); }));
    ClickBox(ControlHiddenWindows);
    RunOnWindow("Normal", CommandWindowHidden);
    EXPECT_TRUE(WaitFor([window] { return IsWindowVisible(window) != FALSE; }));
    ClickBox(ControlHiddenWindows);

    ClickBox(ControlOutsideWindows);
    RunOnWindow("Outside", CommandWindowRepairPosition);
    ClickBox(ControlOutsideWindows);
    RECT frame{};
    const int width = GetSystemMetrics(SM_CXFULLSCREEN), height = GetSystemMetrics(SM_CYFULLSCREEN);
    WaitFor([&] { return GetWindowRect(TestWindow("Outside"), &frame) && frame.left == width / 4; });
    EXPECT_EQ(width / 4, frame.left);
    EXPECT_EQ(height / 4, frame.top);
    EXPECT_EQ(width / 2, frame.right - frame.left);
    EXPECT_EQ(height / 2, frame.bottom - frame.top);
    EXPECT_NE(kNoRow, RowOf("Outside")) << "back on the screen";

    RunOnWindow("Minimised", CommandWindowJumpWindow);
    EXPECT_TRUE(WaitFor([] { return !IsIconic(TestWindow("Minimised")); }));
}

TEST_F(WindowsViewTest, JumpToProcessSelectsItsRowAndCloseEndsTheProgram) {
    RunOnWindow("Normal", CommandWindowJumpProcess);
    ASSERT_EQ(ViewProcesses, g_program.currentView);
    TableListView& processes = ProcessListView();
    size_t row = CurrentRow(processes);
    ASSERT_NE(kNoRow, row);
    EXPECT_EQ(g_pid, Cell(*processes.table, row, kProcessColumnProcessId));

    DispatchCommand(CommandViewFirst + ViewWindows, 0, nullptr);
    RunOnWindow("Normal", CommandEnd);
    EXPECT_NE(-1, WaitForExit(g_program_, 5000)) << "EndTask ended the program";
    DispatchCommand(CommandRefresh, 0, nullptr);
    EXPECT_EQ(kNoRow, RowOf("Normal"));
}

// The real main window, created inside the test process and driven through the same dispatch
// that menus, buttons and shortcuts use.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/Language.h"
#include "foundation/ListViews_win.h"
#include "foundation/MessageBoxSeam.h"
#include "foundation/ScopedHandles_win.h"
#include "main/CommandIds.h"
#include "main/Dispatch_win.h"
#include "main/MainWindow_win.h"
#include "main/MainWindows_win.h"
#include "main/MenuIcons_win.h"
#include "main/Menus_win.h"
#include "main/Preferences_win.h"
#include "main/ProgramDatabase_win.h"
#include "main/ProgramModel.h"
#include "main/SecondaryWindows_win.h"
#include "main/StatusBar_win.h"
#include "main/SystemPower_win.h"
#include "main/Views_win.h"
#include "main/database/RatingProgress_win.h"
#include "main/processes/ProcessList_win.h"
#include "tests/harness/TestSupport.h"
#include "tests/harness/WineTestSupport.h"
#include "tests/main/shell/TestMainWindows.h"

namespace {

struct PowerCall {
    std::string function;
    unsigned first;
    unsigned second;
};
std::vector<PowerCall> g_powerCalls;

BOOL WINAPI RecordExitWindows(UINT flags, DWORD reason) {
    g_powerCalls.push_back({"ExitWindowsEx", flags, reason});
    return FALSE;
}
BOOL WINAPI RecordPowerState(BOOL suspend, BOOL force) {
    g_powerCalls.push_back({"SetSystemPowerState", static_cast<unsigned>(suspend), static_cast<unsigned>(force)});
    return TRUE;
}
BOOL WINAPI RecordLock() {
    g_powerCalls.push_back({"LockWorkStation", 0, 0});
    return TRUE;
}

std::string Text(LanguageKey key) {
    return LanguageText(key);
}

std::string MenuText(HMENU menu, UINT position) {
    char text[256] = {};
    GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
    return text;
}

std::string TooltipOf(int command) {
    for (size_t i = 0; i < kButtonCommands.size(); ++i) {
        if (kButtonCommands[i] != command) {
            continue;
        }
        char text[256] = {};
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V1_SIZE;
        tool.hwnd = g_windows.window;
        tool.uId = reinterpret_cast<UINT_PTR>(g_windows.buttons[i]);
        tool.lpszText = text;
        SendMessageA(g_windows.tooltips, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
        return text;
    }
    return {};
}

class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        g_program.processorCount = 2;
        CreateMainWindowsForTest();
    }

    void SetUp() override {
        RecordMessageBoxes();
        g_powerCalls.clear();
    }
};

// First in this file: no secondary window but the preferences window exists before its command opens it.
TEST_F(MainWindowTest, EachSecondaryWindowIsMadeByTheCommandThatFirstShowsIt) {
    struct Opening {
        int view;
        int command;
        int window;
    };
    const Opening openings[] = {{ViewProcesses, CommandAbout, WindowAbout},
                                {ViewProcesses, CommandRun, WindowExecute},
                                {ViewAutoruns, CommandRun, WindowNewAutorun},
                                {ViewProcesses, CommandPreferences, WindowPreferences},
                                {ViewProcesses, CommandDiagram, WindowDiagram},
                                {ViewProcesses, CommandSearch, WindowSearch},
                                {ViewProcesses, CommandProcessInformation, WindowProcessInformation}};
    for (const Opening& opening : openings) {
        if (opening.window != WindowPreferences) {
            EXPECT_EQ(g_windows.secondary[opening.window], nullptr) << opening.window;
        }
        DispatchCommand(CommandViewFirst + opening.view, 0, nullptr);
        DispatchCommand(opening.command, 0, nullptr);
        HWND window = g_windows.secondary[opening.window];
        ASSERT_NE(window, nullptr) << opening.window;
        EXPECT_TRUE(IsWindowVisible(window)) << opening.window;
        const SecondaryWindowDescription& description = kSecondaryWindows[opening.window - 1];
        ASSERT_EQ(description.window, opening.window);
        char title[128] = {};
        GetWindowTextA(window, title, sizeof(title));
        EXPECT_EQ(std::string(title), SecondaryWindowTitle(description));
        RECT frame{};
        GetWindowRect(window, &frame);
        // The diagram's frame is fitted around its image.
        if (opening.window != WindowDiagram) {
            EXPECT_EQ(frame.right - frame.left, description.width) << opening.window;
            EXPECT_EQ(frame.bottom - frame.top, description.height) << opening.window;
        }
        SendMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_FALSE(IsWindowVisible(window)) << opening.window;
        EXPECT_TRUE(IsWindowEnabled(g_windows.window)) << opening.window;
    }
    EXPECT_EQ(g_windows.secondary[WindowDatabaseWait], nullptr) << "nothing opens it";
}

TEST_F(MainWindowTest, EachViewCommandShowsOnlyItsViewAndChecksItsMenuEntry) {
    for (int view = ViewCount - 1; view >= 0; --view) {
        DispatchCommand(CommandViewFirst + view, 0, nullptr);
        EXPECT_EQ(g_program.currentView, view);
        for (int other = 0; other < ViewCount; ++other) {
            EXPECT_EQ(IsWindowVisible(g_windows.views[other]) != FALSE, other == view)
                << "view " << other << " while " << view << " is current";
            UINT state = GetMenuState(g_windows.viewMenu, CommandViewFirst + other, MF_BYCOMMAND);
            EXPECT_EQ((state & MF_CHECKED) != 0, other == view) << "menu entry of view " << other;
        }
    }
}

TEST_F(MainWindowTest, ButtonTooltipsFollowTheView) {
    DispatchCommand(CommandViewFirst + ViewWindows, 0, nullptr);
    EXPECT_EQ(TooltipOf(CommandEnd), Text(LanguageKey::CloseWindowBrackets));
    DispatchCommand(CommandViewFirst + ViewAutoruns, 0, nullptr);
    EXPECT_EQ(TooltipOf(CommandEnd), Text(LanguageKey::RemoveAutorunBrackets));
    EXPECT_EQ(TooltipOf(CommandRun), Text(LanguageKey::AddAutorunBrackets));
    EXPECT_EQ(TooltipOf(CommandWebSearch), Text(LanguageKey::SearchAutorunBrackets));
    DispatchCommand(CommandViewFirst + ViewDrivers, 0, nullptr);
    EXPECT_EQ(TooltipOf(CommandWebSearch), Text(LanguageKey::SearchDriverBrackets));
    DispatchCommand(CommandViewFirst + ViewProcesses, 0, nullptr);
    EXPECT_EQ(TooltipOf(CommandEnd), Text(LanguageKey::EndProcessBrackets));
    EXPECT_EQ(TooltipOf(CommandRun), Text(LanguageKey::RunProcessBrackets));
    EXPECT_EQ(TooltipOf(CommandTaskManager), Text(LanguageKey::RunTaskManagerBrackets));
}

TEST_F(MainWindowTest, SelectionButtonsAreDisabledWithoutASelectionAndUnbuiltOnesAlways) {
    DispatchCommand(CommandViewFirst + ViewProcesses, 0, nullptr);
    std::vector<int> live;
    for (size_t i = 0; i < kButtonCommands.size(); ++i) {
        if (g_windows.buttonEnabled[i])
            live.push_back(kButtonCommands[i]);
    }
    EXPECT_EQ(live, (std::vector<int>{CommandTaskManager, CommandRun, CommandPreferences, CommandDiagram, CommandSearch,
                                      CommandRefresh}));
}

TEST_F(MainWindowTest, SelectingAProcessEnablesItsButtonsAndARefreshKeepsTheSelection) {
    DispatchCommand(CommandViewFirst + ViewProcesses, 0, nullptr);
    HWND list = ProcessListView().list;
    ASSERT_GT(ListViewItemCount(list), 0);
    auto enabled = [](int command) {
        for (size_t i = 0; i < kButtonCommands.size(); ++i) {
            if (kButtonCommands[i] == command)
                return static_cast<bool>(g_windows.buttonEnabled[i]);
        }
        return false;
    };
    auto select = [list](bool on) { SetListViewItemState(list, on ? 0 : -1, on ? LVIS_SELECTED : 0, LVIS_SELECTED); };
    select(true);  // as a click does: the list tells its view window
    EXPECT_TRUE(enabled(CommandEnd) && enabled(CommandWebSearch));
    EXPECT_TRUE(enabled(CommandProcessInformation));
    DispatchCommand(CommandRefresh, 0, nullptr);
    EXPECT_EQ(ListViewSelectedCount(list), 1) << "the refresh kept the selection";
    EXPECT_TRUE(enabled(CommandEnd));
    select(false);
    EXPECT_FALSE(enabled(CommandEnd) || enabled(CommandWebSearch) || enabled(CommandProcessInformation));
}

TEST_F(MainWindowTest, MenuBarHasItsFourMenusWithTheLoggedOnUserInLogOff) {
    HMENU bar = GetMenu(g_windows.window);
    ASSERT_EQ(GetMenuItemCount(bar), 4);
    EXPECT_EQ(MenuText(bar, 0), Text(LanguageKey::File));
    EXPECT_EQ(MenuText(bar, 1), Text(LanguageKey::View));
    EXPECT_EQ(MenuText(bar, 2), Text(LanguageKey::System));
    EXPECT_EQ(MenuText(bar, 3), Text(LanguageKey::Help));

    HMENU file = GetSubMenu(bar, 0);
    std::vector<int> ids;
    for (int i = 0; i < GetMenuItemCount(file); ++i) {
        ids.push_back(static_cast<int>(GetMenuItemID(file, i)));
    }
    // Separators report 0.
    EXPECT_EQ(ids, (std::vector<int>{1, 0, 2, 3, 4, 5, 6, 7, 8, 0, 19, 0, 9}));
    EXPECT_EQ(MenuText(file, 0), Text(LanguageKey::ExportAll) + "...");

    char user[257] = {};
    DWORD size = sizeof(user);
    ASSERT_TRUE(GetUserNameA(user, &size));
    char logoff[256] = {};
    GetMenuStringA(g_windows.systemMenu, CommandLogoff, logoff, sizeof(logoff), MF_BYCOMMAND);
    EXPECT_EQ(std::string(logoff), LanguageTextWith(LanguageKey::Logoff, user));
}

// A menu read back entry by entry: the command, "-" for a separator, "[...]" for a submenu; a
// greyed entry is starred.
std::string ReadMenuShape(HMENU menu) {
    std::string shape;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOA item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
        EXPECT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item));
        shape += shape.empty() ? "" : " ";
        if (item.fType & MFT_SEPARATOR) {
            shape += "-";
        } else if (item.hSubMenu != nullptr) {
            shape += "[" + ReadMenuShape(item.hSubMenu) + "]";
        } else {
            shape += std::to_string(item.wID) + ((item.fState & MFS_GRAYED) ? "*" : "");
        }
    }
    return shape;
}

TEST_F(MainWindowTest, ProcessMenuHasItsSeparatorsAndGreysTheDatabaseWhenSwitchedOff) {
    MainPreferences& preferences = g_program.preferences;
    const int saved = preferences.PreferencesUseDatabase;
    for (int useDatabase : {0, 1}) {
        preferences.PreferencesUseDatabase = useDatabase;
        HMENU menu = CreateContextMenu(ContextMenuProcesses);
        const std::string database = useDatabase ? "33 34 35 36" : "33* 34* 35* 36*";
        EXPECT_EQ(ReadMenuShape(menu),
                  "32 - 21 - 22 - " + database +
                      " - [37 38 39 40 41 42] [43 44] - 555 556 - 20 23 24 25 - 557 558 - 559 560");
        DestroyMenu(menu);
    }
    preferences.PreferencesUseDatabase = saved;
    EXPECT_EQ(ReadMenuShape(GetSubMenu(GetMenu(g_windows.window), 0)), "1 - 2 3 4 5 6 7 8 - 19 - 9");
}

TEST_F(MainWindowTest, PowerCommandsCallTheSystemAndReportFailures) {
    SystemPowerFunctions saved = SystemPower();
    SystemPower() = {RecordExitWindows, RecordPowerState, RecordLock};
    for (int command = CommandShutdown; command <= CommandLock; ++command) {
        DispatchCommand(command, 0, nullptr);
    }
    SystemPower() = saved;

    ASSERT_EQ(g_powerCalls.size(), 6u);
    EXPECT_EQ(g_powerCalls[0].function, "ExitWindowsEx");
    EXPECT_EQ(g_powerCalls[0].first, static_cast<unsigned>(EWX_POWEROFF));
    EXPECT_EQ(g_powerCalls[1].first, static_cast<unsigned>(EWX_REBOOT));
    EXPECT_EQ(g_powerCalls[2].function, "SetSystemPowerState");
    EXPECT_EQ(g_powerCalls[2].first, 1u);  // stand by suspends
    EXPECT_EQ(g_powerCalls[3].first, 0u);  // hibernate does not
    EXPECT_EQ(g_powerCalls[4].first, static_cast<unsigned>(EWX_LOGOFF));
    EXPECT_EQ(g_powerCalls[5].function, "LockWorkStation");

    // The three ExitWindowsEx calls failed; stand by, hibernate and lock report nothing.
    ASSERT_EQ(ShownMessages().size(), 3u);
    EXPECT_EQ(ShownMessages()[0].text, Text(LanguageKey::CanNotShutdownSystem));
    EXPECT_EQ(ShownMessages()[1].text, Text(LanguageKey::CanNotRestartSystem));
    EXPECT_EQ(ShownMessages()[2].text, Text(LanguageKey::CanNotLockSystem));
    for (const ShownMessage& message : ShownMessages()) {
        EXPECT_EQ(message.title, Text(LanguageKey::Information));
        EXPECT_EQ(message.style, kMessageBoxWarning);
    }
}

TEST_F(MainWindowTest, MissingHelpFileIsReported) {
    DispatchCommand(CommandOpenHelp, 0, nullptr);
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].text, Text(LanguageKey::CanNotOpenHelp));
}

TEST_F(MainWindowTest, AboutWindowDisablesTheMainWindowUntilClosed) {
    HWND about = SecondaryWindowHandle(WindowAbout);
    DispatchCommand(CommandAbout, 0, nullptr);
    EXPECT_TRUE(IsWindowVisible(about));
    EXPECT_FALSE(IsWindowEnabled(g_windows.window));
    char title[64] = {};
    GetWindowTextA(about, title, sizeof(title));
    EXPECT_EQ(std::string(title), Text(LanguageKey::About));

    // The licence button swaps the panel for the licence text and back.
    HWND license = FindWindowExA(about, nullptr, "EDIT", nullptr);
    ASSERT_NE(license, nullptr);
    EXPECT_FALSE(IsWindowVisible(license));
    SendMessageA(about, WM_COMMAND, ControlAboutLicense, 0);
    EXPECT_TRUE(IsWindowVisible(license));
    EXPECT_GT(GetWindowTextLengthA(license), 100);
    SendMessageA(about, WM_COMMAND, ControlAboutInformation, 0);
    EXPECT_FALSE(IsWindowVisible(license));

    SendMessageA(about, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(about));
    EXPECT_TRUE(IsWindowEnabled(g_windows.window));
}

TEST_F(MainWindowTest, MovingNearAnEdgeSnapsAndTheNormalPlacementIsKept) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    ShowWindow(g_windows.window, SW_RESTORE);
    SetWindowPos(g_windows.window, nullptr, work.left + 200, work.top + 150, 640, 500, SWP_NOZORDER);
    SetWindowPos(g_windows.window, nullptr, work.left + 6, work.top + 150, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    RECT frame{};
    GetWindowRect(g_windows.window, &frame);
    EXPECT_EQ(frame.left, work.left);
    EXPECT_EQ(frame.top, work.top + 150);

    // A window beyond the left edge stays where it is while its border is dragged.
    SetWindowPos(g_windows.window, nullptr, work.left - 30, work.top + 150, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    for (int width = 650; width <= 690; width += 10)
        SetWindowPos(g_windows.window, nullptr, work.left - 30, work.top + 150, width, 500, SWP_NOZORDER);
    GetWindowRect(g_windows.window, &frame);
    EXPECT_EQ(frame.left, work.left - 30);
    EXPECT_EQ(frame.right - frame.left, 690);
    SetWindowPos(g_windows.window, nullptr, 0, 0, 640, 500, SWP_NOZORDER | SWP_NOMOVE);
    SetWindowPos(g_windows.window, nullptr, work.left + 6, work.top + 150, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    EXPECT_EQ(g_program.preferences.Window.X, work.left) << "a move into the zone snaps";
    EXPECT_EQ(g_program.preferences.Window.Width, 640);

    SetWindowPos(g_windows.window, nullptr, work.left + 100, work.top + 100, 700, 520, SWP_NOZORDER);
    ShowWindow(g_windows.window, SW_MAXIMIZE);
    EXPECT_EQ(g_program.preferences.Window.Maximized, 1);
    EXPECT_EQ(g_program.preferences.Window.Width, 700) << "the size before maximising is the one kept";
    EXPECT_EQ(g_program.preferences.Window.Height, 520);
    ShowWindow(g_windows.window, SW_RESTORE);
    EXPECT_EQ(g_program.preferences.Window.Maximized, 0);
}

}  // namespace

namespace {

HBITMAP ItemBitmap(HMENU menu, UINT command) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_BITMAP;
    GetMenuItemInfoA(menu, command, FALSE, &item);
    return item.hbmpItem;
}

// Draws the icon of `command` the way the menu asks for it onto white; returns how much darker than
// white the drawn area became (summed over the pixels), or -1 when nothing was drawn.
int DrawnIconInk(UINT command, UINT state) {
    ScopedWindowDc screen(nullptr);
    ScopedMemoryDc memory(CreateCompatibleDC(screen.get()));
    ScopedGdiObject<HBITMAP> target(CreateCompatibleBitmap(screen.get(), 24, 24));
    ScopedSelection selected(memory.get(), target.get());
    HDC dc = memory.get();
    RECT all{0, 0, 24, 24};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_MENU;
    item.itemID = command;
    item.itemState = state;
    item.hDC = dc;
    item.rcItem = all;
    int ink = -1;
    if (DrawMenuIcon(item)) {
        ink = 0;
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 24; ++x) {
                COLORREF colour = GetPixel(dc, x, y);
                ink += 765 - GetRValue(colour) - GetGValue(colour) - GetBValue(colour);
            }
        }
    }
    return ink;
}

}  // namespace

TEST_F(MainWindowTest, MenuEntriesCarryTheirIconsButCheckEntriesKeepTheirCheckColumn) {
    HMENU bar = GetMenu(g_windows.window);
    HMENU file = GetSubMenu(bar, 0);
    EXPECT_EQ(ItemBitmap(file, CommandExportAll), HBMMENU_CALLBACK);
    EXPECT_EQ(ItemBitmap(file, CommandPreferences), HBMMENU_CALLBACK);
    EXPECT_EQ(ItemBitmap(g_windows.systemMenu, CommandLock), HBMMENU_CALLBACK);
    for (int v = 0; v < ViewCount; ++v) {
        EXPECT_EQ(ItemBitmap(g_windows.viewMenu, CommandViewFirst + v), nullptr) << "view " << v;
    }
    HMENU processes = CreateContextMenu(ContextMenuProcesses);
    EXPECT_EQ(ItemBitmap(processes, CommandEnd), HBMMENU_CALLBACK);
    EXPECT_EQ(ItemBitmap(processes, CommandJumpToParent), HBMMENU_CALLBACK);
    EXPECT_EQ(ItemBitmap(processes, CommandPriorityNormal), nullptr);
    EXPECT_EQ(ItemBitmap(processes, CommandProcessorFirst), nullptr);
    DestroyMenu(processes);

    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemID = CommandEnd;
    ASSERT_TRUE(MeasureMenuIcon(measure));
    EXPECT_GE(measure.itemWidth, 16u);
    EXPECT_LE(measure.itemWidth, 24u);
    EXPECT_EQ(measure.itemHeight, 16u);
    measure.itemID = CommandViewFirst;
    EXPECT_FALSE(MeasureMenuIcon(measure));
}

TEST_F(MainWindowTest, MenuIconsAreDrawnAndPaleWhenTheEntryIsDisabled) {
    int normal = DrawnIconInk(CommandEnd, 0);
    int grayed = DrawnIconInk(CommandEnd, ODS_GRAYED);
    // The stop icon is a red disc over most of its 16 x 16 pixels.
    EXPECT_GT(normal, 100 * 255);
    EXPECT_GT(grayed, 0);
    EXPECT_LT(grayed, normal / 2);
    EXPECT_EQ(DrawnIconInk(CommandViewFirst, 0), -1);
}

namespace {

BOOL CALLBACK FindBitmapStatic(HWND child, LPARAM found) {
    char kind[32] = {};
    GetClassNameA(child, kind, sizeof(kind));
    if (lstrcmpiA(kind, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) {
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

TEST_F(MainWindowTest, LookupProgressWindowShowsTheDatabaseImageAndTheLoopClosesIt) {
    ConnectRatingDatabase();
    RatingDatabase& database = g_program.database;
    ASSERT_TRUE(database.progress);
    ASSERT_TRUE(database.now);
    EXPECT_EQ(database.texts.lookupUpdates, Text(LanguageKey::LookupUpdates));

    EXPECT_FALSE(database.progress("C:\\Tools\\editor.exe", true));
    HWND wait = RatingProgressWindow();
    ASSERT_NE(wait, nullptr);
    EXPECT_EQ(GetWindow(wait, GW_OWNER), g_windows.window);
    EXPECT_FALSE(IsWindowEnabled(g_windows.window));
    HWND image = nullptr;
    EnumChildWindows(wait, FindBitmapStatic, reinterpret_cast<LPARAM>(&image));
    ASSERT_NE(image, nullptr);
    HBITMAP bitmap = reinterpret_cast<HBITMAP>(SendMessageA(image, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    GetObjectA(bitmap, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 32);
    EXPECT_EQ(info.bmHeight, 32);
    // Laid over white: the corners are white, the discs in the middle are blue.
    {
        ScopedMemoryDc dc(CreateCompatibleDC(nullptr));
        ScopedSelection selected(dc.get(), bitmap);
        EXPECT_EQ(GetPixel(dc.get(), 0, 0), RGB(255, 255, 255));
        COLORREF middle = GetPixel(dc.get(), 8, 11);
        EXPECT_GT(GetBValue(middle), GetRValue(middle) + 60);
    }

    database.cancelled = true;
    CloseDatabaseWaitWindow();
    EXPECT_EQ(RatingProgressWindow(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(g_windows.window));
    EXPECT_FALSE(database.cancelled);
}

TEST_F(MainWindowTest, ProcessColumnsFollowTheSettingsAndTheirWidthsAreTakenBackForSaving) {
    MainPreferences& preferences = g_program.preferences;
    const MainPreferences saved = preferences;
    preferences.PreferencesShow[4] = 0;  // column 5, the priority, hidden
    preferences.PreferencesColumnWidth[0] = 123;
    ApplyProcessListColumns();
    TableListView& view = ProcessListView();
    ASSERT_EQ(view.columns.size(), 21u);
    EXPECT_EQ(ListViewColumnWidth(view.list, 0), 123);
    for (const ListColumn& column : view.columns) {
        EXPECT_NE(column.tableColumn, 5u);
    }

    // The user drags the file path column (the last one shown) to a new width.
    SetListViewColumnWidth(view.list, static_cast<int>(view.columns.size()) - 1, 321);
    TakeProcessColumnWidths(preferences);
    EXPECT_EQ(preferences.PreferencesColumnWidth[21], 321);
    EXPECT_EQ(preferences.PreferencesColumnWidth[0], 123);
    EXPECT_EQ(preferences.PreferencesColumnWidth[5], saved.PreferencesColumnWidth[5]) << "hidden, it keeps its width";

    preferences.PreferencesShow[4] = 1;
    ApplyProcessListColumns();
    ASSERT_EQ(ProcessListView().columns.size(), 22u);
    EXPECT_EQ(ListViewColumnWidth(view.list, 5), saved.PreferencesColumnWidth[5]) << "back with its width";
    preferences = saved;
    ApplyProcessListColumns();
}

namespace {

// A click on a header item of the process list, as the list reports it to its view.
void ClickProcessHeader(int item) {
    NMLISTVIEW click{};
    click.hdr.hwndFrom = ProcessListView().list;
    click.hdr.idFrom = ControlProcessList;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = item;
    SendMessageA(g_windows.views[ViewProcesses], WM_NOTIFY, ControlProcessList, reinterpret_cast<LPARAM>(&click));
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

void ClickTreeCheckBox(bool on) {
    CheckDlgButton(g_windows.views[ViewProcesses], ControlProcessTree, on ? BST_CHECKED : BST_UNCHECKED);
    DispatchCommand(ControlProcessTree, BN_CLICKED, nullptr);
}

}  // namespace

TEST_F(MainWindowTest, AHeaderClickInTreeModeRearrangesWithoutSamplingAndTheFlatListHasNoIndents) {
    DispatchCommand(CommandViewFirst + ViewProcesses, 0, nullptr);
    ClickTreeCheckBox(true);
    DispatchCommand(CommandRefresh, 0, nullptr);
    const RowTable& rows = *ProcessListView().table;
    auto indented = [&rows] {
        size_t count = 0;
        for (const TableRow& row : rows.rows)
            count += row.indent != 0;
        return count;
    };
    ASSERT_GT(indented(), 0u) << "the test program runs below its parents";

    ProcessListActivity before = ProcessListActivityCounts();
    ClickProcessHeader(0);
    ProcessListActivity after = ProcessListActivityCounts();
    EXPECT_EQ(after.passes, before.passes) << "no sampling for a sort";
    EXPECT_EQ(after.arrangements, before.arrangements + 1);
    EXPECT_GT(indented(), 0u);

    ClickTreeCheckBox(false);
    EXPECT_EQ(indented(), 0u);
    ClickProcessHeader(0);
    ClickProcessHeader(9);
    EXPECT_EQ(indented(), 0u) << "sorted flat";
    ClickTreeCheckBox(true);
}

TEST_F(MainWindowTest, PausingTheCpuGraphLeavesTheMemoryGraphRunning) {
    DispatchCommand(CommandViewFirst + ViewMonitor, 0, nullptr);
    HWND view = g_windows.views[ViewMonitor];
    HWND cpu = GetDlgItem(view, ControlMonitorCpuGraph), memory = GetDlgItem(view, ControlMonitorMemoryGraph);
    // What the screen shows of a graph's right part.
    auto shown = [](HWND graph) {
        RECT client{};
        GetClientRect(graph, &client);
        ScopedWindowDc dc(graph);
        std::vector<COLORREF> pixels;
        for (int x = client.right - 12; x < client.right; ++x)
            for (int y = 0; y < client.bottom; ++y)
                pixels.push_back(GetPixel(dc.get(), x, y));
        return pixels;
    };
    SendMessageA(GetDlgItem(view, ControlMonitorCpuPause), BM_CLICK, 0, 0);
    g_program.figures.totalCpu = 50;
    g_program.figures.ramPercent = 50;
    const std::vector<COLORREF> cpuBefore = shown(cpu), memoryBefore = shown(memory);
    for (int step = 0; step < 20; ++step)
        StepViewGraphs();
    EXPECT_EQ(cpuBefore, shown(cpu));
    EXPECT_NE(memoryBefore, shown(memory));
    RECT client{};
    GetClientRect(memory, &client);
    ScopedWindowDc dc(memory);
    EXPECT_EQ(RGB(255, 150, 0), GetPixel(dc.get(), client.right - 1, 50)) << "the RAM line at 50 %, in orange";
    SendMessageA(GetDlgItem(view, ControlMonitorCpuPause), BM_CLICK, 0, 0);
    for (int step = 0; step < 20; ++step)
        StepViewGraphs();
    EXPECT_NE(cpuBefore, shown(cpu));
}

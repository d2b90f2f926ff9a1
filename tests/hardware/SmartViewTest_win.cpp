// The SMART view of the real main window, fed by the simulation folder: the drive rows, the
// attribute rows of the drive a click selects, and a drive that changes or goes between refreshes.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "foundation/FileSystem.h"
#include "foundation/ListViews_win.h"
#include "foundation/ProgramPaths_win.h"
#include "hardware/SmartEvaluation.h"
#include "hardware/SmartSimulation.h"
#include "hardware/SmartView_win.h"
#include "main/CommandIds.h"
#include "main/Dispatch_win.h"
#include "main/MainWindow_win.h"
#include "main/MainWindows_win.h"
#include "main/ProgramModel.h"
#include "tests/hardware/SmartSamples.h"
#include "tests/harness/TemporaryFolder.h"
#include "tests/harness/TestSupport.h"
#include "tests/harness/WineTestSupport.h"
#include "tray/TrayMenu.h"
#include "tray/smart/SmartMonitorTable.h"

namespace {

// The list row whose first cell shows the text, as the list view gives it out; -1 for none.
int ListRowOf(HWND list, const std::string& firstCell) {
    for (int item = 0; item < ListViewItemCount(list); ++item) {
        if (ListViewItemText(list, item, 0) == firstCell) {
            return item;
        }
    }
    return -1;
}

// As a click on the row does: the list itself selects and focuses it and tells its parent.
void ClickRow(HWND list, int item) {
    SetListViewItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    SetListViewItemState(list, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

std::string RowText(HWND list, int item, int columns) {
    std::string text;
    for (int column = 0; column < columns; ++column) {
        text += (column > 0 ? "|" : "") + ListViewItemText(list, item, column);
    }
    return text;
}

// As the user's click on the row's check box: the button goes down and up over it.
void ClickCheckBox(HWND list, int item) {
    RECT bounds{};
    ASSERT_TRUE(ListViewItemBounds(list, item, bounds));
    LVHITTESTINFO hit{};
    hit.pt = {bounds.left + 8, (bounds.top + bounds.bottom) / 2};
    SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    ASSERT_TRUE(hit.iItem == item && (hit.flags & LVHT_ONITEMSTATEICON)) << hit.iItem << " " << hit.flags;
    LPARAM where = MAKELPARAM(hit.pt.x, hit.pt.y);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, where);
    SendMessageA(list, WM_LBUTTONUP, 0, where);
}

bool Checked(HWND list, int item) {
    return ListViewItemState(list, item, LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

}  // namespace

TEST(SmartViewTest, DrivesAndTheClickedDrivesAttributesFollowTheFolder) {
    UseSourceLanguage();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    g_program.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    ASSERT_TRUE(CreateMainWindows(GetModuleHandleA(nullptr)));
    ShowMainWindow();
    TemporaryFolder folder;
    SetEnvironmentVariableA(kSmartFolderVariable, folder.Path().c_str());
    ASSERT_TRUE(WriteSampleDriveFiles(folder.Path(), 0, SampleDriveBySource("qiita-i386")));
    ASSERT_TRUE(WriteSampleDriveFiles(folder.Path(), 2, SampleDriveBySource("samsung-850-evo")));
    ASSERT_TRUE(WriteSampleDriveFiles(folder.Path(), 5, SampleDriveBySource("sandisk-pssd")));
    // A drive that answers its identify request only, and one without a serial number.
    folder.Write("drive7-identify.bin", MakeSmartIdentifySector("USB bridge", "USB0001"));
    folder.Write("drive9-identify.bin", MakeSmartIdentifySector("no serial", ""));
    DispatchCommand(CommandViewFirst + ViewSmart, 0, nullptr);

    HWND drives = SmartDriveList().list;
    HWND attributes = SmartAttributeList().list;
    ASSERT_EQ(ListViewItemCount(drives), 4);
    EXPECT_EQ(RowText(drives, 0, 4), "#0|90% (Good)|Seagate (Debian i386)|QIITAI386");
    EXPECT_EQ(RowText(drives, 1, 4), "#2|100% (Perfect)|Samsung SSD 850 EVO 500GB|EVO500LAPTOP");
    EXPECT_EQ(RowText(drives, 2, 4), "#5|75% (Poor)|SanDisk pSSD|0016c24bf");
    EXPECT_EQ(RowText(drives, 3, 4), "#7|Unavailable|USB bridge|USB0001");
    const uint32_t colours[] = {SmartHealthColour(90), 0xFFFFFF, 0xBFBFFF, 0xFFFFFF};
    for (int item = 0; item < 4; ++item) {
        EXPECT_EQ(SmartDriveList().table->rows[item].backgroundColour, colours[item]) << item;
    }
    EXPECT_EQ(SmartShownDrive(), 0);  // the first drive is chosen when the view first fills

    ClickRow(drives, ListRowOf(drives, "#5"));
    ASSERT_EQ(ListViewItemCount(attributes), 1);
    EXPECT_EQ(RowText(attributes, 0, 7), "|232 (E8)|5|0|100|0|pre failure warranty, on-line collection");
    EXPECT_EQ(SmartAttributeList().table->rows[0].image, SmartCritical);

    ClickRow(drives, ListRowOf(drives, "#0"));
    ASSERT_EQ(ListViewItemCount(attributes), 15);
    int pending = ListRowOf(attributes, "Current Pending Sector Count");
    EXPECT_EQ(RowText(attributes, pending, 6), "Current Pending Sector Count|197 (C5)|0|100|100|1");
    ClickRow(attributes, pending);

    // The drive changes between two refreshes: new figures, the same selected rows.
    ASSERT_TRUE(WriteSampleDriveFiles(folder.Path(), 0, SampleDriveBySource("check_smart-3")));
    DispatchCommand(CommandRefresh, 0, nullptr);
    EXPECT_EQ(ListViewItemText(drives, 0, 1), "94% (Good)");
    EXPECT_EQ(ListViewItemState(drives, 0, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));
    ASSERT_EQ(ListViewItemCount(attributes), 12);
    EXPECT_EQ(RowText(attributes, 11, 6), "|188 (BC)|0|100|100|1");
    EXPECT_EQ(ListViewItemState(attributes, pending, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));

    // Unplugged: the row stays, unavailable, and the attributes go.
    DeleteFileA(SmartSimulationFile(folder.Path(), 0, "identify").c_str());
    DispatchCommand(CommandRefresh, 0, nullptr);
    EXPECT_EQ(RowText(drives, 0, 4), "#0|Unavailable|Seagate (check_smart #3)|CHECKSMART3");
    EXPECT_EQ(ListViewItemCount(attributes), 0);
    SetEnvironmentVariableA(kSmartFolderVariable, nullptr);
}

// The check boxes of the attribute list choose what the tray companion watches: the settings file
// gets the selection, and the running companion, told by its message, saves it with its table.
TEST(SmartViewTest, CheckBoxesChooseWhatTheTrayCompanionWatches) {
    ASSERT_NE(SmartAttributeList().list, nullptr) << "runs after the view was created";
    TemporaryFolder folder;
    SetEnvironmentVariableA(kSmartFolderVariable, folder.Path().c_str());
    ASSERT_TRUE(WriteSampleDriveFiles(folder.Path(), 0, SampleDriveBySource("check_smart-3")));
    const std::string settings = SettingsFilePath();
    const std::string data = settings.substr(0, settings.find_last_of('\\'));
    CreateFolderPath(data);
    ASSERT_TRUE(WriteFileAtomically(settings, "[General]\r\nPreferencesRemain = 1\r\n"));
    DeleteFileA(JoinPath(data, "smart.dat").c_str());
    StartedProgram tray = StartProgram(DistFile("vtlsystray.exe"), "");
    ASSERT_TRUE(tray.started) << tray.failure;
    HWND trayWindow = WaitForProcessWindow(kWindowClassName, kTrayWindowTitle, tray.info.dwProcessId, 30000);
    ASSERT_NE(trayWindow, nullptr);

    DispatchCommand(CommandRefresh, 0, nullptr);
    HWND drives = SmartDriveList().list;
    HWND attributes = SmartAttributeList().list;
    ClickRow(drives, ListRowOf(drives, "#0"));
    const int reallocated = ListRowOf(attributes, "Reallocated Sectors Count");
    const int hours = ListRowOf(attributes, "Power-On Hours");
    ClickCheckBox(attributes, reallocated);
    ClickCheckBox(attributes, hours);
    ClickCheckBox(attributes, ListRowOf(attributes, "Spin-Up Time"));
    ClickCheckBox(attributes, ListRowOf(attributes, "Spin-Up Time"));  // and off again
    EXPECT_TRUE(Checked(attributes, reallocated));
    EXPECT_TRUE(Checked(attributes, hours));
    EXPECT_FALSE(Checked(attributes, ListRowOf(attributes, "Spin-Up Time")));
    std::string text;
    ASSERT_TRUE(ReadWholeFile(settings, text));
    EXPECT_NE(text.find("[SMARTMonitoring]\r\nDrive0 = 5,9\r\n"), std::string::npos) << text;

    // The companion's Close also asks the main window to end; this one is the test's.
    SetWindowTextA(g_windows.window, "Vantrel under test");
    PostMessageA(trayWindow, WM_COMMAND, TrayCommandClose, 0);
    EXPECT_EQ(WaitForExit(tray, 30000), 0);
    SetWindowTextA(g_windows.window, kMainWindowTitle);
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(JoinPath(data, "smart.dat"), bytes));
    SmartMonitorTable table{};
    ASSERT_TRUE(DecodeSmartMonitorTable(bytes, table));
    EXPECT_EQ(table[0].monitored, 1);
    EXPECT_EQ(table[0].watched[5] + table[0].watched[9], 2);
    EXPECT_EQ(table[0].watched[3], 0);
    DeleteFileA(settings.c_str());
    DeleteFileA(JoinPath(data, "smart.dat").c_str());
    DeleteFileA(JoinPath(data, "smart0.log").c_str());
    SetEnvironmentVariableA(kSmartFolderVariable, nullptr);
}

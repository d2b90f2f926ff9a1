// The SMART view of the real main window, fed by the simulation folder: the drive rows, the
// attribute rows of the drive a click selects, and a drive that changes or goes between refreshes.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "foundation/Language.h"
#include "foundation/ListViews_win.h"
#include "hardware/SmartEvaluation.h"
#include "hardware/SmartRows.h"
#include "hardware/SmartSimulation.h"
#include "hardware/SmartView_win.h"
#include "main/CommandIds.h"
#include "main/Dispatch_win.h"
#include "main/MainWindow_win.h"
#include "main/MainWindows_win.h"
#include "main/ProgramModel.h"
#include "main/Views_win.h"
#include "tests/hardware/SmartSamples.h"
#include "tests/harness/TemporaryFolder.h"
#include "tests/harness/TestSupport.h"

namespace {

// The list row showing the drive, found by its text as the list view gives it out.
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

class SmartViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        UseSourceLanguage();
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        g_program.screenWidth = GetSystemMetrics(SM_CXSCREEN);
        g_program.preferences.PreferencesSticky = 0;
        ASSERT_TRUE(CreateMainWindows(GetModuleHandleA(nullptr)));
        ShowMainWindow();
    }

    void SetUp() override {
        SetEnvironmentVariableA(kSmartFolderVariable, folder.Path().c_str());
        ASSERT_TRUE(WriteSampleDriveFiles(folder.Path(), 0, SampleDriveBySource("qiita-i386")));
        ASSERT_TRUE(WriteSampleDriveFiles(folder.Path(), 2, SampleDriveBySource("samsung-850-evo")));
        ASSERT_TRUE(WriteSampleDriveFiles(folder.Path(), 5, SampleDriveBySource("sandisk-pssd")));
        // A drive that answers its identify request only, and one without a serial number.
        folder.Write("drive7-identify.bin", MakeSmartIdentifySector("USB bridge", "USB0001"));
        folder.Write("drive9-identify.bin", MakeSmartIdentifySector("no serial", ""));
        DispatchCommand(CommandViewFirst + ViewSmart, 0, nullptr);
    }

    void TearDown() override { SetEnvironmentVariableA(kSmartFolderVariable, nullptr); }

    TemporaryFolder folder;
};

TEST_F(SmartViewTest, DriveRowsShowEvaluationModelSerialAndColour) {
    HWND list = SmartDriveList().list;
    ASSERT_EQ(ListViewItemCount(list), 4);
    struct Expected {
        const char* drive;
        std::string evaluation;
        const char* model;
        const char* serial;
        uint32_t colour;
    };
    const Expected rows[] = {
        {"#0", "90% (Good)", "Seagate (Debian i386)", "QIITAI386", SmartHealthColour(90)},
        {"#2", "100% (Perfect)", "Samsung SSD 850 EVO 500GB", "EVO500LAPTOP", 0xFFFFFF},
        {"#5", "75% (Poor)", "SanDisk pSSD", "0016c24bf", SmartHealthColour(75)},
        {"#7", "Unavailable", "USB bridge", "USB0001", 0xFFFFFF},
    };
    for (const Expected& expected : rows) {
        int item = ListRowOf(list, expected.drive);
        ASSERT_GE(item, 0) << expected.drive;
        EXPECT_EQ(ListViewItemText(list, item, 1), expected.evaluation);
        EXPECT_EQ(ListViewItemText(list, item, 2), expected.model);
        EXPECT_EQ(ListViewItemText(list, item, 3), expected.serial);
        EXPECT_EQ(SmartDriveList().table->rows[item].backgroundColour, expected.colour) << expected.drive;
    }
    EXPECT_EQ(SmartHealthColour(75), 0xBFBFFFu);
}

TEST_F(SmartViewTest, ClickingADriveListsItsAttributesAndARefreshShowsItsNewFigures) {
    HWND drives = SmartDriveList().list;
    HWND attributes = SmartAttributeList().list;
    ClickRow(drives, ListRowOf(drives, "#5"));
    EXPECT_EQ(SmartShownDrive(), 5);
    ASSERT_EQ(ListViewItemCount(attributes), 1);
    EXPECT_EQ(ListViewItemText(attributes, 0, 1), "232 (E8)");
    EXPECT_EQ(ListViewItemText(attributes, 0, 2), "5");
    EXPECT_EQ(ListViewItemText(attributes, 0, 3), "0");
    EXPECT_EQ(ListViewItemText(attributes, 0, 4), "100");
    EXPECT_EQ(ListViewItemText(attributes, 0, 6), "pre failure warranty, on-line collection");
    EXPECT_EQ(SmartAttributeList().table->rows[0].image, SmartCritical);

    ClickRow(drives, ListRowOf(drives, "#0"));
    ASSERT_EQ(ListViewItemCount(attributes), 15);
    int pending = ListRowOf(attributes, "Current Pending Sector Count");
    ASSERT_GE(pending, 0);
    EXPECT_EQ(ListViewItemText(attributes, pending, 5), "1");
    ClickRow(attributes, pending);

    // The drive changes between two refreshes: new figures, the same selected attribute.
    ASSERT_TRUE(WriteSampleDriveFiles(folder.Path(), 0, SampleDriveBySource("check_smart-3")));
    DispatchCommand(CommandRefresh, 0, nullptr);
    int item = ListRowOf(drives, "#0");
    EXPECT_EQ(ListViewItemText(drives, item, 1), "94% (Good)");
    EXPECT_EQ(ListViewItemState(drives, item, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));
    ASSERT_EQ(ListViewItemCount(attributes), 12);
    EXPECT_EQ(ListViewItemText(attributes, 11, 0), "");  // 188 has no name
    EXPECT_EQ(ListViewItemText(attributes, 11, 5), "1");
    EXPECT_EQ(ListViewItemState(attributes, pending, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));

    // Unplugged: the row stays, unavailable, and the attributes go.
    DeleteFileA(SmartSimulationFile(folder.Path(), 0, "identify").c_str());
    DispatchCommand(CommandRefresh, 0, nullptr);
    item = ListRowOf(drives, "#0");
    ASSERT_GE(item, 0);
    EXPECT_EQ(ListViewItemText(drives, item, 1), "Unavailable");
    EXPECT_EQ(ListViewItemText(drives, item, 3), "CHECKSMART3");
    EXPECT_EQ(ListViewItemCount(attributes), 0);
}

}  // namespace

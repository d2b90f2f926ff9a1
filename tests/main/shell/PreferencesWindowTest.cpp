// The preferences window and the diagram window inside the test process, driven by the messages a
// user's clicks send. The tests own the profile's settings file and startup shortcut while they run.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "foundation/FileSystem.h"
#include "foundation/ListViews_win.h"
#include "foundation/ProgramPaths_win.h"
#include "main/CommandIds.h"
#include "main/Dispatch_win.h"
#include "main/MainWindow_win.h"
#include "main/MainWindows_win.h"
#include "main/Preferences_win.h"
#include "main/ProgramModel.h"
#include "main/SecondaryWindows_win.h"
#include "main/Views_win.h"
#include "main/autoruns/Link_win.h"
#include "main/processes/CpuHistory_win.h"
#include "main/processes/Diagram.h"
#include "main/processes/DiagramWindow_win.h"
#include "main/processes/ProcessListColumns.h"
#include "main/processes/ProcessList_win.h"
#include "tests/harness/TestSupport.h"
#include "tests/harness/WineTestSupport.h"
#include "tests/main/shell/TestMainWindows.h"

namespace {

HWND Preferences() {
    return SecondaryWindowHandle(WindowPreferences);
}

void Click(int id) {
    HWND control = PreferencesWindowControl(id);
    SendMessageA(Preferences(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

// A check box clicked as the mouse does it: it flips and tells its page.
void Toggle(int id) {
    SendMessageA(PreferencesWindowControl(id), BM_CLICK, 0, 0);
}

bool Checked(int id) {
    return SendMessageA(PreferencesWindowControl(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string Text(int id) {
    char text[512] = {};
    GetWindowTextA(PreferencesWindowControl(id), text, sizeof(text));
    return text;
}

std::string SettingsText() {
    std::string text;
    ReadWholeFile(SettingsFilePath(), text);
    return text;
}

class PreferencesWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CreateMainWindowsForTest(); }

    void SetUp() override {
        RecordMessageBoxes();
        hadSettings_ = ReadWholeFile(SettingsFilePath(), settings_);
        hadLink_ = FileExists(AutostartLinkPath());
        g_program.preferences.PreferencesSticky = 0;
        g_program.preferences.PreferencesUseDatabase = 0;  // no rating cache beside the test
        SavePreferences(true);
        DispatchCommand(CommandPreferences, 0, nullptr);
        ASSERT_TRUE(IsWindowVisible(Preferences()));
    }

    void TearDown() override {
        if (IsWindowVisible(Preferences()))
            Click(ControlPreferencesCancel);
        if (hadSettings_)
            WriteFileAtomically(SettingsFilePath(), settings_);
        else
            DeleteFileA(SettingsFilePath().c_str());
        UpdateAutostartShortcut(hadLink_, ProgramFolder());
    }

    std::string settings_;
    bool hadSettings_ = false;
    bool hadLink_ = false;
};

TEST_F(PreferencesWindowTest, UncheckingRemainUnchecksAutorunAndOkDeletesTheShortcut) {
    if (Checked(ControlPreferencesAutorun))
        Toggle(ControlPreferencesAutorun);
    if (Checked(ControlPreferencesRemain))
        Toggle(ControlPreferencesRemain);
    Toggle(ControlPreferencesAutorun);
    EXPECT_TRUE(Checked(ControlPreferencesRemain)) << "checking Autorun checks Remain";
    Toggle(ControlPreferencesRemain);
    EXPECT_FALSE(Checked(ControlPreferencesRemain));
    EXPECT_FALSE(Checked(ControlPreferencesAutorun));

    ASSERT_TRUE(UpdateAutostartShortcut(true, ProgramFolder()));
    Click(ControlPreferencesOk);
    EXPECT_FALSE(IsWindowVisible(Preferences()));
    EXPECT_TRUE(IsWindowEnabled(g_windows.window));
    EXPECT_FALSE(FileExists(AutostartLinkPath()));
    EXPECT_EQ(g_program.preferences.PreferencesAutorun, 0);

    // Switched on again, OK writes the shortcut to the tray companion beside the program.
    DispatchCommand(CommandPreferences, 0, nullptr);
    Toggle(ControlPreferencesAutorun);
    EXPECT_TRUE(Checked(ControlPreferencesRemain));
    Click(ControlPreferencesOk);
    ShortcutRecord link;
    ASSERT_EQ(ReadShortcut(AutostartLinkPath(), link), 1);
    EXPECT_EQ(link.targetPath, ProgramFolder() + "\\vtlsystray.exe");
    EXPECT_EQ(link.arguments, "-Autorun");
    EXPECT_EQ(link.description, "Automatischer Start des Vantrel SystemTray Icons.");
}

TEST_F(PreferencesWindowTest, CancelledEditsNeitherApplyNorReachTheExitSave) {
    const std::string before = SettingsText();
    const int useComma = g_program.preferences.PreferencesUseComma;
    Toggle(ControlPreferencesUseComma);
    Toggle(ControlPreferencesColumnFirst + 3);
    SetWindowTextA(PreferencesWindowControl(ControlPreferencesListsInterval), "777");
    Click(ControlPreferencesCancel);
    EXPECT_EQ(g_program.preferences.PreferencesUseComma, useComma);
    SavePreferences(true);
    EXPECT_EQ(SettingsText(), before);
}

TEST_F(PreferencesWindowTest, AnEmptyOrZeroIntervalIsKeptAtTheShortestOneAndShownSoNextTime) {
    SetWindowTextA(PreferencesWindowControl(ControlPreferencesListsInterval), "");
    SetWindowTextA(PreferencesWindowControl(ControlPreferencesMonitorInterval), "0");
    Click(ControlPreferencesOk);
    EXPECT_EQ(g_program.preferences.PreferencesRefresh1Spin, 100);
    EXPECT_EQ(g_program.preferences.PreferencesRefresh2Spin, 100);
    DispatchCommand(CommandPreferences, 0, nullptr);
    EXPECT_EQ(Text(ControlPreferencesListsInterval), "100");
    EXPECT_EQ(Text(ControlPreferencesMonitorInterval), "100");
}

TEST_F(PreferencesWindowTest, DefaultButtonsFillTheExitCodeAndTheChosenSearchEngine) {
    SetWindowTextA(PreferencesWindowControl(ControlPreferencesExitCode), "5");
    Click(ControlPreferencesExitCodeDefault);
    EXPECT_EQ(Text(ControlPreferencesExitCode), "1067");
    // The menu's Yahoo entry, as choosing it sends it.
    SendMessageA(Preferences(), WM_COMMAND, ControlPreferencesSearchEngineFirst + 1, 0);
    EXPECT_EQ(Text(ControlPreferencesSearchString), "http://search.yahoo.com/search?p=%22<%1>%22");
    Click(ControlPreferencesOk);
    EXPECT_EQ(g_program.preferences.PreferencesSearchString, "http://search.yahoo.com/search?p=%22<%1>%22");
}

TEST_F(PreferencesWindowTest, HiddenColumnsLeaveTheListAndComeBackWithTheirWidth) {
    TableListView& view = ProcessListView();
    const int width = g_program.preferences.PreferencesColumnWidth[kProcessColumnPriority];
    ASSERT_TRUE(Checked(ControlPreferencesColumnFirst + kProcessColumnPriority - 1));
    Toggle(ControlPreferencesColumnFirst + kProcessColumnPriority - 1);
    Click(ControlPreferencesOk);
    for (const ListColumn& column : view.columns)
        EXPECT_NE(column.tableColumn, kProcessColumnPriority);
    DispatchCommand(CommandPreferences, 0, nullptr);
    Toggle(ControlPreferencesColumnFirst + kProcessColumnPriority - 1);
    Click(ControlPreferencesOk);
    ASSERT_EQ(view.columns.size(), 22u);
    EXPECT_EQ(ListViewColumnWidth(view.list, static_cast<int>(kProcessColumnPriority)), width);
}

TEST_F(PreferencesWindowTest, TheCpuHistorySwitchFreesAndMakesEveryRowsImage) {
    const RowTable& table = *ProcessListView().table;
    for (int pass = 0; pass < 2; ++pass) {
        Toggle(ControlPreferencesCPUPerProcess);
        Click(ControlPreferencesOk);
        const bool on = g_program.preferences.PreferencesCPUPerProcess != 0;
        EXPECT_EQ(CpuHistoryImageCount(), on ? RowCount(table) : 0u);
        for (size_t row = 0; row < RowCount(table); ++row)
            EXPECT_EQ(CellInteger(table, row, kProcessColumnHistoryImage) != 0, on) << row;
        DispatchCommand(CommandPreferences, 0, nullptr);
    }
}

TEST_F(PreferencesWindowTest, SwitchingTheTreeOffGivesAFlatListSortedByItsColumn) {
    if (!Checked(ControlPreferencesPPIDView)) {
        Toggle(ControlPreferencesPPIDView);
        Click(ControlPreferencesOk);
        DispatchCommand(CommandPreferences, 0, nullptr);
    }
    TableListView& view = ProcessListView();
    SortTableListView(view, static_cast<int>(kProcessColumnProcessId), true);
    Toggle(ControlPreferencesPPIDView);
    Click(ControlPreferencesOk);
    EXPECT_EQ(IsDlgButtonChecked(g_windows.views[ViewProcesses], ControlProcessTree), BST_UNCHECKED);
    const RowTable& table = *view.table;
    ASSERT_GT(RowCount(table), 2u);
    for (size_t row = 0; row < RowCount(table); ++row) {
        EXPECT_EQ(table.rows[row].indent, 0);
        if (row > 0) {
            EXPECT_LT(CellInteger(table, row - 1, kProcessColumnProcessId),
                      CellInteger(table, row, kProcessColumnProcessId));
        }
    }
}

TEST_F(PreferencesWindowTest, ANewLanguageIsAskedAboutAndYesEndsTheLoopForTheRestart) {
    Click(ControlPreferencesCancel);
    for (int answer : {kAnswerNo, kAnswerYes}) {
        g_program.preferences.PreferencesLanguageFile = "Elsewhere.ini";  // another language than the chosen one
        DispatchCommand(CommandPreferences, 0, nullptr);
        SendDlgItemMessageA(GetDlgItem(Preferences(), ControlPreferencesPage1), ControlPreferencesLanguage,
                            CB_SETCURSEL, 0, 0);
        AnswerQuestionsWith(answer);
        ShownMessages().clear();
        const std::string running = LanguageText(LanguageKey::Preferences);
        Click(ControlPreferencesOk);
        ASSERT_EQ(ShownMessages().size(), 1u);
        EXPECT_EQ(ShownMessages()[0].text, ExpandLineBreaks(LanguageText(LanguageKey::RestartForLanguage)));
        EXPECT_EQ(LanguageText(LanguageKey::Preferences), running) << "the texts stay until the restart";
        EXPECT_EQ(g_program.restartAfterExit, answer == kAnswerYes ? 1 : 0);
        MSG quit;
        EXPECT_EQ(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE, answer == kAnswerYes);
    }
    g_program.restartAfterExit = 0;
}

TEST_F(PreferencesWindowTest, TheDiagramDrawsTheListAndADoubleClickAtTheTopSelectsTheFirstSlice) {
    Click(ControlPreferencesCancel);
    HWND diagram = SecondaryWindowHandle(WindowDiagram);
    TableListView& view = ProcessListView();
    RowTable& table = *view.table;
    ASSERT_GT(RowCount(table), 2u);
    for (size_t row = 0; row < RowCount(table); ++row)
        SetCell(table, row, kProcessColumnCpuUsage, row == 1 ? "50.0%" : "");
    DispatchCommand(CommandDiagram, 0, nullptr);
    ASSERT_TRUE(IsWindowVisible(diagram));
    const uint32_t pid = static_cast<uint32_t>(CellUnsigned(table, 1, kProcessColumnProcessId));
    EXPECT_EQ(DiagramWindowPixel(180, 100), ProcessColour(pid));
    EXPECT_EQ(DiagramWindowPixel(60, 100), 0xFFFFFFu);

    RECT client{};
    GetClientRect(diagram, &client);
    EXPECT_GE(client.bottom, kDiagramWindowCentre + kDiagramRadius) << "the disc is not cut off";
    POINT top = {kDiagramWindowCentre, kDiagramWindowCentre - kDiagramRadius + 2};
    ClientToScreen(diagram, &top);
    ASSERT_TRUE(SetCursorPos(top.x, top.y));
    SendMessageA(diagram, WM_COMMAND, MAKEWPARAM(ControlDiagramImage, STN_DBLCLK),
                 reinterpret_cast<LPARAM>(GetDlgItem(diagram, ControlDiagramImage)));
    EXPECT_EQ(CurrentRow(view), 1u);
    DispatchCommand(CommandDiagram, 0, nullptr);
    EXPECT_FALSE(IsWindowVisible(diagram));
}

}  // namespace

// Export and search inside the real main window, driven through the dispatch and the search
// window's own controls; the save dialog answers from the test.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "foundation/Language.h"
#include "hardware/NetworkRows.h"
#include "hardware/NetworksView_win.h"
#include "hardware/SmartSimulation.h"
#include "hardware/SmartView_win.h"
#include "main/CommandIds.h"
#include "main/Dispatch_win.h"
#include "main/LibraryTable_win.h"
#include "main/MainWindow_win.h"
#include "main/MainWindows_win.h"
#include "main/ProgramDatabase_win.h"
#include "main/ProgramModel.h"
#include "main/SecondaryWindows_win.h"
#include "main/Views_win.h"
#include "main/export/ExportLists_win.h"
#include "main/export/ExportedLists_win.h"
#include "main/export/SearchWindow_win.h"
#include "main/processes/ProcessLayer_win.h"
#include "main/services/ServiceControl_win.h"
#include "tests/hardware/SmartSamples.h"
#include "tests/harness/TemporaryFolder.h"
#include "tests/harness/TestSupport.h"
#include "tests/harness/WineTestSupport.h"

namespace {

SaveDialogChoice g_choice;
SaveDialogRequest g_request;
int g_dialogs = 0;

bool ChooseFromTest(HWND, const SaveDialogRequest& request, SaveDialogChoice& choice) {
    g_request = request;
    ++g_dialogs;
    choice = g_choice;
    return !g_choice.fileName.empty();
}

std::string OwnName() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string name = path;
    return name.substr(name.rfind('\\') + 1);
}

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + separator.size()) {
        parts.push_back(text.substr(start, at - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

// Simulated drives #0 and #2 with their values, and #7 that answers no SMART requests.
void UseSampleDrives(const TemporaryFolder& drives) {
    SetEnvironmentVariableA(kSmartFolderVariable, drives.Path().c_str());
    WriteSampleDriveFiles(drives.Path(), 0, SampleDriveBySource("qiita-i386"));
    WriteSampleDriveFiles(drives.Path(), 2, SampleDriveBySource("samsung-850-evo"));
    drives.Write("drive7-identify.bin", MakeSmartIdentifySector("USB bridge", "USB0001"));
    DispatchCommand(CommandViewFirst + ViewSmart, 0, nullptr);
}

class ExportListsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static bool created = false;  // the search window's suite shares the main window
        if (created) {
            return;
        }
        created = true;
        UseSourceLanguage();
        OpenLibraryTable();
        InitProcessLayer();
        OpenServiceManager();
        g_windows.lightBlueBrush.reset(CreateSolidBrush(0xFFDDCC));
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        g_program.screenWidth = GetSystemMetrics(SM_CXSCREEN);
        ASSERT_TRUE(CreateMainWindows(GetModuleHandleA(nullptr)));
        ConnectRatingDatabase();  // the autorun list rates its targets, as at start-up
        SwitchView(ViewProcesses, true);
        ShowMainWindow();
        ExportSaveDialog() = ChooseFromTest;
    }
    void SetUp() override { RecordMessageBoxes(); }

    // Runs the command with the dialog choosing that name and filter; the file's bytes after it.
    std::string Export(int command, const std::string& name, ExportFormat format) {
        g_choice = {folder_.File(name), static_cast<int>(format)};
        DispatchCommand(command, 0, nullptr);
        return folder_.Read(ExportFileName(name, format));
    }

    TemporaryFolder folder_;
};

TEST_F(ExportListsTest, ExportAllWritesEveryRowOfEveryJoinedListAsShown) {
    const std::string text = Export(CommandExportAll, "all", ExportFormat::Text);
    EXPECT_EQ(g_request.title, LanguageText(LanguageKey::ExportAll));
    EXPECT_EQ(g_request.fileName, "Vantrel");
    EXPECT_EQ(g_request.filterIndex, 2) << "HTML preselected";
    ASSERT_EQ(text.rfind("Vantrel\r\n" + LanguageText(LanguageKey::TextExport) + " (", 0), 0u) << text.substr(0, 80);
    size_t lines = 0;
    for (int kind = 0; kind < ListKindCount; ++kind) {
        const TableListView& list = FindExportedList(kind)->list();
        // Wine's EnumDeviceDrivers lists no drivers and no disk answers SMART requests, so those
        // tables are empty: the SMART one is then its drive list's header alone.
        ASSERT_TRUE(kind == ListDrivers || kind == ListSmart || !list.table->rows.empty()) << "list " << kind;
        ASSERT_TRUE(kind != ListSmart || list.table->rows.empty());
        for (size_t row = 0; row < list.table->rows.size(); ++row) {
            const std::string first = ListCellText(*list.table, list.columns, static_cast<int>(row), 0);
            EXPECT_NE(text.find(first), std::string::npos) << first;
        }
        lines += list.table->rows.size() + 2;
    }
    size_t lineEnds = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++lineEnds;
    EXPECT_EQ(lineEnds, 3 + lines + 2 * (ListKindCount - 1)) << "frame, tables, and the empty lines between them";
    EXPECT_NE(text.find(OwnName()), std::string::npos);
}

TEST_F(ExportListsTest, EachListExportsAloneUnderItsOwnTitle) {
    const std::string processes = Export(CommandExportProcesses, "p", ExportFormat::Html);
    EXPECT_EQ(g_request.title, LanguageText(LanguageKey::ExportProcesslist));
    EXPECT_NE(processes.find(OwnName()), std::string::npos);
    EXPECT_EQ(processes.substr(processes.size() - 14), "</BODY></HTML>");
    const std::string services = Export(CommandExportServices, "s", ExportFormat::Csv);
    EXPECT_EQ(g_request.title, LanguageText(LanguageKey::ExportServicelist));
    EXPECT_EQ(services.rfind("\xef\xbb\xbf", 0), 0u);
    EXPECT_EQ(services.find(OwnName()), std::string::npos);
    EXPECT_NE(Export(CommandExportDrivers, "d", ExportFormat::Text), "");
    EXPECT_EQ(g_request.title, LanguageText(LanguageKey::ExportDriverlist));
    EXPECT_EQ(folder_.EntryCount(), 3u) << "no temporary file left behind";
}

TEST_F(ExportListsTest, NetworksAndSmartExportTheirDetails) {
    const std::vector<std::string> lines = Split(Export(CommandExportNetworks, "n", ExportFormat::Text), "\r\n");
    const RowTable& rows = *NetworksList().table;
    ASSERT_EQ(lines.size(), 3 + 2 + rows.rows.size() + 1) << "frame, header, separator, one line each";
    const std::vector<std::string> titles = Split(lines[3], " | ");
    ASSERT_EQ(titles.size(), 18u + 1);
    EXPECT_EQ(titles[4].rfind(LanguageText(LanguageKey::MaximumTransferRate) + ":", 0), 0u) << "no Maximum";
    for (size_t row = 0; row < rows.rows.size(); ++row) {
        const std::vector<std::string> cells = Split(lines[5 + row], " | ");
        const std::string name = Cell(rows, row, NetworkColumnAdapter);
        std::ifstream mtuFile("Z:\\sys\\class\\net\\" + name + "\\mtu");  // the host's own figure
        std::string mtu;
        ASSERT_TRUE(std::getline(mtuFile, mtu) && cells.size() == titles.size()) << lines[5 + row];
        EXPECT_EQ(cells[0].substr(0, name.size()) + "|" + cells[5].substr(cells[5].find_first_not_of(' ')),
                  name + "|" + mtu + " Byte");
    }

    TemporaryFolder drives;
    UseSampleDrives(drives);
    ShowSmartDriveRow(1);  // the user looks at #2
    const std::vector<std::string> blocks = Split(Export(CommandExportSmart, "smart", ExportFormat::Html), "<DIV");
    ASSERT_EQ(blocks.size(), 1u + 3);
    const size_t values[] = {SampleDriveBySource("qiita-i386").attributes.size(), 1, 0};
    const char* names[] = {"#0", "#2", "#7"};
    for (size_t drive = 0; drive < 3; ++drive) {
        EXPECT_NE(blocks[drive + 1].find("background:#ffffff\" VALIGN=TOP><TD><P>" + std::string(names[drive])),
                  std::string::npos);
        EXPECT_EQ(Split(blocks[drive + 1], "VALIGN=TOP>").size(), 4 + values[drive]) << names[drive];
    }
    EXPECT_EQ(SmartShownDrive(), 2) << "the user's drive is shown again";
}

TEST_F(ExportListsTest, AnExistingFileIsReplacedOnlyAfterYes) {
    folder_.Write("old.htm", "keep me");
    AnswerQuestionsWith(kAnswerNo);
    EXPECT_EQ(Export(CommandExportProcesses, "old", ExportFormat::Html), "keep me");
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].text, folder_.File("old.htm") + " " + LanguageText(LanguageKey::AlreadyThere) +
                                           "\r\n" + LanguageText(LanguageKey::ReplaceIt));
    EXPECT_EQ(ShownMessages()[0].style, 0x34u);
    AnswerQuestionsWith(kAnswerYes);
    EXPECT_EQ(Export(CommandExportProcesses, "old", ExportFormat::Html).rfind("<!DOCTYPE", 0), 0u);

    const int before = g_dialogs;
    g_choice = {};  // cancelled
    DispatchCommand(CommandExportAll, 0, nullptr);
    EXPECT_EQ(g_dialogs, before + 1);
    EXPECT_EQ(folder_.EntryCount(), 1u);
}

// The search window, driven as the user types and clicks.
class SearchWindowTest : public ExportListsTest {
protected:
    HWND window() { return SecondaryWindowHandle(WindowSearch); }
    void Search(const std::string& text) {
        SetDlgItemTextA(window(), ControlSearchText, text.c_str());
        HWND button = GetDlgItem(window(), ControlSearchButton);
        SendMessageA(window(), WM_COMMAND, MAKEWPARAM(ControlSearchButton, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
    }
    // Checks these lists' boxes only; with none, all of them.
    void CheckOnly(const std::vector<int>& kinds) {
        for (int kind = 0; kind < ListKindCount; ++kind) {
            const bool on = kinds.empty() || std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
            CheckDlgButton(window(), ControlSearchBoxFirst + kind, on ? BST_CHECKED : BST_UNCHECKED);
        }
    }
    const RowTable& results() { return *SearchResultList().table; }
};

TEST_F(SearchWindowTest, FindsTheTestsOwnProcessAndActivationSelectsItsRow) {
    DispatchCommand(CommandSearch, 0, nullptr);
    ASSERT_TRUE(IsWindowVisible(window()));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window(), ControlSearchButton))) << "nothing typed yet";
    for (int kind = 0; kind < ListKindCount; ++kind)
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window(), ControlSearchBoxFirst + kind))) << "joined: " << kind;

    DispatchCommand(CommandViewFirst + ViewServices, 0, nullptr);
    const std::string own = OwnName();
    CheckOnly({ListProcesses});  // its windows would be found too
    Search("\"" + own + "\"");
    CheckOnly({});
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window(), ControlSearchButton)));
    ASSERT_EQ(results().rows.size(), 1u);
    EXPECT_EQ(results().rows[0].cells[0], own);
    EXPECT_EQ(results().rows[0].cells[3], LanguageText(LanguageKey::Process));
    EXPECT_GE(results().rows[0].image, 0);

    SelectOnlyRow(SearchResultList(), 0);
    NMITEMACTIVATE activate{};
    activate.hdr = {SearchResultList().list, ControlSearchResults, LVN_ITEMACTIVATE};
    activate.iItem = 0;
    SendMessageA(window(), WM_NOTIFY, ControlSearchResults, reinterpret_cast<LPARAM>(&activate));
    EXPECT_EQ(g_program.currentView, ViewProcesses);
    const TableListView& processes = FindExportedList(ListProcesses)->list();
    const size_t selected = CurrentRow(processes);
    ASSERT_NE(selected, kNoRow);
    EXPECT_EQ(Cell(*processes.table, selected, 0), own);

    SendMessageA(window(), WM_COMMAND, ControlSearchClose, 0);  // Escape
    EXPECT_FALSE(IsWindowVisible(window()));
}

TEST_F(SearchWindowTest, UncheckedListsAreNotSearchedAndTheSortIsKept) {
    const TableListView& services = FindExportedList(ListServices)->list();
    ASSERT_GT(services.table->rows.size(), 1u);
    const std::string service = Cell(*services.table, 0, services.columns[0].tableColumn);
    CheckOnly({ListServices, ListProcesses});
    Search(service + " " + OwnName());
    size_t kinds = 0;
    for (const TableRow& row : results().rows)
        kinds |= row.cells[3] == LanguageText(LanguageKey::Service)   ? 1
                 : row.cells[3] == LanguageText(LanguageKey::Process) ? 2
                                                                      : 0;
    EXPECT_EQ(kinds, 3u) << "both lists gave a result";

    ToggleSortTableListView(SearchResultList(), 3);
    ToggleSortTableListView(SearchResultList(), 3);  // descending: services before processes
    CheckOnly({ListServices});
    Search(service + " " + OwnName());
    CheckOnly({ListServices, ListProcesses});
    ASSERT_FALSE(results().rows.empty());
    for (const TableRow& row : results().rows)
        EXPECT_EQ(row.cells[3], LanguageText(LanguageKey::Service));
    Search(service + " " + OwnName());
    EXPECT_EQ(SearchResultList().sortColumn, 3);
    EXPECT_EQ(results().rows.front().cells[3], LanguageText(LanguageKey::Service)) << "descending kept";
    CheckOnly({});
}

TEST_F(SearchWindowTest, ASmartValueIsShownUnderItsOwnDrive) {
    TemporaryFolder drives;
    UseSampleDrives(drives);  // shows #0
    DispatchCommand(CommandSearch, 0, nullptr);
    CheckOnly({ListSmart});
    Search("(b1)");  // the id of the Samsung's only value
    CheckOnly({});
    ASSERT_EQ(results().rows.size(), 1u);
    EXPECT_EQ(results().rows[0].cells[3], LanguageText(LanguageKey::SMART) + " " + LanguageText(LanguageKey::Value));
    SelectOnlyRow(SearchResultList(), 0);
    NMITEMACTIVATE activate{};
    activate.hdr = {SearchResultList().list, ControlSearchResults, LVN_ITEMACTIVATE};
    SendMessageA(window(), WM_NOTIFY, ControlSearchResults, reinterpret_cast<LPARAM>(&activate));
    const size_t selected = CurrentRow(SmartAttributeList());
    ASSERT_EQ(SmartShownDrive(), 2);
    ASSERT_NE(selected, kNoRow);
    EXPECT_EQ(Cell(*SmartAttributeList().table, selected, 1), "177 (B1)");
}

}  // namespace

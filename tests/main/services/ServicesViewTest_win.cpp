// The services and drivers lists under Wine: the real service manager's services with the states
// sc.exe reports, an action that rebuilds the list keeping sort, selected index and scroll, the
// menu's states after the selected service, and the drivers the process layer enumerates.
#include "main/services/ServicesView_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/ListViews_win.h"
#include "foundation/MessageBoxSeam.h"
#include "foundation/ValueFormatting.h"
#include "main/CommandIds.h"
#include "main/LibraryTable_win.h"
#include "main/SystemFiles_win.h"
#include "main/processes/ProcessLayer_win.h"
#include "main/services/DriversView.h"
#include "main/services/ServiceControl_win.h"
#include "main/services/ServiceTexts.h"
#include "tests/harness/TestSupport.h"
#include "tests/harness/WineTestSupport.h"
#include "tests/main/autoruns/ConsoleCommand_win.h"
#include "tests/main/services/ServiceTestSupport_win.h"

namespace {

const RowTable& ServiceTable() {
    return *ServicesList().table;
}

size_t ServiceRow(const std::string& name) {
    return FindRow(ServiceTable(), 0, name);
}

// The file in the system folder as the system names it ("C:\\windows\\system32\\...").
std::string SystemFolderFile(const std::string& name) {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

// Rebuilds until the service's row shows the state, as the manager takes a moment to get there.
bool RebuildUntilState(const std::string& name, long state) {
    for (int i = 0; i < 100; ++i) {
        RebuildServicesList();
        size_t row = ServiceRow(name);
        if (row != kNoRow && CellInteger(ServiceTable(), row, ServiceColumnStateNumber) == state) {
            return true;
        }
        Sleep(100);
    }
    return false;
}

class ServicesViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string bytes;
        if (ReadWholeFile(SourceFile("Language/English.ini"), bytes)) {
            SetCurrentLanguage(ParseLanguageCatalogue(bytes));
        }
        OpenServiceManager();
        InitCommonControls();
        // A small parent keeps the list short enough to scroll.
        parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 600, 200, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        OpenLibraryTable();
        CreateServicesList(parent);
        CreateDriversList(parent);
        MoveWindow(ServicesList().list, 0, 0, 580, 120, FALSE);

        RemoveLeftOverTestServices("VantrelViewService");
        std::string folder = TestProgramFolder();
        serviceName = "VantrelViewService" + std::to_string(GetCurrentProcessId());
        serviceCommand = "\"" + folder + "services_test_program.exe\" --vantrel-test";
        ConsoleResult created = RunConsoleCommand("sc.exe create " + serviceName + " binpath= \"\\\"" + folder +
                                                  "services_test_program.exe\\\" --vantrel-test\" start= demand");
        registered = created.exitCode == 0;
        // Never started: only its configured file, which carries a version resource, matters.
        versionService = serviceName + "v";
        RunConsoleCommand("sc.exe create " + versionService + " binpath= \"" + folder +
                          "version_sample.exe\" start= demand");
        // Another copy lies in the native system folder only, as the programs of 64-bit services
        // do; the service names it as the system does, without its ".exe".
        RemoveLeftOverTestServices("VantrelSystemService");
        systemService = "VantrelSystemService" + std::to_string(GetCurrentProcessId());
        systemName = "vantrel-version-" + std::to_string(GetCurrentProcessId());
        systemFile = systemName + ".exe";
        WithoutFileRedirection([] {
            CopyFileA((TestProgramFolder() + "version_sample.exe").c_str(), SystemFolderFile(systemFile).c_str(),
                      FALSE);
        });
        RunConsoleCommand("sc.exe create " + systemService + " binpath= \"%SystemRoot%\\system32\\" + systemName +
                          "\" start= demand");
    }
    static void TearDownTestSuite() {
        if (registered) {
            StopService(serviceName);
            for (int i = 0; i < 50 && ScQueryState(serviceName) != SERVICE_STOPPED; ++i) {
                Sleep(100);
            }
            RunConsoleCommand("sc.exe delete " + serviceName);
        }
        RunConsoleCommand("sc.exe delete " + versionService);
        RunConsoleCommand("sc.exe delete " + systemService);
        WithoutFileRedirection([] { DeleteFileA(SystemFolderFile(systemFile).c_str()); });
        DestroyWindow(parent);
        CloseServiceManager();
    }
    void SetUp() override {
        ASSERT_TRUE(registered);
        RecordMessageBoxes();
    }

    static HWND parent;
    static std::string serviceName;
    static std::string serviceCommand;
    static std::string versionService;
    static std::string systemService;
    static std::string systemName;
    static std::string systemFile;
    static bool registered;
};

HWND ServicesViewTest::parent = nullptr;
std::string ServicesViewTest::serviceName;
std::string ServicesViewTest::serviceCommand;
std::string ServicesViewTest::versionService;
std::string ServicesViewTest::systemService;
std::string ServicesViewTest::systemName;
std::string ServicesViewTest::systemFile;
bool ServicesViewTest::registered = false;

TEST_F(ServicesViewTest, ListsTheManagersServicesWithTheStatesScReports) {
    RebuildServicesList();
    const RowTable& table = ServiceTable();
    ASSERT_GT(RowCount(table), 3u);
    EXPECT_EQ(ListViewItemCount(ServicesList().list), static_cast<int>(RowCount(table)));
    for (size_t row = 0; row < RowCount(table); ++row) {
        std::string name = Cell(table, row, 0);
        EXPECT_FALSE(name.empty());
        if (name == serviceName) {
            continue;
        }
        unsigned long state = ScQueryState(name);
        EXPECT_NE(state, 0u) << "sc.exe reported no state for " << name;
        EXPECT_EQ(ServiceKeyText(ServiceStateKey(static_cast<long>(state))), Cell(table, row, 2)) << name;
    }
    // Our stopped service: an empty status, the whole configured text, the manual start and no hint.
    size_t own = ServiceRow(serviceName);
    ASSERT_NE(own, kNoRow);
    EXPECT_EQ(Cell(table, own, 2), "");
    EXPECT_EQ(Cell(table, own, 7), serviceCommand);
    EXPECT_EQ(Cell(table, own, 4), LanguageText(LanguageKey::AutorunManually));
    EXPECT_EQ(Cell(table, own, 3), LanguageText(LanguageKey::AutorunProcess));
    EXPECT_EQ(Cell(table, own, 8), "");
    EXPECT_EQ(Cell(table, own, 5), "");
    // Product and company from the version resource of the configured file (exiftool reads the same).
    size_t versioned = ServiceRow(versionService);
    ASSERT_NE(versioned, kNoRow);
    EXPECT_EQ(Cell(table, versioned, 5), "Beispieldatei");
    EXPECT_EQ(Cell(table, versioned, 6), "Vantrel Testfirma");
}

TEST_F(ServicesViewTest, AServiceProgramInTheNativeSystemFolderShowsItsVersionTexts) {
    if (RunsUnderWow64()) {
        EXPECT_FALSE(FileExists(SystemFolderFile(systemFile))) << "the 32-bit system folder has a copy";
    }
    RebuildServicesList();
    size_t row = ServiceRow(systemService);
    ASSERT_NE(row, kNoRow);
    EXPECT_EQ(Cell(ServiceTable(), row, 7), "%SystemRoot%\\system32\\" + systemName);
    EXPECT_EQ(Cell(ServiceTable(), row, 5), "Beispieldatei");
    EXPECT_EQ(Cell(ServiceTable(), row, 6), "Vantrel Testfirma");
}

// Services of Vista and later describe themselves by a string of a library; the list shows the
// string, and the raw text when there is none.
TEST_F(ServicesViewTest, IndirectDescriptionsShowTheStringTheyName) {
    std::string library = TestProgramFolder() + "service_description_strings.dll";
    // A copy in the native system folder only, named as the system names its own libraries.
    std::string systemLibrary = "vantrel-strings-" + std::to_string(GetCurrentProcessId()) + ".dll";
    BOOL copied = FALSE;
    WithoutFileRedirection(
        [&] { copied = CopyFileA(library.c_str(), SystemFolderFile(systemLibrary).c_str(), FALSE); });
    ASSERT_TRUE(copied);
    if (RunsUnderWow64()) {
        EXPECT_FALSE(FileExists(SystemFolderFile(systemLibrary))) << "the 32-bit system folder has a copy";
    }
    const wchar_t kString101[] = L"Vantrel-Testdienst f\u00fcr Beschreibungen";
    char expected[64] = {};
    WideCharToMultiByte(CP_ACP, 0, kString101, -1, expected, sizeof(expected), nullptr, nullptr);

    auto shown = [this](const std::string& description) {
        RunConsoleCommand("sc.exe description " + versionService + " \"" + description + "\"");
        RebuildServicesList();
        size_t row = ServiceRow(versionService);
        return row == kNoRow ? std::string("(no row)") : Cell(ServiceTable(), row, 8);
    };
    EXPECT_EQ(shown("@" + library + ",-101"), expected);
    EXPECT_EQ(shown("@%SystemRoot%\\system32\\" + systemLibrary + ",-101"), expected);
    std::string longText = shown("@" + library + ",-102");
    EXPECT_EQ(longText.size(), 599u) << longText;
    EXPECT_EQ(longText.substr(0, 25), "Eine lange Beschreibung. ");
    EXPECT_EQ(shown("@" + library + ",-103"), "@" + library + ",-103");  // no such string

    WithoutFileRedirection([&] { DeleteFileA(SystemFolderFile(systemLibrary).c_str()); });
}

TEST_F(ServicesViewTest, ActionRebuildsKeepingSortSelectedIndexAndScroll) {
    RebuildServicesList();
    TableListView& view = ServicesList();
    SortTableListView(view, 0, false);
    size_t own = ServiceRow(serviceName);
    ASSERT_NE(own, kNoRow);
    SelectOnlyRow(view, own);
    EnsureListViewItemVisible(view.list, static_cast<int>(RowCount(ServiceTable())) - 1);
    int top = ListViewTopIndex(view.list);
    EXPECT_GT(top, 0) << "the list should be short enough to scroll";

    EXPECT_TRUE(RunServicesCommand(CommandServiceStart));
    EXPECT_TRUE(ShownMessages().empty());
    // Rebuilt at once: same sort, same selected index, same first visible row.
    EXPECT_EQ(view.sortColumn, 0);
    EXPECT_FALSE(view.sortAscending);
    EXPECT_EQ(CurrentRow(view), own);
    EXPECT_EQ(ListViewTopIndex(view.list), top);
    for (size_t row = 1; row < RowCount(ServiceTable()); ++row) {
        EXPECT_GE(CompareCellText(Cell(ServiceTable(), row - 1, 0), Cell(ServiceTable(), row, 0)), 0);
    }
    // The rebuilt list shows the new state, not the stopped one.
    EXPECT_NE(Cell(ServiceTable(), own, 2), "");
    ASSERT_TRUE(RebuildUntilState(serviceName, SERVICE_RUNNING));
    EXPECT_EQ(Cell(ServiceTable(), ServiceRow(serviceName), 2), LanguageText(LanguageKey::ServiceStarted));

    // The test service does not accept pause: a message names it and the list stays as it is.
    SelectOnlyRow(view, ServiceRow(serviceName));
    EXPECT_FALSE(RunServicesCommand(CommandServicePause));
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_NE(ShownMessages()[0].text.find(serviceName), std::string::npos);

    SelectOnlyRow(view, ServiceRow(serviceName));
    EXPECT_TRUE(RunServicesCommand(CommandServiceStop));
    EXPECT_TRUE(RebuildUntilState(serviceName, SERVICE_STOPPED));
    SortTableListView(view, 0, true);
}

TEST_F(ServicesViewTest, MenuFollowsTheSelectedServicesStateAndStartType) {
    RebuildServicesList();
    TableListView& view = ServicesList();
    SelectOnlyRow(view, ServiceRow(serviceName));
    HMENU menu = CreatePopupMenu();
    for (int id = CommandServiceStart; id <= CommandServiceManual; ++id) {
        AppendMenuA(menu, MF_STRING, id, "x");
    }
    PrepareServicesMenu(menu);
    auto state = [menu](int id) { return GetMenuState(menu, id, MF_BYCOMMAND); };
    // Stopped, started on demand.
    EXPECT_FALSE(state(CommandServiceStart) & MF_GRAYED);
    EXPECT_TRUE(state(CommandServiceStop) & MF_GRAYED);
    EXPECT_TRUE(state(CommandServicePause) & MF_GRAYED);
    EXPECT_TRUE(state(CommandServiceContinue) & MF_GRAYED);
    EXPECT_TRUE(state(CommandServiceManual) & MF_CHECKED);
    EXPECT_FALSE(state(CommandServiceAutomatic) & MF_CHECKED);
    EXPECT_FALSE(state(CommandServiceDisabled) & MF_CHECKED);

    // Without a selection no action is offered and a command does nothing.
    SelectOnlyRow(view, kNoRow);
    PrepareServicesMenu(menu);
    EXPECT_TRUE(state(CommandServiceStart) & MF_GRAYED);
    EXPECT_TRUE(state(CommandServiceManual) & MF_GRAYED);
    EXPECT_FALSE(RunServicesCommand(CommandServiceStart));
    EXPECT_TRUE(ShownMessages().empty());
    DestroyMenu(menu);
}

TEST_F(ServicesViewTest, DriversListShowsTheEnumeratedDrivers) {
    OpenLibraryTable();
    InitProcessLayer();
    RebuildDriversList();
    const RowTable& table = *DriversList().table;
    EXPECT_EQ(ListViewItemCount(DriversList().list), static_cast<int>(RowCount(table)));
    VANTREL_SKIP_WINE_GAP(RowCount(table) == 0, "EnumDeviceDrivers lists the loaded drivers");
    for (size_t row = 0; row < RowCount(table); ++row) {
        EXPECT_FALSE(Cell(table, row, 0).empty());
        EXPECT_NE(Cell(table, row, DriverColumnPath).find('\\'), std::string::npos);
    }
}

TEST_F(ServicesViewTest, DriverRowFromABareNameTheRegistryAndTheFile) {
    std::string system = SpecialFolderPath(0x25);
    ASSERT_FALSE(system.empty());
    // The driver is in the native system folder; the test looks there by itself.
    std::string path = system + "\\drivers\\mountmgr.sys";
    WIN32_FILE_ATTRIBUTE_DATA data{};
    BOOL found = FALSE;
    WithoutFileRedirection([&] { found = GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data); });
    ASSERT_TRUE(found) << path << ": " << LastError();
    RowTable table = MakeRowTable(DriverColumnCount);

    size_t row = AppendDriverRow(table, ReadDriverRecord("mountmgr.sys", "mountmgr.sys", system));
    EXPECT_EQ(Cell(table, row, DriverColumnPath), path);
    EXPECT_EQ(Cell(table, row, 1), LanguageText(LanguageKey::SystemDriver));
    EXPECT_EQ(table.rows[row].image, DriverImageSystem);
    EXPECT_EQ(Cell(table, row, 7), FormatBytes64(data.nFileSizeLow, 2));
    // Start and type as reg.exe reads them from the driver's service key.
    ConsoleResult query =
        RunConsoleCommand("reg.exe query HKLM\\SYSTEM\\CurrentControlSet\\Services\\mountmgr /v Start");
    long start = -1;
    for (const std::string& line : OutputLines(query.output)) {
        std::vector<std::string> columns = ColumnsOf(line);
        if (columns.size() == 3 && columns[0] == "Start") {
            start = std::strtol(columns[2].c_str(), nullptr, 16);
        }
    }
    ASSERT_GE(start, 0) << query.output;
    EXPECT_EQ(Cell(table, row, 4), ServiceKeyText(ServiceStartTypeKey(start)));
    EXPECT_EQ(Cell(table, row, 3), LanguageText(LanguageKey::AutorunKernelDriver));

    // A driver whose file and key are missing: no size, empty registry texts.
    row = AppendDriverRow(table, ReadDriverRecord("vantrel-missing.dll", "\\SystemRoot\\vantrel-missing.dll", system));
    EXPECT_EQ(Cell(table, row, 7), LanguageText(LanguageKey::NotDetectable));
    EXPECT_EQ(Cell(table, row, 3), "");
    EXPECT_EQ(Cell(table, row, 4), "");
    EXPECT_EQ(Cell(table, row, 1), LanguageText(LanguageKey::ProgramLibrary));
    EXPECT_EQ(table.rows[row].image, DriverImageLibrary);
}

}  // namespace

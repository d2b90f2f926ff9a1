// The autorun list of the real main window under Wine: entries written with reg.exe and the shell
// link object appear and vanish through the refresh command, and adding, removing and the jumps
// go through the same commands and controls a user's clicks reach.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/Controls_win.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/MessageBoxSeam.h"
#include "main/CommandIds.h"
#include "main/Dispatch_win.h"
#include "main/LibraryTable_win.h"
#include "main/MainWindow_win.h"
#include "main/MainWindows_win.h"
#include "main/ProgramModel.h"
#include "main/SecondaryWindows_win.h"
#include "main/SystemFiles_win.h"
#include "main/Views_win.h"
#include "main/autoruns/AutorunEditing_win.h"
#include "main/autoruns/AutorunLocations.h"
#include "main/autoruns/AutorunsView_win.h"
#include "main/autoruns/Link_win.h"
#include "main/autoruns/Registry_win.h"
#include "main/database/FileHash_win.h"
#include "main/processes/ProcessLayer_win.h"
#include "tests/harness/TemporaryFolder.h"
#include "tests/harness/TestSupport.h"
#include "tests/harness/WineTestSupport.h"
#include "tests/main/autoruns/ConsoleCommand_win.h"

namespace {

const std::string kCurrentVersion = "\\Software\\Microsoft\\Windows\\CurrentVersion\\";
const std::string kUserRun = "HKEY_CURRENT_USER" + kCurrentVersion + "Run";
const std::string kMachineRun = "HKEY_LOCAL_MACHINE" + kCurrentVersion + "Run";
const std::string kNotify = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Notify";
const std::string kWinlogon = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

std::vector<std::string> g_opened;
bool RecordOpen(const std::string& file, const std::string& parameters) {
    g_opened.push_back(file + (parameters.empty() ? "" : " " + parameters));
    return true;
}

const RowTable& Table() {
    return *AutorunsList().table;
}

void Refresh() {
    DispatchCommand(CommandRefresh, 0, nullptr);
}

size_t RowByName(const std::string& name) {
    return FindRow(Table(), AutorunColumnName, name);
}

std::string CellOf(const std::string& name, size_t column) {
    return Cell(Table(), RowByName(name), column);
}

long Reg(const std::string& arguments) {
    return RunConsoleCommand("reg.exe " + arguments).exitCode;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string SystemFile(const char* name) {
    return WindowsFolder() + "\\System32\\" + name;
}

void Select(const std::string& name) {
    size_t row = RowByName(name);
    ASSERT_NE(row, kNoRow) << name;
    SelectOnlyRow(AutorunsList(), row);
}

void ClickSystemAutoruns(bool checked) {
    HWND box = GetDlgItem(g_windows.views[ViewAutoruns], ControlSystemAutoruns);
    if ((IsDlgButtonChecked(g_windows.views[ViewAutoruns], ControlSystemAutoruns) == BST_CHECKED) != checked) {
        SendMessageA(box, BM_CLICK, 0, 0);
    }
}

class AutorunsViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        UseSourceLanguage();
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        g_program.screenWidth = GetSystemMetrics(SM_CXSCREEN);
        OpenLibraryTable();
        g_program.preferences.PreferencesUseDatabase = 0;
        g_program.preferences.PreferencesSearchString = "https://search.example/?q=<%1>";
        ASSERT_TRUE(CreateMainWindows(GetModuleHandleA(nullptr)));
        ShowMainWindow();
        SwitchView(ViewAutoruns, true);
        SetShellOpenFunction(RecordOpen);
    }

    void SetUp() override {
        RecordMessageBoxes();
        g_opened.clear();
        tag = "VantrelTest" + std::to_string(GetCurrentProcessId());
    }

    std::string tag;
};

TEST_F(AutorunsViewTest, RunFamilyValuesAppearWithTheirColumnsAndVanishAfterDelete) {
    const char* kKeys[] = {"Run", "RunOnce", "RunOnceEx", "RunServices", "RunServicesOnce", "RunOnce\\Setup"};
    const std::string command = Quoted(SystemFile("notepad.exe")) + " /p file.txt";
    for (const char* key : kKeys) {
        std::string path = "HKEY_CURRENT_USER" + kCurrentVersion + key;
        ASSERT_EQ(Reg("add " + Quoted(path) + " /v " + tag + key + " /d " +
                      Quoted("\\\"" + SystemFile("notepad.exe") + "\\\" /p file.txt") + " /f"),
                  0);
    }
    // A command line longer than any fixed text buffer, and a value that names a class.
    const std::string longCommand = "notepad.exe " + std::string(320, 'x');
    ASSERT_EQ(Reg("add " + Quoted(kUserRun) + " /v " + tag + "Long /d " + Quoted(longCommand) + " /f"), 0);
    const std::string clsid = "{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}";
    const std::string server = SystemFile("shell32.dll");
    // The native shell starts the user's entries and looks their classes up in its own view.
    const std::string classView = HasSecondRegistryView() ? " /reg:64" : "";
    ASSERT_EQ(Reg("add " + Quoted("HKEY_CLASSES_ROOT\\CLSID\\" + clsid + "\\InProcServer32") + " /ve /d " +
                  Quoted(server) + " /f" + classView),
              0);
    ASSERT_EQ(Reg("add " + Quoted(kUserRun) + " /v " + tag + "Class /d " + clsid + " /f"), 0);
    ASSERT_EQ(Reg("add " + Quoted(kUserRun) + " /v " + tag + "NoClass /d {00000000-0000-0000-0000-00000000dead} /f"),
              0);
    Refresh();

    for (const char* key : kKeys) {
        const std::string name = tag + key;
        ASSERT_NE(RowByName(name), kNoRow) << key;
        EXPECT_EQ(CellOf(name, AutorunColumnCommand), command);
        EXPECT_EQ(CellOf(name, AutorunColumnType), LanguageText(LanguageKey::Registry));
        EXPECT_EQ(CellOf(name, AutorunColumnLocation), "HKEY_CURRENT_USER" + kCurrentVersion + key + "\\" + name);
        EXPECT_EQ(CellOf(name, AutorunColumnTarget), SystemFile("notepad.exe"));
        EXPECT_EQ(Table().rows[RowByName(name)].backgroundColour, kAutorunRegistryBackground);
    }
    EXPECT_EQ(CellOf(tag + "Long", AutorunColumnCommand), longCommand);
    EXPECT_EQ(CellOf(tag + "Long", AutorunColumnTarget), SystemFile("notepad.exe"));
    EXPECT_EQ(CellOf(tag + "Class", AutorunColumnCommand), server);
    EXPECT_EQ(RowByName(tag + "NoClass"), kNoRow) << "a class without a server is left out";
    EXPECT_EQ(Cell(Table(), 0, AutorunColumnName).empty(), false);

    for (const char* key : kKeys) {
        Reg("delete " + Quoted("HKEY_CURRENT_USER" + kCurrentVersion + key) + " /v " + tag + key + " /f");
    }
    for (const char* name : {"Long", "Class", "NoClass"}) {
        Reg("delete " + Quoted(kUserRun) + " /v " + tag + name + " /f");
    }
    Reg("delete " + Quoted("HKEY_CLASSES_ROOT\\CLSID\\" + clsid) + " /f" + classView);
    Refresh();
    for (const char* key : kKeys) {
        EXPECT_EQ(RowByName(tag + key), kNoRow) << key;
    }
    EXPECT_EQ(RowByName(tag + "Long"), kNoRow);
}

TEST_F(AutorunsViewTest, MachineEntriesOfBothViewsAreListedAndRemovedInTheirOwnView) {
    if (!HasSecondRegistryView()) {
        GTEST_SKIP() << "a 32-bit prefix has one registry view";
    }
    ASSERT_EQ(Reg("add " + Quoted(kMachineRun) + " /v " + tag + "Native /d notepad.exe /f /reg:64"), 0);
    ASSERT_EQ(Reg("add " + Quoted(kMachineRun) + " /v " + tag + "Wow /d notepad.exe /f /reg:32"), 0);
    Refresh();
    EXPECT_EQ(CellOf(tag + "Native", AutorunColumnLocation), kMachineRun + "\\" + tag + "Native");
    EXPECT_EQ(CellOf(tag + "Wow", AutorunColumnLocation),
              "HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run\\" + tag + "Wow");

    AnswerQuestionsWith(kAnswerYes);
    for (const char* name : {"Native", "Wow"}) {
        Select(tag + name);
        DispatchCommand(CommandEnd, 0, nullptr);
    }
    EXPECT_NE(Reg("query " + Quoted(kMachineRun) + " /v " + tag + "Native /reg:64"), 0);
    EXPECT_NE(Reg("query " + Quoted(kMachineRun) + " /v " + tag + "Wow /reg:32"), 0);
    EXPECT_EQ(RowByName(tag + "Wow"), kNoRow);
}

TEST_F(AutorunsViewTest, SystemLocationsFollowTheCheckBox) {
    // The prefix's own Userinit comes back however the test ends.
    struct UserinitGuard {
        bool had = RegistryValueExists(kWinlogon, "Userinit", RegistryView::Bits64) == 1;
        std::string value = ReadRegistryText(kWinlogon, "Userinit", RegistryView::Bits64);
        ~UserinitGuard() {
            if (had) {
                WriteRegistryValue(kWinlogon, "Userinit", value, kRegistryString, RegistryView::Bits64);
            } else {
                DeleteRegistryValue(kWinlogon, "Userinit", RegistryView::Bits64);
            }
        }
    } userinitGuard;
    const std::string notify = kNotify + "\\" + tag;
    ASSERT_EQ(Reg("add " + Quoted(notify) + " /v DLLName /d " + tag + ".dll /f /reg:64"), 0);
    ASSERT_EQ(Reg("add " + Quoted(notify + "Empty") + " /v DLLName /d \"\" /f /reg:64"), 0);
    ASSERT_EQ(
        Reg("add " + Quoted(kWinlogon) + " /v Userinit /d " + Quoted(SystemFile("userinit.exe") + ",") + " /f /reg:64"),
        0);
    ClickSystemAutoruns(false);
    EXPECT_EQ(RowByName(tag), kNoRow);
    EXPECT_EQ(RowByName("Userinit"), kNoRow);

    ClickSystemAutoruns(true);
    ASSERT_NE(RowByName(tag), kNoRow);
    EXPECT_EQ(CellOf(tag, AutorunColumnCommand), tag + ".dll");
    EXPECT_EQ(CellOf(tag, AutorunColumnLocation), notify);
    EXPECT_EQ(Table().rows[RowByName(tag)].image, AutorunImageLibrary);
    EXPECT_EQ(RowByName(tag + "Empty"), kNoRow);
    size_t userinitRows = 0;
    for (const TableRow& row : Table().rows) {
        userinitRows += row.cells[AutorunColumnName] == "Userinit" ? 1 : 0;
    }
    EXPECT_EQ(userinitRows, 1u);
    EXPECT_EQ(CellOf("Userinit", AutorunColumnTarget), SystemFile("userinit.exe"));

    // Removing one program of the list leaves the others in the value.
    const std::string list = SystemFile("notepad.exe") + "," + SystemFile("userinit.exe") + ",";
    ASSERT_EQ(WriteRegistryValue(kWinlogon, "Userinit", list, kRegistryString, RegistryView::Bits64), 1);
    Refresh();
    AnswerQuestionsWith(kAnswerYes);
    SelectOnlyRow(AutorunsList(), FindRow(Table(), AutorunColumnCommand, SystemFile("notepad.exe")));
    DispatchCommand(CommandEnd, 0, nullptr);
    EXPECT_EQ(ReadRegistryText(kWinlogon, "Userinit", RegistryView::Bits64), SystemFile("userinit.exe") + ",");
    RecordMessageBoxes();

    // A Notify key with a subkey of its own cannot go; without one it goes after Yes.
    ASSERT_EQ(Reg("add " + Quoted(notify + "\\Inner") + " /f /reg:64"), 0);
    AnswerQuestionsWith(kAnswerYes);
    Select(tag);
    DispatchCommand(CommandEnd, 0, nullptr);
    ASSERT_EQ(ShownMessages().size(), 2u);
    EXPECT_EQ(ShownMessages()[0].text, LanguageTextWith(LanguageKey::ReallyDeleteKey, notify));
    EXPECT_EQ(ShownMessages()[1].text, LanguageTextWith(LanguageKey::CanNotDeleteKey, notify));
    EXPECT_EQ(ShownMessages()[1].style, kMessageBoxWarning);
    EXPECT_NE(RowByName(tag), kNoRow);
    Reg("delete " + Quoted(notify + "\\Inner") + " /f /reg:64");
    Select(tag);
    DispatchCommand(CommandEnd, 0, nullptr);
    EXPECT_NE(Reg("query " + Quoted(notify) + " /reg:64"), 0);

    Reg("delete " + Quoted(notify + "Empty") + " /f /reg:64");
    ClickSystemAutoruns(false);
}

TEST_F(AutorunsViewTest, AddingThroughTheWindowWritesTheValueAndTheShortcut) {
    HWND window = SecondaryWindowHandle(WindowNewAutorun);
    auto clickOk = [window](const std::string& program, int kind, int users, bool runOnce) {
        DispatchCommand(CommandRun, 0, nullptr);
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_FALSE(IsWindowEnabled(g_windows.window));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, ControlNewAutorunOk)));
        HWND field = GetDlgItem(window, ControlNewAutorunProgram);
        SetWindowTextA(field, program.c_str());
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(ControlNewAutorunProgram, CBN_EDITCHANGE),
                     reinterpret_cast<LPARAM>(field));
        SendMessageA(GetDlgItem(window, kind), BM_CLICK, 0, 0);
        SendMessageA(GetDlgItem(window, users), BM_CLICK, 0, 0);
        EXPECT_EQ(IsWindowEnabled(GetDlgItem(window, ControlNewAutorunRunOnce)) != FALSE,
                  kind == ControlNewAutorunRegistry);
        if (runOnce) {
            SendMessageA(GetDlgItem(window, ControlNewAutorunRunOnce), BM_CLICK, 0, 0);
        }
        SetDlgItemTextA(window, ControlNewAutorunParameter, "-x");
        SendMessageA(GetDlgItem(window, ControlNewAutorunOk), BM_CLICK, 0, 0);
        EXPECT_FALSE(IsWindowVisible(window));
        EXPECT_TRUE(IsWindowEnabled(g_windows.window));
    };
    // A blank program keeps OK disabled.
    DispatchCommand(CommandRun, 0, nullptr);
    SetWindowTextA(GetDlgItem(window, ControlNewAutorunProgram), "   ");
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(ControlNewAutorunProgram, CBN_EDITCHANGE), 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, ControlNewAutorunOk)));
    SendMessageA(GetDlgItem(window, ControlNewAutorunCancel), BM_CLICK, 0, 0);

    TemporaryFolder folder;
    const std::string program = folder.Path() + "\\" + tag + ".exe";
    ASSERT_TRUE(CopyFileA(SystemFile("notepad.exe").c_str(), program.c_str(), FALSE)) << LastError();
    clickOk("  " + program + " ", ControlNewAutorunRegistry, ControlNewAutorunCurrentUser, true);
    ConsoleResult query = RunConsoleCommand("reg.exe query " + Quoted(kUserRun + "Once") + " /v " + tag + ".exe");
    ASSERT_EQ(query.exitCode, 0) << query.output;
    EXPECT_NE(query.output.find("REG_SZ    \"" + program + "\" -x"), std::string::npos) << query.output;
    EXPECT_EQ(CellOf(tag + ".exe", AutorunColumnTarget), program) << "listed at once";
    EXPECT_EQ(CellOf(tag + ".exe", AutorunColumnLocation), kUserRun + "Once\\" + tag + ".exe");

    clickOk(program, ControlNewAutorunDirectory, ControlNewAutorunCurrentUser, false);
    const std::string link = SpecialFolderPath(CSIDL_STARTUP) + "\\" + tag + ".exe.lnk";
    ShortcutRecord record;
    ASSERT_EQ(ReadShortcut(link, record), 1);
    EXPECT_EQ(record.targetPath, program);
    EXPECT_EQ(record.arguments, "-x");
    EXPECT_EQ(record.workingDirectory, folder.Path());
    EXPECT_EQ(record.description, LanguageText(LanguageKey::AutorunCreatedByVTL));
    size_t row = FindRow(Table(), AutorunColumnLocation, link);
    ASSERT_NE(row, kNoRow);
    EXPECT_EQ(Cell(Table(), row, AutorunColumnName), tag + ".exe");
    EXPECT_EQ(Cell(Table(), row, AutorunColumnType), LanguageText(LanguageKey::AutorunDirectory));
    EXPECT_EQ(Table().rows[row].backgroundColour, kAutorunFolderBackground);
    EXPECT_GE(Table().rows[row].image, AutorunImageCount) << "the program's own icon";

    // The program field offers the program again, as the run window does.
    DispatchCommand(CommandRun, 0, nullptr);
    EXPECT_GE(ComboBoxCount(GetDlgItem(window, ControlNewAutorunProgram)), 1);
    SendMessageA(GetDlgItem(window, ControlNewAutorunCancel), BM_CLICK, 0, 0);

    // Removing: No keeps both, Yes removes both.
    for (int answer : {kAnswerNo, kAnswerYes}) {
        AnswerQuestionsWith(answer);
        Select(tag + ".exe");
        SelectOnlyRow(AutorunsList(), FindRow(Table(), AutorunColumnLocation, kUserRun + "Once\\" + tag + ".exe"));
        DispatchCommand(CommandEnd, 0, nullptr);
        SelectOnlyRow(AutorunsList(), FindRow(Table(), AutorunColumnLocation, link));
        DispatchCommand(CommandEnd, 0, nullptr);
        EXPECT_EQ(FileExists(link), answer == kAnswerNo);
        EXPECT_EQ(Reg("query " + Quoted(kUserRun + "Once") + " /v " + tag + ".exe") == 0, answer == kAnswerNo);
    }
    EXPECT_EQ(ShownMessages().back().text, LanguageTextWith(LanguageKey::ReallyDeleteLink, link));
}

// A 32-bit program on 64-bit Windows sees another folder under the system folder's name; the
// entries mean the native one.
TEST_F(AutorunsViewTest, ABareNameFoundOnlyInTheNativeSystemFolderIsTheTarget) {
    const std::string file = SystemFile((tag + ".exe").c_str());
    BOOL copied = FALSE;
    WithoutFileRedirection([&] { copied = CopyFileA(SystemFile("notepad.exe").c_str(), file.c_str(), FALSE); });
    ASSERT_TRUE(copied) << LastError();
    if (RunsUnderWow64()) {
        EXPECT_FALSE(FileExists(file)) << "the 32-bit system folder has a copy";
    }
    ASSERT_EQ(Reg("add " + Quoted(kUserRun) + " /v " + tag + " /d " + tag + " /f"), 0);
    Refresh();
    EXPECT_EQ(CellOf(tag, AutorunColumnTarget), file);
    EXPECT_GE(Table().rows[RowByName(tag)].image, AutorunImageCount) << "its icon was read";
    Reg("delete " + Quoted(kUserRun) + " /v " + tag + " /f");
    WithoutFileRedirection([&] { DeleteFileA(file.c_str()); });
}

std::string DetailText(int id) {
    char text[512] = {};
    GetDlgItemTextA(g_windows.views[ViewAutoruns], id, text, sizeof(text));
    return text;
}

TEST_F(AutorunsViewTest, ARatedTargetIsGreenAndTheDetailsShowItsTexts) {
    char own[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, own, MAX_PATH);
    const std::string sample = FolderOfPath(own) + "..\\services\\version_sample.exe";
    ASSERT_TRUE(FileExists(sample)) << sample;
    RatingDatabase& database = g_program.database;
    database.now = [] { return int64_t{1000000}; };
    database.texts.systemInternal = LanguageText(LanguageKey::RatingSystemInternal);
    database.texts.trustworthyProgram = LanguageText(LanguageKey::RatingTrustworthyProgram);
    AppendRating(database.cache, RatingEntry{FileHash(sample), 2, 1, "Beispielprogramm", 1000000, 1000000});
    g_program.preferences.PreferencesUseDatabase = 1;
    ASSERT_EQ(Reg("add " + Quoted(kUserRun) + " /v " + tag + " /d " + Quoted(sample) + " /f"), 0);
    ASSERT_EQ(Reg("add " + Quoted(kUserRun) + " /v " + tag + "Plain /d notepad.exe /f"), 0);
    Refresh();
    g_program.preferences.PreferencesUseDatabase = 0;

    const TableRow& rated = Table().rows[RowByName(tag)];
    EXPECT_EQ(rated.textColour, kAutorunRatedText);
    EXPECT_EQ(rated.cells[AutorunColumnRating], LanguageText(LanguageKey::RatingTrustworthyProgram));
    EXPECT_EQ(rated.cells[AutorunColumnDescription], "Beispielprogramm");
    EXPECT_EQ(Table().rows[RowByName(tag + "Plain")].textColour, 0x000000u);

    Select(tag);
    EXPECT_EQ(DetailText(ControlAutorunTitle), "Vantrel Probe (" + tag + ")");
    EXPECT_EQ(DetailText(ControlAutorunCompany), "Vantrel Testfirma");
    EXPECT_EQ(DetailText(ControlAutorunType),
              LanguageText(LanguageKey::Type) + ": " + LanguageText(LanguageKey::Registry));
    EXPECT_EQ(DetailText(ControlAutorunTarget), LanguageText(LanguageKey::Target) + ": " + sample);
    EXPECT_EQ(DetailText(ControlAutorunRating), "Beispielprogramm");
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(g_windows.views[ViewAutoruns], ControlAutorunBadge)));
    Select(tag + "Plain");
    EXPECT_EQ(DetailText(ControlAutorunTitle), tag + "Plain");
    EXPECT_EQ(DetailText(ControlAutorunRating), LanguageText(LanguageKey::RatingUnknown));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(g_windows.views[ViewAutoruns], ControlAutorunBadge)));
    Reg("delete " + Quoted(kUserRun) + " /v " + tag + " /f");
    Reg("delete " + Quoted(kUserRun) + " /v " + tag + "Plain /f");
}

TEST_F(AutorunsViewTest, RegistryEditorJumpKeepsTheRootNameAndWebSearchNamesTheFile) {
    const std::string regedit = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";
    ASSERT_EQ(Reg("add " + Quoted(regedit) + " /v LastKey /d " + Quoted("Arbeitsplatz\\HKEY_USERS") + " /f"), 0);
    ASSERT_EQ(Reg("add " + Quoted(kUserRun) + " /v " + tag + " /d " + Quoted("\\\"C:\\Tools\\tool.exe\\\" -x") + " /f"),
              0);
    Refresh();
    Select(tag);
    DispatchCommand(CommandExploreAutorunSource, 0, nullptr);
    EXPECT_EQ(ReadRegistryValue(regedit, "LastKey"), "Arbeitsplatz\\" + kUserRun);
    DispatchCommand(CommandWebSearch, 0, nullptr);
    DispatchCommand(CommandExploreAutorunTarget, 0, nullptr);
    EXPECT_EQ(g_opened, (std::vector<std::string>{"regedit", "https://search.example/?q=tool.exe", "C:\\Tools"}));
    Reg("delete " + Quoted(kUserRun) + " /v " + tag + " /f");
}

}  // namespace

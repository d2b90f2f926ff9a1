// The run window inside the real main window, opened by the dispatch as the button and Ctrl+R do,
// and driven through its own buttons. The program it starts is a child of ours that records its
// working folder and arguments in a marker file.

#include "main/processes/RunWindow_win.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "foundation/Controls_win.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/MessageBoxSeam.h"
#include "main/CommandIds.h"
#include "main/Dispatch_win.h"
#include "main/MainWindow_win.h"
#include "main/MainWindows_win.h"
#include "main/ProgramModel.h"
#include "main/SecondaryWindows_win.h"
#include "main/Views_win.h"
#include "main/processes/RunHistory.h"
#include "tests/harness/TemporaryFolder.h"
#include "tests/harness/TestSupport.h"
#include "tests/harness/WineTestSupport.h"
#include "tests/main/shell/TestMainWindows.h"

namespace {

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return text;
}

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return text;
}

std::string WithoutTrailingBackslash(std::string path) {
    while (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    return path;
}

std::string ExeFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string text = path;
    return text.substr(0, text.rfind('\\') + 1);
}

// The marker's lines (working folder, then the arguments after the marker's name), once the child
// has renamed it into place; empty after 15 s.
std::vector<std::string> WaitForMarker(const std::string& path) {
    for (int waited = 0; waited < 15000; waited += 50) {
        std::ifstream file(path);
        if (file) {
            std::vector<std::string> lines;
            for (std::string line; std::getline(file, line);)
                lines.push_back(line);
            return lines;
        }
        Sleep(50);
    }
    return {};
}

class RunWindowTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        RecordMessageBoxes();
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        CreateMainWindowsForTest();

        // A folder with spaces in its name, and a program name with one, so quoting matters.
        temporary_.emplace("vantrel run ");
        folder_ = temporary_->Path();
        ASSERT_TRUE(IsFolder(folder_));
        child_ = folder_ + "\\run child.exe";
        ASSERT_TRUE(CopyFileA((ExeFolder() + "run_window_test_child.exe").c_str(), child_.c_str(), FALSE))
            << LastError();
    }

    static void TearDownTestSuite() {
        temporary_.reset();
        DestroyWindow(g_windows.window);
    }

    void SetUp() override {
        ShownMessages().clear();
        if (g_program.currentView != ViewProcesses)
            DispatchCommand(CommandViewFirst + ViewProcesses, 0, nullptr);
        DispatchCommand(CommandRun, 0, nullptr);
        ASSERT_TRUE(IsWindowVisible(Window()));
    }

    void TearDown() override {
        if (IsWindowVisible(Window()))
            Click(ControlRunCancel);
    }

    static HWND Window() { return SecondaryWindowHandle(WindowExecute); }
    static void Click(int id) {
        SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(Window(), id)));
    }
    static void Type(int id, const std::string& text) { SetDlgItemTextA(Window(), id, text.c_str()); }
    static std::string Text(int id) {
        char text[512] = {};
        GetDlgItemTextA(Window(), id, text, sizeof(text));
        return text;
    }
    static std::vector<std::string> ListedCommands() {
        std::vector<std::string> listed;
        HWND combo = GetDlgItem(Window(), ControlRunCommand);
        for (int i = 0; i < ComboBoxCount(combo); ++i)
            listed.push_back(ComboBoxItemText(combo, i));
        return listed;
    }
    static bool PeersEnabled(bool enabled) {
        for (HWND peer : {g_windows.window, SecondaryWindowHandle(WindowProcessInformation),
                          SecondaryWindowHandle(WindowDiagram), SecondaryWindowHandle(WindowSearch)}) {
            if ((IsWindowEnabled(peer) != FALSE) != enabled)
                return false;
        }
        return true;
    }

    static std::optional<TemporaryFolder> temporary_;
    static std::string folder_;
    static std::string child_;
};

std::optional<TemporaryFolder> RunWindowTest::temporary_;
std::string RunWindowTest::folder_;
std::string RunWindowTest::child_;

TEST_F(RunWindowTest, OpensWithItsControlsKeepingTheOtherWindowsDisabledUntilCancelled) {
    EXPECT_TRUE(PeersEnabled(false));
    char title[64] = {};
    GetWindowTextA(Window(), title, sizeof(title));
    EXPECT_EQ(std::string(title), LanguageText(LanguageKey::Execute));
    char className[32] = {};
    GetClassNameA(GetDlgItem(Window(), ControlRunCommand), className, sizeof(className));
    EXPECT_EQ(Lower(className), "combobox");
    EXPECT_EQ(GetWindowLongA(GetDlgItem(Window(), ControlRunCommand), GWL_STYLE) & 3, CBS_DROPDOWN);
    EXPECT_EQ(Text(ControlRunOk), LanguageText(LanguageKey::OK));
    EXPECT_EQ(Text(ControlRunCancel), LanguageText(LanguageKey::Cancel));
    EXPECT_EQ(Text(ControlRunBrowse), LanguageText(LanguageKey::Browse) + "...");
    std::vector<std::string> labels;
    for (HWND child = GetWindow(Window(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        GetClassNameA(child, className, sizeof(className));
        char text[128] = {};
        GetWindowTextA(child, text, sizeof(text));
        if (Lower(className) == "static")
            labels.push_back(text);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{LanguageText(LanguageKey::Open) + ":",
                                                LanguageText(LanguageKey::Parameter) + ":"}));

    Click(ControlRunCancel);
    EXPECT_FALSE(IsWindowVisible(Window()));
    EXPECT_TRUE(PeersEnabled(true));
    EXPECT_TRUE(ShownMessages().empty());

    // Closing the frame does the same as Cancel.
    DispatchCommand(CommandRun, 0, nullptr);
    EXPECT_TRUE(PeersEnabled(false));
    SendMessageA(Window(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(Window()));
    EXPECT_TRUE(PeersEnabled(true));
}

TEST_F(RunWindowTest, AutorunsViewLeavesTheRunWindowAlone) {
    Click(ControlRunCancel);
    DispatchCommand(CommandViewFirst + ViewAutoruns, 0, nullptr);
    DispatchCommand(CommandRun, 0, nullptr);
    EXPECT_FALSE(IsWindowVisible(Window()));
    DispatchCommand(CommandViewFirst + ViewWindows, 0, nullptr);
    DispatchCommand(CommandRun, 0, nullptr);
    EXPECT_TRUE(IsWindowVisible(Window()));
}

TEST_F(RunWindowTest, OkStartsTheCommandInItsOwnFolderAndRemembersItOnce) {
    size_t historyBefore = RunCommandHistory().size();
    std::string command = "\"" + child_ + "\"";
    Type(ControlRunCommand, command);
    Type(ControlRunParameter, "marker-a one two");
    Click(ControlRunOk);
    EXPECT_TRUE(ShownMessages().empty()) << ShownMessages().front().text;
    EXPECT_FALSE(IsWindowVisible(Window()));
    EXPECT_TRUE(PeersEnabled(true));
    std::vector<std::string> marker = WaitForMarker(folder_ + "\\marker-a");
    ASSERT_EQ(marker.size(), 3u) << "the child wrote no marker in its own folder";
    EXPECT_EQ(Lower(WithoutTrailingBackslash(marker[0])), Lower(folder_));
    EXPECT_EQ(marker[1], "one");
    EXPECT_EQ(marker[2], "two");
    ASSERT_EQ(RunCommandHistory().size(), historyBefore + 1);
    EXPECT_EQ(RunCommandHistory().back(), command);

    // The same command again in capitals (Windows paths ignore case): it runs, and stays one entry.
    DispatchCommand(CommandRun, 0, nullptr);
    EXPECT_EQ(Text(ControlRunCommand), command);
    EXPECT_EQ(Text(ControlRunParameter), "");
    Type(ControlRunCommand, Upper(command));
    Type(ControlRunParameter, "marker-b");
    Click(ControlRunOk);
    EXPECT_EQ(WaitForMarker(folder_ + "\\marker-b").size(), 1u);
    EXPECT_EQ(RunCommandHistory().size(), historyBefore + 1);

    DispatchCommand(CommandRun, 0, nullptr);
    std::vector<std::string> listed = ListedCommands();
    EXPECT_EQ(std::count(listed.begin(), listed.end(), command), 1);
    EXPECT_EQ(listed.size(), RunCommandHistory().size());
}

TEST_F(RunWindowTest, BareNameRunsInTheCallersFolderWithTheCommandsArgumentsFirst) {
    // A bare name has no folder of its own: the system finds it in the current folder, and the
    // child starts there.
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof(previous), previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder_.c_str())) << LastError();
    Type(ControlRunCommand, "\"run child.exe\" marker-c");
    Type(ControlRunParameter, "last");
    Click(ControlRunOk);
    std::vector<std::string> marker = WaitForMarker(folder_ + "\\marker-c");
    SetCurrentDirectoryA(previous);
    EXPECT_TRUE(ShownMessages().empty());
    ASSERT_EQ(marker.size(), 2u);
    EXPECT_EQ(Lower(WithoutTrailingBackslash(marker[0])), Lower(folder_));
    EXPECT_EQ(marker[1], "last");
}

TEST_F(RunWindowTest, UnquotedCommandWithArgumentsStartsTheProgramItBeginsWith) {
    // The program's own path has blanks too; only the reading that ends after "run child.exe" starts.
    Type(ControlRunCommand, child_ + " marker-d first");
    Type(ControlRunParameter, "");
    Click(ControlRunOk);
    EXPECT_TRUE(ShownMessages().empty()) << ShownMessages().front().text;
    std::vector<std::string> marker = WaitForMarker(folder_ + "\\marker-d");
    ASSERT_EQ(marker.size(), 2u);
    EXPECT_EQ(Lower(WithoutTrailingBackslash(marker[0])), Lower(folder_));
    EXPECT_EQ(marker[1], "first");
}

TEST_F(RunWindowTest, MissingProgramIsReportedAndTheWindowStaysOpen) {
    size_t historyBefore = RunCommandHistory().size();
    std::string command = "C:\\no such folder\\vantrel-missing.exe";
    Type(ControlRunCommand, command);
    Click(ControlRunOk);
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].title, "Vantrel");
    EXPECT_EQ(ShownMessages()[0].text, LanguageTextWith(LanguageKey::CanNotExecute, command));
    EXPECT_EQ(ShownMessages()[0].style, kMessageBoxError);
    EXPECT_TRUE(IsWindowVisible(Window()));
    EXPECT_TRUE(PeersEnabled(false));
    EXPECT_EQ(RunCommandHistory().size(), historyBefore);
    EXPECT_EQ(Text(ControlRunCommand), command);

    // An empty command does nothing at all.
    Type(ControlRunCommand, "   ");
    Click(ControlRunOk);
    EXPECT_EQ(ShownMessages().size(), 1u);
    EXPECT_TRUE(IsWindowVisible(Window()));
}

TEST_F(RunWindowTest, BrowsePutsTheChosenProgramIntoTheCommandField) {
    // The file dialog is modal: a helper thread answers it as the user would, and cancels whatever
    // it finds should the name field not take the file.
    DWORD uiThread = GetCurrentThreadId();
    std::string title = LanguageText(LanguageKey::ChooseFile);
    std::string chosen = child_;
    std::thread user([uiThread, title, chosen] {
        HWND dialog = nullptr;
        for (int waited = 0; waited < 60000 && dialog == nullptr; waited += 50) {
            Sleep(50);
            dialog = FindWindowA(nullptr, title.c_str());
            if (dialog != nullptr && GetWindowThreadProcessId(dialog, nullptr) != uiThread)
                dialog = nullptr;
        }
        if (dialog == nullptr)
            return;
        // The name field is a ComboBoxEx (cmb13) in newer dialogs and a plain edit (edt1) in older ones.
        HWND name = GetDlgItem(dialog, cmb13);
        HWND edit = name != nullptr ? reinterpret_cast<HWND>(SendMessageA(name, CBEM_GETEDITCONTROL, 0, 0))
                                    : GetDlgItem(dialog, edt1);
        SetWindowTextA(edit != nullptr ? edit : name, chosen.c_str());
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        for (int waited = 0; waited < 5000 && IsWindow(dialog); waited += 50)
            Sleep(50);
        if (IsWindow(dialog))
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    Type(ControlRunCommand, "");
    Click(ControlRunBrowse);
    user.join();
    EXPECT_EQ(Text(ControlRunCommand), "\"" + child_ + "\"");
    EXPECT_TRUE(IsWindowVisible(Window()));
}

}  // namespace

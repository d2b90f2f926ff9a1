// The main program as a user meets it: started twice, moved, maximised, closed and started again.
// These tests own the settings file of the Wine prefix's profile while they run.
#include <windows.h>

#include <commctrl.h>
#include <tlhelp32.h>
#include <wincrypt.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <string>

#include "foundation/FileSystem.h"
#include "foundation/ListViews_win.h"
#include "foundation/ProgramPaths_win.h"
#include "foundation/ScopedHandles_win.h"
#include "foundation/SettingsFile.h"
#include "main/CommandIds.h"
#include "main/database/RatingCache.h"
#include "main/database/RatingCacheFile.h"
#include "main/database/RatingLookup.h"
#include "main/processes/ProcessList_win.h"
#include "tests/harness/WineTestSupport.h"

namespace {

constexpr DWORD kStartTimeout = 30000;

// Starts vantrel.exe and waits for its main window.
HWND StartMainProgram(StartedProgram& program) {
    program = StartProgram(DistFile("vantrel.exe"), "");
    if (!program.started) {
        return nullptr;
    }
    HWND window = WaitForProcessWindow(kWindowClassName, kMainWindowTitle, program.info.dwProcessId, kStartTimeout);
    // The window shows before start-up ends; the tests act once the program waits for input, as a
    // user's first click at the earliest does.
    return window != nullptr && WaitUntilVisible(window, kStartTimeout) &&
                   WaitForInputIdle(program.info.hProcess, kStartTimeout) == 0
               ? window
               : nullptr;
}

int CountWindowsOf(DWORD processId) {
    int count = 0;
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, kWindowClassName, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        count += owner == processId;
    }
    return count;
}

void EndTrayCompanion() {
    for (int attempt = 0; attempt < 50; ++attempt) {
        HWND tray = FindWindowA(kWindowClassName, kTrayWindowTitle);
        if (tray == nullptr) {
            return;
        }
        PostMessageA(tray, kMessageQuit, 0, 0);
        Sleep(100);
    }
}

class MainProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        EndTrayCompanion();
        DeleteFileA(SettingsFilePath().c_str());
    }
    void TearDown() override {
        EndTrayCompanion();
        std::string path = SettingsFilePath();
        DeleteFileA(path.c_str());
        RemoveDirectoryA(path.substr(0, path.find_last_of('\\')).c_str());  // only when empty
    }
};

TEST_F(MainProgramTest, SecondStartBringsTheFirstWindowBackAndEndsWithoutAWindow) {
    StartedProgram first;
    HWND window = StartMainProgram(first);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(window));

    StartedProgram second = StartProgram(DistFile("vantrel.exe"), "");
    ASSERT_TRUE(second.started) << second.failure;
    // Looked for while it runs: an ended process has no windows left.
    DWORD secondId = second.info.dwProcessId;
    int windows = 0;
    for (DWORD start = GetTickCount();
         WaitForSingleObject(second.info.hProcess, 10) == WAIT_TIMEOUT && GetTickCount() - start < kStartTimeout;)
        windows = std::max(windows, CountWindowsOf(secondId));
    EXPECT_EQ(WaitForExit(second, kStartTimeout), 0);
    EXPECT_EQ(windows, 0);
    EXPECT_FALSE(IsIconic(window)) << "the running window is restored";

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(first, kStartTimeout), 0);
}

TEST_F(MainProgramTest, ASecondStartDoesNotHangOnARunningInstanceThatDoesNotAnswer) {
    // This test's thread plays a hung first instance: its mutex and a window that never gets its
    // messages handled while the test waits.
    HANDLE mutex = CreateMutexA(nullptr, FALSE, "Vantrel_Mutex");
    ASSERT_NE(mutex, nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClassName;
    RegisterClassA(&windowClass);
    HWND hung = CreateWindowExA(0, kWindowClassName, kMainWindowTitle, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(hung, nullptr);

    StartedProgram second = StartProgram(DistFile("vantrel.exe"), "");
    ASSERT_TRUE(second.started) << second.failure;
    EXPECT_EQ(WaitForExit(second, kStartTimeout), 0) << "it gave up on the hung window and ended";
    DestroyWindow(hung);
    UnregisterClassA(kWindowClassName, GetModuleHandleA(nullptr));
    CloseHandle(mutex);
}

TEST_F(MainProgramTest, QuitMessageEndsTheProgramAndSavesItsPlacement) {
    StartedProgram program;
    HWND window = StartMainProgram(program);
    ASSERT_NE(window, nullptr);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(window, nullptr, work.left + 120, work.top + 90, 700, 520, SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageA(window, kMessageQuit, 0, 0);
    ASSERT_EQ(WaitForExit(program, kStartTimeout), 0);

    SettingsFile file;
    ASSERT_TRUE(OpenSettingsFile(file, SettingsFilePath())) << "the exit saves the settings";
    SelectGroup(file, "Window");
    EXPECT_EQ(ReadSettingInteger(file, "X", 0), work.left + 120);
    EXPECT_EQ(ReadSettingInteger(file, "Y", 0), work.top + 90);
    EXPECT_EQ(ReadSettingInteger(file, "Width", 0), 700);
    EXPECT_EQ(ReadSettingInteger(file, "Height", 0), 520);
    EXPECT_EQ(ReadSettingInteger(file, "Maximized", 1), 0);
    SelectGroup(file, "General");
    EXPECT_EQ(ReadSettingInteger(file, "PreferencesRefresh1Spin", 0), 2500) << "the defaults are written too";
}

TEST_F(MainProgramTest, SavedMaximisedWindowOpensMaximisedAndRestoresToItsSavedSize) {
    SettingsFile file;
    ASSERT_TRUE(OpenOrCreateSettingsFile(file, SettingsFilePath()));
    SelectGroup(file, "Window");
    WriteSettingInteger(file, "X", 40);
    WriteSettingInteger(file, "Y", 30);
    WriteSettingInteger(file, "Width", 710);
    WriteSettingInteger(file, "Height", 530);
    WriteSettingInteger(file, "Maximized", 1);
    ASSERT_TRUE(CloseSettingsFile(file));

    StartedProgram program;
    HWND window = StartMainProgram(program);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsZoomed(window));
    SendMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, 40);
    EXPECT_EQ(frame.top, 30);
    EXPECT_EQ(frame.right - frame.left, 710);
    EXPECT_EQ(frame.bottom - frame.top, 530);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(program, kStartTimeout), 0);
}

TEST_F(MainProgramTest, WindowWithoutAValidSavedPositionIsCentred) {
    SettingsFile file;
    ASSERT_TRUE(OpenOrCreateSettingsFile(file, SettingsFilePath()));
    SelectGroup(file, "Window");
    WriteSettingInteger(file, "X", -1);
    WriteSettingInteger(file, "Y", 200);
    ASSERT_TRUE(CloseSettingsFile(file));

    StartedProgram program;
    HWND window = StartMainProgram(program);
    ASSERT_NE(window, nullptr);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, work.left + (work.right - work.left - 640) / 2);
    EXPECT_EQ(frame.top, work.top + (work.bottom - work.top - 500) / 2);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(program, kStartTimeout), 0);
}

TEST_F(MainProgramTest, DamagedPlacementStillOpensAUsableWindowAndIsSavedMended) {
    SettingsFile file;
    ASSERT_TRUE(OpenOrCreateSettingsFile(file, SettingsFilePath()));
    SelectGroup(file, "Window");
    WriteSettingInteger(file, "X", -30000);
    WriteSettingInteger(file, "Y", 40000);
    WriteSettingString(file, "Width", "wide");
    WriteSettingInteger(file, "Height", -50);
    WriteSettingInteger(file, "Maximized", 7);
    ASSERT_TRUE(CloseSettingsFile(file));

    StartedProgram program;
    HWND window = StartMainProgram(program);
    ASSERT_NE(window, nullptr);
    SendMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_GE(frame.right - frame.left, 580);
    EXPECT_GE(frame.bottom - frame.top, 465);
    EXPECT_GE(frame.left, work.left);
    EXPECT_GE(frame.top, work.top);
    EXPECT_LE(frame.right, work.right);
    EXPECT_LE(frame.bottom, work.bottom);
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForExit(program, kStartTimeout), 0);

    ASSERT_TRUE(OpenSettingsFile(file, SettingsFilePath()));
    SelectGroup(file, "Window");
    EXPECT_GE(ReadSettingInteger(file, "Width", 0), 580);
    EXPECT_GE(ReadSettingInteger(file, "Height", 0), 465);
    EXPECT_GE(ReadSettingInteger(file, "X", -99999), work.left);
    EXPECT_LT(ReadSettingInteger(file, "Y", 99999), work.bottom);
    EXPECT_EQ(ReadSettingInteger(file, "Maximized", 7), 0);
}

TEST_F(MainProgramTest, SettingsFileThatIsAFolderGivesDefaultsAndNoCrash) {
    std::string path = SettingsFilePath();
    std::string folder = path.substr(0, path.find_last_of('\\'));
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << LastError();
    StartedProgram program;
    HWND window = StartMainProgram(program);
    EXPECT_NE(window, nullptr);
    if (window != nullptr) {
        RECT frame{};
        GetWindowRect(window, &frame);
        EXPECT_EQ(frame.right - frame.left, 640);
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(WaitForExit(program, kStartTimeout), 0);
    EXPECT_TRUE(RemoveDirectoryA(path.c_str())) << "the folder in the way is left as it was";
}

int CountTrayWindows() {
    int count = 0;
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, kWindowClassName, kTrayWindowTitle)) != nullptr) {
        ++count;
    }
    return count;
}

int CountProcessesNamed(const char* name) {
    int count = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        count += lstrcmpiA(entry.szExeFile, name) == 0;
    CloseHandle(snapshot);
    return count;
}

// The companion is started before the main window is made, so a second one is already counted
// here when the main window has appeared, even if it has no window yet.
int CountTrayProcesses() {
    return CountProcessesNamed("vtlsystray.exe");
}

bool WaitForTrayCount(int expected, DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (CountTrayWindows() != expected) {
        if (GetTickCount() - start > milliseconds) {
            return false;
        }
        Sleep(50);
    }
    return true;
}

TEST_F(MainProgramTest, TrayCompanionIsStartedWhenAbsentAndNotASecondTime) {
    ASSERT_TRUE(WaitForTrayCount(0, 5000));
    StartedProgram program;
    HWND window = StartMainProgram(program);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitForTrayCount(1, kStartTimeout)) << "the tray companion was started";
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForExit(program, kStartTimeout), 0);
    Sleep(500);
    EXPECT_EQ(CountTrayWindows(), 1) << "PreferencesRemain is 1 by default: it keeps running";

    window = StartMainProgram(program);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(CountTrayProcesses(), 1) << "a running companion from the same path is not started again";
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(program, kStartTimeout), 0);
}

TEST_F(MainProgramTest, WithoutRemainTheTrayCompanionEndsWithTheMainProgram) {
    SettingsFile file;
    ASSERT_TRUE(OpenOrCreateSettingsFile(file, SettingsFilePath()));
    SelectGroup(file, "General");
    WriteSettingInteger(file, "PreferencesRemain", 0);
    ASSERT_TRUE(CloseSettingsFile(file));
    ASSERT_TRUE(WaitForTrayCount(0, 5000));

    StartedProgram program;
    HWND window = StartMainProgram(program);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitForTrayCount(1, kStartTimeout));
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForExit(program, kStartTimeout), 0);
    EXPECT_TRUE(WaitForTrayCount(0, 10000)) << "the quit message ended the tray companion";
}

}  // namespace

namespace {

struct FoundControl {
    int id;
    HWND control;
};

BOOL CALLBACK FindControl(HWND child, LPARAM found) {
    FoundControl& wanted = *reinterpret_cast<FoundControl*>(found);
    if (GetDlgCtrlID(child) != wanted.id)
        return TRUE;
    wanted.control = child;
    return FALSE;
}

HWND ControlOf(HWND window, int id) {
    FoundControl found{id, nullptr};
    EnumChildWindows(window, FindControl, reinterpret_cast<LPARAM>(&found));
    return found.control;
}

}  // namespace

TEST_F(MainProgramTest, ProcessColumnsFollowTheSettingsAndTheirWidthsAreSavedAtExit) {
    SettingsFile file;
    ASSERT_TRUE(OpenOrCreateSettingsFile(file, SettingsFilePath()));
    SelectGroup(file, "Column");
    WriteSettingInteger(file, "PreferencesShow4", 0);  // the priority column, list column 5
    SelectGroup(file, "ColumnWidth");
    WriteSettingInteger(file, "PreferencesColumnWidth0", 150);
    WriteSettingInteger(file, "PreferencesColumnWidth5", 77);
    ASSERT_TRUE(CloseSettingsFile(file));

    StartedProgram program;
    HWND window = StartMainProgram(program);
    ASSERT_NE(window, nullptr);
    HWND list = ControlOf(window, ControlProcessList);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(HeaderItemCount(ListViewHeader(list)), 21) << "22 columns, one of them hidden";
    EXPECT_EQ(ListViewColumnWidth(list, 0), 150);
    // The user widens the last column, the file path, and leaves.
    SetListViewColumnWidth(list, 20, 333);
    PostMessageA(window, kMessageQuit, 0, 0);
    ASSERT_EQ(WaitForExit(program, kStartTimeout), 0);

    ASSERT_TRUE(OpenSettingsFile(file, SettingsFilePath()));
    SelectGroup(file, "Column");
    EXPECT_EQ(ReadSettingInteger(file, "PreferencesShow4", 1), 0);
    SelectGroup(file, "ColumnWidth");
    EXPECT_EQ(ReadSettingInteger(file, "PreferencesColumnWidth0", 0), 150);
    EXPECT_EQ(ReadSettingInteger(file, "PreferencesColumnWidth5", 0), 200) << "a hidden column comes back 200 wide";
    EXPECT_EQ(ReadSettingInteger(file, "PreferencesColumnWidth21", 0), 333);
    CloseSettingsFile(file);
}

namespace {

// The SHA-1 of a file from the system's CryptoAPI, apart from the program's own hashing.
std::string Sha1OfFile(const std::string& path) {
    std::string hex;
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (file.valid() && CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT) &&
        CryptCreateHash(provider, CALG_SHA1, 0, 0, &hash)) {
        BYTE block[65536];
        DWORD read = 0;
        while (ReadFile(file.get(), block, sizeof(block), &read, nullptr) && read > 0)
            CryptHashData(hash, block, read, 0);
        BYTE digest[20];
        DWORD length = sizeof(digest);
        if (CryptGetHashParam(hash, HP_HASHVAL, digest, &length, 0))
            for (DWORD i = 0; i < length; ++i)
                hex += "0123456789abcdef"[digest[i] >> 4], hex += "0123456789abcdef"[digest[i] & 15];
    }
    if (hash != 0)
        CryptDestroyHash(hash);
    if (provider != 0)
        CryptReleaseContext(provider, 0);
    return hex;
}

// One cell of a list view in another process: the item and its text buffer live in that process
// while the list fills them.
std::string RemoteListCell(HWND list, HANDLE process, int item, int column) {
    constexpr SIZE_T kTextLength = 512;
    char* remote =
        static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(LVITEMA) + kTextLength, MEM_COMMIT, PAGE_READWRITE));
    if (remote == nullptr)
        return "";
    LVITEMA cell{};
    cell.iSubItem = column;
    cell.pszText = remote + sizeof(LVITEMA);
    cell.cchTextMax = kTextLength;
    char text[kTextLength] = {};
    if (WriteProcessMemory(process, remote, &cell, sizeof(cell), nullptr))
        SendMessageA(list, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process, remote + sizeof(LVITEMA), text, kTextLength - 1, nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return text;
}

}  // namespace

// A process that ran before the program started is rated from the saved cache in the first fill.
TEST_F(MainProgramTest, TheFirstFillShowsRatingsOfTheSavedCache) {
    char own[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, own, MAX_PATH);
    RatingEntry entry;
    entry.hash = Sha1OfFile(own);
    ASSERT_EQ(entry.hash.size(), kRatingHashLength);
    entry.rating = kRatingTrustworthyProgramValue;
    entry.known = 1;
    entry.description = "rated before the start";
    entry.lastUsed = entry.queried = static_cast<int32_t>(LocalEpochSeconds(std::time(nullptr)));
    RatingCache cache;
    cache.entries.push_back(entry);
    const std::string cachePath = DistFile(kRatingCacheFileName);
    ASSERT_EQ(SaveRatingCache(cache, cachePath), RatingSaveResult::Saved);
    // A server nobody answers at: only the cache can rate.
    SettingsFile file;
    ASSERT_TRUE(OpenOrCreateSettingsFile(file, SettingsFilePath()));
    SelectGroup(file, "Database");
    WriteSettingString(file, "DatabaseServerHost", "127.0.0.1");
    WriteSettingInteger(file, "DatabaseServerPort", 1);
    ASSERT_TRUE(CloseSettingsFile(file));

    StartedProgram program;
    HWND window = StartMainProgram(program);
    ASSERT_NE(window, nullptr);
    HWND list = ControlOf(window, ControlProcessList);
    ASSERT_NE(list, nullptr);
    const std::string name = FileNameOfPath(own);
    std::string description = "(no row)";
    const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row)
        if (RemoteListCell(list, program.info.hProcess, row, 0) == name)
            description = RemoteListCell(list, program.info.hProcess, row, 2);
    EXPECT_EQ(description, "rated before the start") << rows << " rows";
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(program, kStartTimeout), 0);
    DeleteFileA(cachePath.c_str());
}

// The tree check box shows the saved choice from the start, so that one click changes it.
TEST_F(MainProgramTest, TheTreeCheckBoxFollowsTheSettingsAndOneClickTurnsTheTreeOn) {
    for (int saved : {1, 0}) {
        SettingsFile file;
        ASSERT_TRUE(OpenOrCreateSettingsFile(file, SettingsFilePath()));
        SelectGroup(file, "General");
        WriteSettingInteger(file, "PreferencesPPIDView", saved);
        ASSERT_TRUE(CloseSettingsFile(file));

        StartedProgram program;
        HWND window = StartMainProgram(program);
        ASSERT_NE(window, nullptr);
        HWND box = ControlOf(window, ControlProcessTree);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), saved ? BST_CHECKED : BST_UNCHECKED) << saved;
        SendMessageA(box, BM_CLICK, 0, 0);
        PostMessageA(window, kMessageQuit, 0, 0);
        ASSERT_EQ(WaitForExit(program, kStartTimeout), 0);

        ASSERT_TRUE(OpenSettingsFile(file, SettingsFilePath()));
        SelectGroup(file, "General");
        EXPECT_EQ(ReadSettingInteger(file, "PreferencesPPIDView", -1), saved ? 0 : 1) << "one click, saved at exit";
        CloseSettingsFile(file);
    }
}

// With the default Sticky setting the window stays on top: after start-up, after the Run window
// was shown and hidden again, and after a restore.
TEST_F(MainProgramTest, AStickyWindowIsTopmostAfterStartUpTheRunWindowAndARestore) {
    auto topmost = [](HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    for (int start = 0; start < 3; ++start) {
        StartedProgram program;
        HWND window = StartMainProgram(program);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(topmost(window)) << "start " << start;
        if (start == 0) {
            SendMessageA(window, WM_COMMAND, CommandRun, 0);
            HWND run = nullptr;
            for (int i = 0; i < 50 && run == nullptr; ++i, Sleep(100)) {
                HWND candidate = nullptr;
                while ((candidate = FindWindowExA(nullptr, candidate, "VantrelSecondary", nullptr)) != nullptr) {
                    if (IsWindowVisible(candidate) && GetWindow(candidate, GW_OWNER) == window)
                        run = candidate;
                }
            }
            ASSERT_NE(run, nullptr) << "the Run window opens";
            SendMessageA(run, WM_CLOSE, 0, 0);
            EXPECT_TRUE(topmost(window)) << "after the Run window";
            ShowWindow(window, SW_MINIMIZE);
            ShowWindow(window, SW_RESTORE);
            EXPECT_TRUE(topmost(window)) << "after a restore";
        }
        PostMessageA(window, kMessageQuit, 0, 0);
        ASSERT_EQ(WaitForExit(program, kStartTimeout), 0);
    }
    SettingsFile file;
    ASSERT_TRUE(OpenOrCreateSettingsFile(file, SettingsFilePath()));
    SelectGroup(file, "General");
    WriteSettingInteger(file, "PreferencesSticky", 0);
    ASSERT_TRUE(CloseSettingsFile(file));
    StartedProgram program;
    HWND window = StartMainProgram(program);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(topmost(window)) << "not sticky";
    PostMessageA(window, kMessageQuit, 0, 0);
    ASSERT_EQ(WaitForExit(program, kStartTimeout), 0);
}

namespace {

// The title of the preferences window in the German language file.
std::string GermanPreferencesTitle() {
    char text[128] = {};
    GetPrivateProfileStringA("Content", "Preferences", "", text, sizeof(text),
                             DistFile("Language\\Deutsch.ini").c_str());
    return text;
}

// Opens the running program's preferences, chooses German, presses OK and answers the question
// about the restart with `answer` (IDYES or IDNO), as the user's clicks do.
void ChooseGermanAndAnswer(HWND window, DWORD processId, int answer) {
    PostMessageA(window, WM_COMMAND, CommandPreferences, 0);
    HWND preferences = WaitForProcessWindow("VantrelSecondary", "Preferences", processId, kStartTimeout);
    ASSERT_TRUE(preferences != nullptr && WaitUntilVisible(preferences, kStartTimeout));
    HWND chooser = GetDlgItem(GetDlgItem(preferences, ControlPreferencesPage1), ControlPreferencesLanguage);
    ASSERT_NE(SendMessageA(chooser, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Deutsch")),
              CB_ERR);
    PostMessageA(preferences, WM_COMMAND, ControlPreferencesOk, 0);
    HWND question = WaitForProcessWindow("#32770", nullptr, processId, kStartTimeout);
    ASSERT_NE(question, nullptr) << "the restart is asked about";
    PostMessageA(question, WM_COMMAND, answer, 0);
}

}  // namespace

TEST_F(MainProgramTest, ANewLanguageAnsweredNoKeepsTheTextsAndTheNextStartUsesIt) {
    const std::string german = GermanPreferencesTitle();
    ASSERT_FALSE(german.empty());
    StartedProgram program;
    HWND window = StartMainProgram(program);
    ASSERT_NE(window, nullptr);
    ChooseGermanAndAnswer(window, program.info.dwProcessId, IDNO);
    Sleep(500);
    EXPECT_NE(WaitForProcessWindow("VantrelSecondary", "Preferences", program.info.dwProcessId, 1000), nullptr);
    EXPECT_EQ(WaitForProcessWindow("VantrelSecondary", german.c_str(), program.info.dwProcessId, 100), nullptr);
    PostMessageA(window, kMessageQuit, 0, 0);
    ASSERT_EQ(WaitForExit(program, kStartTimeout), 0);

    window = StartMainProgram(program);
    ASSERT_NE(window, nullptr);
    EXPECT_NE(WaitForProcessWindow("VantrelSecondary", german.c_str(), program.info.dwProcessId, 1000), nullptr);
    PostMessageA(window, kMessageQuit, 0, 0);
    EXPECT_EQ(WaitForExit(program, kStartTimeout), 0);
}

TEST_F(MainProgramTest, ANewLanguageAnsweredYesRestartsIntoItWithOneInstance) {
    const std::string german = GermanPreferencesTitle();
    StartedProgram program;
    HWND window = StartMainProgram(program);
    ASSERT_NE(window, nullptr);
    ChooseGermanAndAnswer(window, program.info.dwProcessId, IDYES);
    ASSERT_EQ(WaitForExit(program, kStartTimeout), 0) << "the old instance ends";

    HWND restarted = nullptr;
    DWORD restartedId = 0;
    for (DWORD start = GetTickCount(); restarted == nullptr && GetTickCount() - start < kStartTimeout; Sleep(100)) {
        restarted = FindWindowA(kWindowClassName, kMainWindowTitle);
        if (restarted != nullptr)
            GetWindowThreadProcessId(restarted, &restartedId);
    }
    ASSERT_NE(restarted, nullptr) << "a new instance started";
    ASSERT_TRUE(WaitUntilVisible(restarted, kStartTimeout));
    EXPECT_EQ(CountProcessesNamed("vantrel.exe"), 1);
    EXPECT_NE(WaitForProcessWindow("VantrelSecondary", german.c_str(), restartedId, 1000), nullptr);
    EXPECT_EQ(CountTrayProcesses(), 1) << "the new instance has its companion";

    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, restartedId);
    PostMessageA(restarted, kMessageQuit, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process, kStartTimeout), WAIT_OBJECT_0);
    CloseHandle(process);
}

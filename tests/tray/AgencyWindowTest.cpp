// The agency windows and the agency pass inside the test process, driven as clicks and the loop
// drive them; the tray area is the program's seam, so balloons land in a list.
#include <windows.h>

#include <winsock.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "foundation/ListViews_win.h"
#include "foundation/SettingsFile.h"
#include "main/LibraryTable_win.h"
#include "main/autoruns/Link_win.h"
#include "main/processes/ProcessLayer_win.h"
#include "tests/harness/TemporaryFolder.h"
#include "tests/harness/TestSupport.h"
#include "tests/harness/WineTestSupport.h"
#include "tray/TrayPlugIns_win.h"
#include "tray/TrayProgram_win.h"
#include "tray/TrayStartup_win.h"
#include "tray/agencies/AgencyRuntime_win.h"
#include "tray/agencies/AgencyWindows_win.h"

namespace {

using namespace std::string_literals;

struct ShownBalloon {
    std::string text;
    DWORD icon;
};
std::vector<ShownBalloon> g_balloons;

BOOL WINAPI RecordNotifyIcon(DWORD action, PNOTIFYICONDATAA data) {
    if (action == NIM_MODIFY && (data->uFlags & NIF_INFO)) {
        g_balloons.push_back({data->szInfo, data->dwInfoFlags});
    }
    return TRUE;
}
SHORT WINAPI NoKeys(int) {
    return 0;
}

std::string ChildProgram() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + "agency-child.exe";
}

std::string AllBalloons() {
    std::string all;
    for (const ShownBalloon& balloon : g_balloons) {
        all += balloon.text + "\n";
    }
    return all;
}

bool BalloonMentions(const std::string& text) {
    for (const ShownBalloon& balloon : g_balloons) {
        if (balloon.text.find(text) != std::string::npos) {
            return true;
        }
    }
    return false;
}

class AgencyWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseSourceLanguage();
        RecordMessageBoxes(kAnswerNo);
        TrayShell() = {RecordNotifyIcon, NoKeys, nullptr, nullptr};
        g_balloons.clear();
        Tray().preferences = TrayPreferences{};
        Tray().settingsPath = folder_.File("vantrel.ini");
        Tray().startTick = GetTickCount();
        OpenLibraryTable();
        InitProcessLayer();
        ASSERT_TRUE(CreateTrayWindows(GetModuleHandleA(nullptr)));
    }
    void TearDown() override {
        StopAgencies();
        DestroyTrayWindows();
        FreeProcessLayer();
    }

    // A copy of the child program under another name, in a folder of its own.
    std::string Child(const std::string& folder, const std::string& name) {
        std::string target = folder_.File(folder);
        CreateDirectoryA(target.c_str(), nullptr);
        target += "\\" + name;
        EXPECT_TRUE(CopyFileA(ChildProgram().c_str(), target.c_str(), FALSE)) << LastError();
        return target;
    }

    TemporaryFolder folder_;
};

TEST_F(AgencyWindowTest, ListsButtonsAndTheRemoveQuestion) {
    folder_.Write("agency.dat", "\0A\1\1\1\1C:\\a.exe\1\r\n\0B\1\1-p\1\1C:\\b.exe\1\r\n"s + "\2game.exe\1\1\r\n");
    std::string link = AutostartLinkPath();
    DeleteFileA(link.c_str());
    StartAgencies();
    HWND list = AgencyControlOf(AgencyKind::SystemStart, AgencyControl::List);
    HWND remove = AgencyControlOf(AgencyKind::SystemStart, AgencyControl::Remove);
    ASSERT_EQ(ListViewItemCount(list), 2);
    EXPECT_EQ(ListViewItemText(list, 1, 2), "-p");
    EXPECT_EQ(ListViewItemText(list, 1, 5), "X");  // not started at logon: done from the start
    EXPECT_EQ(ListViewItemCount(AgencyControlOf(AgencyKind::Avoid, AgencyControl::List)), 1);
    EXPECT_FALSE(IsWindowEnabled(remove));

    SetListViewItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_TRUE(IsWindowEnabled(remove));
    EXPECT_TRUE(IsWindowEnabled(AgencyControlOf(AgencyKind::SystemStart, AgencyControl::Edit)));
    SendMessageA(remove, BM_CLICK, 0, 0);  // answered No
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].title, "Exec Agency");
    EXPECT_EQ(ShownMessages()[0].text, "Do you really want to remove the agency \"B\"?");
    EXPECT_EQ(ListViewItemCount(list), 2);

    AnswerQuestionsWith(kAnswerYes);
    SendMessageA(remove, BM_CLICK, 0, 0);
    EXPECT_EQ(ListViewItemCount(list), 1);
    EXPECT_EQ(folder_.Read("agency.dat"), "\0A\1\1\1\1C:\\a.exe\1\r\n"s + "\2game.exe\1\1\r\n");
    SettingsFile settings;
    ASSERT_TRUE(OpenSettingsFile(settings, Tray().settingsPath));
    SelectGroup(settings, "General");
    EXPECT_EQ(ReadSettingInteger(settings, "PreferencesAutorun", 0), 1);
    EXPECT_NE(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES) << "no autostart link";

    // Emptied, the file stays and the link is not made again.
    SetListViewItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageA(remove, BM_CLICK, 0, 0);
    DeleteFileA(link.c_str());
    HWND avoidList = AgencyControlOf(AgencyKind::Avoid, AgencyControl::List);
    SetListViewItemState(avoidList, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageA(AgencyControlOf(AgencyKind::Avoid, AgencyControl::Remove), BM_CLICK, 0, 0);
    EXPECT_EQ(ShownMessages().back().title, "Avoid Agency");
    EXPECT_EQ(folder_.Read("agency.dat"), "");
    EXPECT_EQ(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(IsWindowEnabled(remove));
}

TEST_F(AgencyWindowTest, AvoidedProcessesEndWithoutTheirNewProcessBalloon) {
    std::string before = Child("old", "agency-avoid.exe");
    std::string avoided = Child("new", "agency-avoid.exe");
    std::string other = Child("new", "agency-other.exe");
    folder_.Write("agency.dat", "\2agency-avoid.exe\1\1\r\n");
    StartedProgram running = StartProgram(before, "sleep 30000");
    ASSERT_TRUE(running.started) << running.failure;
    StartAgencies();

    StartedProgram target = StartProgram(avoided, "sleep 30000");
    StartedProgram bystander = StartProgram(other, "sleep 30000");
    ASSERT_TRUE(target.started && bystander.started);
    for (int pass = 0; pass < 40 && !BalloonMentions("agency-other.exe was"); ++pass) {
        RunAgencyPass(false);
        Sleep(100);
    }
    EXPECT_EQ(WaitForExit(target, 5000), static_cast<long>(kAvoidExitCode));
    EXPECT_TRUE(BalloonMentions(avoided + " was ended by the avoid agency."));
    EXPECT_TRUE(BalloonMentions("agency-other.exe was started by Vantrel tray companion.")) << AllBalloons();
    EXPECT_FALSE(BalloonMentions("agency-avoid.exe was started")) << "announced though ended";
    EXPECT_EQ(WaitForSingleObject(running.info.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT))
        << "a process running before the start was ended";
    TerminateProcess(running.info.hProcess, 0);
    TerminateProcess(bystander.info.hProcess, 0);
    WaitForExit(running, 5000);
    WaitForExit(bystander, 5000);
}

TEST_F(AgencyWindowTest, InternetProbeOnLoopbackAndConditionFiles) {
    WSADATA data;
    ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
    SOCKET server = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = inet_addr("127.0.0.1");
    ASSERT_EQ(bind(server, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_EQ(listen(server, 1), 0);
    int length = sizeof(address);
    getsockname(server, reinterpret_cast<sockaddr*>(&address), &length);
    InternetProbeTarget target{"127.0.0.1", ntohs(address.sin_port)};
    EXPECT_TRUE(ProbeInternet(target, kAvoidProbeMilliseconds));
    closesocket(server);
    EXPECT_FALSE(ProbeInternet(target, kAvoidProbeMilliseconds)) << "nobody listens any more";
    WSACleanup();

    // The target comes from the settings file.
    folder_.Write("vantrel.ini",
                  "[Systray]\r\nPreferencesInternetProbeHost=127.0.0.1\r\nPreferencesInternetProbePort=9\r\n");
    InternetProbeTarget read = ReadInternetProbeTarget(Tray().settingsPath);
    EXPECT_EQ(read.host + ":" + std::to_string(read.port), "127.0.0.1:9");

    folder_.Write("empty.txt", "");
    folder_.Write("full.txt", "x");
    ConditionInputs inputs = SystemConditionInputs();
    EXPECT_EQ(inputs.fileSize(folder_.File("empty.txt")), 0);
    EXPECT_EQ(inputs.fileSize(folder_.File("full.txt")), 1);
    EXPECT_EQ(inputs.fileSize(folder_.Path()), kFileSizeDirectory);
    EXPECT_EQ(inputs.fileSize(folder_.File("none")), kFileSizeMissing);
    EXPECT_GT(inputs.driveSpace().totalBytes, inputs.driveSpace().freeBytes);
    EXPECT_GT(inputs.memory().totalBytes, 0u);
    EXPECT_FALSE(inputs.userName().empty());
}

}  // namespace

// The tray companion's SMART monitor in the test process, fed by the simulation folder: the start-up
// round with its new log, a round of the loop after a sector changed, a log put aside at its limit,
// and "smart.dat" written by the menu's Close only. Balloons go to the recording tray seam. (The
// selection's way from the main program's check boxes is tested with the SMART view.)
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/FileSystem.h"
#include "hardware/SmartSimulation.h"
#include "main/CommandIds.h"
#include "tests/hardware/SmartSamples.h"
#include "tests/harness/TemporaryFolder.h"
#include "tests/harness/TestSupport.h"
#include "tray/TrayMenu.h"
#include "tray/TrayPlugIns_win.h"
#include "tray/TrayProgram_win.h"
#include "tray/TrayStartup_win.h"
#include "tray/smart/SmartMonitorTable.h"

namespace {

std::vector<std::string> g_balloons;  // title and text of each

BOOL WINAPI RecordNotifyIcon(DWORD action, PNOTIFYICONDATAA data) {
    if (action == NIM_MODIFY && (data->uFlags & NIF_INFO) && data->uID == 0 && data->dwInfoFlags == NIIF_WARNING) {
        g_balloons.push_back(std::string(data->szInfoTitle) + "|" + data->szInfo);
    }
    return TRUE;
}

SampleDrive Drive(uint8_t powerOnCurrent, uint64_t reallocated) {
    SampleDrive drive = SampleDriveBySource("check_smart-3");
    for (SampleAttribute& attribute : drive.attributes) {
        if (attribute.id == 9)
            attribute.current = powerOnCurrent;
        if (attribute.id == 5)
            attribute.raw = reallocated;
    }
    return drive;
}

// The lines the log gained since `before` characters.
std::string LogSince(const TemporaryFolder& data, size_t before) {
    std::string log;
    ReadWholeFile(data.File("smart0.log"), log);
    return log.size() > before ? log.substr(before) : std::string();
}

void RunDueRound() {
    Tray().stamps.smartLog = GetTickCount() - 60001;
    RunTrayTasks();
}

void DropQuitMessage() {
    MSG message;
    PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

class SmartMonitorWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseSourceLanguage();
        RecordMessageBoxes();
        TrayShell() = {RecordNotifyIcon, GetAsyncKeyState, ChooseColorA, ChangeDisplaySettingsExA};
        g_balloons.clear();
        Tray().preferences = TrayPreferences{};
        Tray().settingsPath = data_.File("vantrel.ini");
        SetEnvironmentVariableA(kSmartFolderVariable, drives_.Path().c_str());
        ASSERT_TRUE(CreateTrayWindows(GetModuleHandleA(nullptr)));
    }
    void TearDown() override {
        DestroyTrayWindows();
        SetEnvironmentVariableA(kSmartFolderVariable, nullptr);
    }

    TemporaryFolder data_;
    TemporaryFolder drives_;
};

TEST_F(SmartMonitorWinTest, RoundsLogWatchedChanges) {
    ASSERT_TRUE(WriteSampleDriveFiles(drives_.Path(), 0, Drive(83, 0)));
    data_.Write("vantrel.ini", "[SMARTMonitoring]\r\nDrive0=5,9\r\n");

    // No "smart.dat": every watched value changes from 0, and the new log starts with these lines,
    // then the table. Six changes make one balloon.
    StartSmartMonitoring();
    std::string log = LogSince(data_, 0);
    ASSERT_NE(log.find(": Reallocated Sectors Count [Threshold]: 36 (+36)\r\n"), std::string::npos) << log;
    EXPECT_LT(log.find(": Power-On Hours [Raw Value]: 15261 (+15261)\r\n"), log.find("Description:"));
    EXPECT_EQ(log.substr(log.size() - 5), "-\r\n\r\n");
    ASSERT_EQ(g_balloons.size(), 1u);
    EXPECT_EQ(g_balloons[0].rfind("Information (", 0), 0u) << g_balloons[0];
    EXPECT_NE(g_balloons[0].find("|Drive #0 (Seagate (check_smart #3)): \nReallocated Sectors Count [Threshold]"),
              std::string::npos)
        << g_balloons[0];

    // A round of the loop after two sectors changed: two lines, two balloons, no table.
    ASSERT_TRUE(WriteSampleDriveFiles(drives_.Path(), 0, Drive(82, 2)));
    g_balloons.clear();
    size_t before = log.size();
    RunDueRound();
    log = LogSince(data_, before);
    EXPECT_NE(log.find(": Power-On Hours [Current Value]: 82 (-1)\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find(": Reallocated Sectors Count [Raw Value]: 2 (+2)\r\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("Description:"), std::string::npos);
    EXPECT_EQ(g_balloons.size(), 2u);
}

TEST_F(SmartMonitorWinTest, FullLogIsPutAsideAndTheTableSavedOnlyByClose) {
    ASSERT_TRUE(WriteSampleDriveFiles(drives_.Path(), 0, Drive(83, 0)));
    data_.Write("vantrel.ini", "[SMARTMonitoring]\r\nDrive0=5\r\n");
    Tray().preferences.PreferencesMonitorSMARTBalloon = 0;
    const std::string full(10000001, 'x');
    data_.Write("smart0.log", full);
    // A "smart.dat" of the last run: its previous values count, its stale watch flags do not.
    SmartMonitorTable previous{};
    previous[0].monitored = 1;
    previous[0].watched[9] = 1;
    previous[0].threshold[5] = 36;
    previous[0].current[5] = 100;
    previous[0].worst[5] = 100;
    previous[0].raw[5] = 1;
    previous[0].current[9] = 1;
    data_.Write("smart.dat", EncodeSmartMonitorTable(previous));

    StartSmartMonitoring();
    std::string old;
    ASSERT_TRUE(ReadWholeFile(data_.File("smart0.log.1"), old));
    EXPECT_EQ(old.size(), full.size());
    const std::string log = LogSince(data_, 0);
    EXPECT_EQ(log.find(": Reallocated Sectors Count [Raw Value]: 0 (-1)\r\n"), 17u) << log;  // the only change
    EXPECT_NE(log.find("\r\nDescription:"), std::string::npos);
    EXPECT_TRUE(g_balloons.empty());

    // The main program's quit leaves "smart.dat" as it was; the menu's Close writes it.
    SendMessageA(Tray().window, kMessageQuit, 0, 0);
    DropQuitMessage();
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(data_.File("smart.dat"), bytes));
    EXPECT_EQ(bytes, EncodeSmartMonitorTable(previous));
    SendMessageA(Tray().window, WM_COMMAND, TrayCommandClose, 0);
    DropQuitMessage();
    ASSERT_TRUE(ReadWholeFile(data_.File("smart.dat"), bytes));
    SmartMonitorTable saved{};
    ASSERT_TRUE(DecodeSmartMonitorTable(bytes, saved));
    EXPECT_EQ(saved[0].raw[5], 0);
    EXPECT_EQ(saved[0].current[9], 83);
    EXPECT_EQ(saved[0].watched[9], 0);
    EXPECT_EQ(saved[0].watched[5], 1);
}

}  // namespace

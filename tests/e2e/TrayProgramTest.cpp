// The real tray companion under Wine: its single instance and its start of the main program.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "foundation/FileSystem.h"
#include "foundation/ProgramPaths_win.h"
#include "hardware/SmartSimulation.h"
#include "main/CommandIds.h"
#include "tests/hardware/SmartSamples.h"
#include "tests/harness/TemporaryFolder.h"
#include "tests/harness/WineTestSupport.h"
#include "tray/TrayMenu.h"
#include "tray/smart/SmartMonitorTable.h"

namespace {

int g_activations = 0;

LRESULT CALLBACK StandInMainWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kMessageActivate) {
        ++g_activations;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void PumpMessagesFor(DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        Sleep(20);
    }
}

void RemoveSettingsFile() {
    std::string settings = SettingsFilePath();
    DeleteFileA(settings.c_str());
    RemoveDirectoryA(settings.substr(0, settings.find_last_of('\\')).c_str());
}

// A companion that an earlier test's main program started would be this test's first instance.
void EndRunningTrayCompanion() {
    for (int attempt = 0; attempt < 100; ++attempt) {
        HWND tray = FindWindowA(kWindowClassName, kTrayWindowTitle);
        if (tray == nullptr) {
            return;
        }
        PostMessageA(tray, kMessageQuit, 0, 0);
        Sleep(100);
    }
}

TEST(TrayProgram, SecondInstanceAsksTheMainWindowForwardAndEnds) {
    RemoveSettingsFile();  // without settings the tray does not start the main program
    EndRunningTrayCompanion();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = StandInMainWindow;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClassName;
    RegisterClassA(&windowClass);
    HWND main = CreateWindowA(kWindowClassName, kMainWindowTitle, WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(main, nullptr) << LastError();

    StartedProgram first = StartProgram(DistFile("vtlsystray.exe"), "");
    ASSERT_TRUE(first.started) << first.failure;
    HWND tray = WaitForProcessWindow(kWindowClassName, kTrayWindowTitle, first.info.dwProcessId, 30000);
    ASSERT_NE(tray, nullptr);

    StartedProgram second = StartProgram(DistFile("vtlsystray.exe"), "-Autorun");
    ASSERT_TRUE(second.started) << second.failure;
    EXPECT_EQ(WaitForExit(second, 30000), 0);
    PumpMessagesFor(500);
    EXPECT_EQ(g_activations, 1);
    EXPECT_EQ(WaitForSingleObject(first.info.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the first one ended";

    PostMessageA(tray, kMessageQuit, 0, 0);
    EXPECT_EQ(WaitForExit(first, 30000), 0);
    DestroyWindow(main);
}

TEST(TrayProgram, StartsTheMainProgramUnlessItRemains) {
    std::string settings = SettingsFilePath();
    CreateDirectoryA(settings.substr(0, settings.find_last_of('\\')).c_str(), nullptr);
    std::ofstream(settings) << "[General]\r\nPreferencesRemain=0\r\n";

    StartedProgram tray = StartProgram(DistFile("vtlsystray.exe"), "");
    ASSERT_TRUE(tray.started) << tray.failure;
    HWND main = nullptr;
    for (int attempt = 0; attempt < 300 && main == nullptr; ++attempt) {
        Sleep(100);
        main = FindWindowA(kWindowClassName, kMainWindowTitle);
    }
    EXPECT_NE(main, nullptr) << "the tray companion did not start vantrel.exe";
    if (main == nullptr) {
        PostMessageA(WaitForProcessWindow(kWindowClassName, kTrayWindowTitle, tray.info.dwProcessId, 1000),
                     kMessageQuit, 0, 0);
    } else {
        // The main program, closed, takes the tray companion with it, as it does not remain.
        PostMessageA(main, WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(WaitForExit(tray, 30000), 0);
    for (int attempt = 0; attempt < 100 && FindWindowA(kWindowClassName, kMainWindowTitle) != nullptr; ++attempt) {
        Sleep(100);
    }
    RemoveSettingsFile();
}

// The companion killed at any moment of saving its table leaves the old table or the new one, whole.
TEST(TrayProgram, KilledWhileSavingLeavesAWholeSmartTable) {
    EndRunningTrayCompanion();
    TemporaryFolder drives;
    SetEnvironmentVariableA(kSmartFolderVariable, drives.Path().c_str());
    ASSERT_TRUE(WriteSampleDriveFiles(drives.Path(), 0, SampleDriveBySource("qiita-i386")));
    const std::string settings = SettingsFilePath();
    const std::string data = settings.substr(0, settings.find_last_of('\\'));
    const std::string table = JoinPath(data, kSmartMonitorFileName);
    CreateFolderPath(data);
    std::ofstream(settings) << "[General]\r\nPreferencesRemain=1\r\n[Systray]\r\nPreferencesMonitorSMARTBalloon=0\r\n["
                               "SMARTMonitoring]\r\nDrive0=5,194\r\n";
    SmartMonitorTable old{};
    old[0].raw[5] = 12345;
    ASSERT_TRUE(WriteFileAtomically(table, EncodeSmartMonitorTable(old)));

    for (DWORD delay : {0, 10, 30, 60, 120}) {
        StartedProgram tray = StartProgram(DistFile("vtlsystray.exe"), "");
        ASSERT_TRUE(tray.started) << tray.failure;
        HWND window = WaitForProcessWindow(kWindowClassName, kTrayWindowTitle, tray.info.dwProcessId, 30000);
        ASSERT_NE(window, nullptr);
        PostMessageA(window, WM_COMMAND, TrayCommandClose, 0);
        Sleep(delay);
        TerminateProcess(tray.info.hProcess, 9);
        WaitForExit(tray, 30000);
        std::string bytes;
        ASSERT_TRUE(ReadWholeFile(table, bytes));
        SmartMonitorTable read{};
        ASSERT_TRUE(DecodeSmartMonitorTable(bytes, read)) << "after " << delay << " ms: " << bytes.size() << " bytes";
        EXPECT_TRUE(read[0].raw[5] == 12345 || read[0].raw[194] == 10) << delay;
    }
    SetEnvironmentVariableA(kSmartFolderVariable, nullptr);
    DeleteFileA(table.c_str());
    DeleteFileA(JoinPath(data, "smart0.log").c_str());
    RemoveSettingsFile();
}

}  // namespace

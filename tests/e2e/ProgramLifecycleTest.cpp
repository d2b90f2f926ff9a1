// Starts the real programs under Wine and drives them only through window messages, as the other
// program and the user's system do.
#include <gtest/gtest.h>

#include <string>

#include "foundation/ProgramPaths_win.h"
#include "main/CommandIds.h"
#include "tests/harness/WineTestSupport.h"

namespace {

const char kWindowClass[] = "WindowClass_0";

TEST(ProgramLifecycle, MainWindowOpensAndClosesOnWmClose) {
    StartedProgram program = StartProgram(DistFile("vantrel.exe"), "");
    ASSERT_TRUE(program.started) << program.failure;
    HWND window = WaitForProcessWindow(kWindowClass, "Vantrel", program.info.dwProcessId, 30000);
    ASSERT_NE(window, nullptr) << "no window of class WindowClass_0 titled Vantrel appeared";
    EXPECT_TRUE(WaitUntilVisible(window, 30000));

    ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0)) << LastError();
    EXPECT_EQ(WaitForExit(program, 30000), 0) << "vantrel.exe did not end after WM_CLOSE";
    // It saved its settings on the way out; the profile is left as the other tests expect it.
    std::string settings = SettingsFilePath();
    DeleteFileA(settings.c_str());
    RemoveDirectoryA(settings.substr(0, settings.find_last_of('\\')).c_str());

    // The main program started its tray companion; end it, as its own quit message does.
    for (int attempt = 0; attempt < 100; ++attempt) {
        HWND tray = FindWindowA(kWindowClass, "Vantrel Systray Window");
        if (tray == nullptr) {
            break;
        }
        PostMessageA(tray, kMessageQuit, 0, 0);
        Sleep(100);
    }
}

TEST(ProgramLifecycle, TrayWindowIsHiddenAndEndsOnQuitMessage) {
    StartedProgram program = StartProgram(DistFile("vtlsystray.exe"), "");
    ASSERT_TRUE(program.started) << program.failure;
    HWND window = WaitForProcessWindow(kWindowClass, "Vantrel Systray Window", program.info.dwProcessId, 30000);
    ASSERT_NE(window, nullptr) << "no window titled Vantrel Systray Window appeared";
    EXPECT_FALSE(IsWindowVisible(window));

    ASSERT_TRUE(PostMessageA(window, kMessageQuit, 0, 0)) << LastError();
    EXPECT_EQ(WaitForExit(program, 30000), 0) << "vtlsystray.exe did not end after the quit message";
}

}  // namespace

#pragma once
// The real main window inside a test process, as the GUI tests of the shell start it: the English
// texts, nothing on top, the rating database connected, the processes view shown.
#include <windows.h>

#include <gtest/gtest.h>

#include "main/MainWindow_win.h"
#include "main/MainWindows_win.h"
#include "main/ProgramDatabase_win.h"
#include "main/ProgramModel.h"
#include "main/Views_win.h"
#include "tests/harness/TestSupport.h"

inline void CreateMainWindowsForTest() {
    UseSourceLanguage();
    g_program.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    g_program.preferences.PreferencesSticky = 0;
    ASSERT_TRUE(CreateMainWindows(GetModuleHandleA(nullptr)));
    ConnectRatingDatabase();  // the autorun list rates its targets, as at start-up
    SwitchView(ViewProcesses, true);
    ShowMainWindow();
}

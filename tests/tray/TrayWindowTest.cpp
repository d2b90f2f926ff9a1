// The tray companion's windows created inside the test process and driven through the messages
// that the shell, the menu and the keyboard send. The tray area, the key state, the colour dialog,
// display changes and power actions go through the program's seams, so nothing here touches the
// machine.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/Language.h"
#include "foundation/SettingsFile.h"
#include "main/SystemPower_win.h"
#include "tests/harness/TemporaryFolder.h"
#include "tests/harness/TestSupport.h"
#include "tests/harness/WineTestSupport.h"
#include "tray/OpacityBar_win.h"
#include "tray/TrayIcons_win.h"
#include "tray/TrayMenu.h"
#include "tray/TrayProgram_win.h"
#include "tray/TrayStartup_win.h"

namespace {

struct Call {
    std::string what;
    unsigned first;
    unsigned second;
};
std::vector<Call> g_calls;
SHORT g_keysDown = 0;  // what the key-state seam answers for right Alt and right Ctrl
COLORREF g_chosenColour = 0;

BOOL WINAPI RecordNotifyIcon(DWORD action, PNOTIFYICONDATAA data) {
    g_calls.push_back({"NotifyIcon", static_cast<unsigned>(action), data->uID});
    return TRUE;
}
SHORT WINAPI AnswerKeyState(int key) {
    return key == VK_RMENU || key == VK_RCONTROL ? g_keysDown : 0;
}
BOOL WINAPI ChooseWhite(LPCHOOSECOLORA choice) {
    choice->rgbResult = g_chosenColour;
    return TRUE;
}
LONG WINAPI RecordDisplayChange(LPCSTR device, DEVMODEA* mode, HWND, DWORD flags, LPVOID) {
    g_calls.push_back({std::string("ChangeDisplay ") + device, mode->dmPelsWidth, flags});
    return DISP_CHANGE_SUCCESSFUL;
}
BOOL WINAPI RecordExitWindows(UINT flags, DWORD reason) {
    g_calls.push_back({"ExitWindowsEx", flags, reason});
    return TRUE;
}
BOOL WINAPI RecordPowerState(BOOL suspend, BOOL force) {
    g_calls.push_back({"SetSystemPowerState", static_cast<unsigned>(suspend), static_cast<unsigned>(force)});
    return TRUE;
}
BOOL WINAPI RecordLock() {
    g_calls.push_back({"LockWorkStation", 0, 0});
    return TRUE;
}

// The icons that the recorded calls leave in the tray, by index.
std::vector<bool> IconsInTray() {
    std::vector<bool> shown(kTrayIconCount, false);
    for (const Call& call : g_calls) {
        if (call.what == "NotifyIcon" && call.second < kTrayIconCount) {
            shown[call.second] = call.first != NIM_DELETE;
        }
    }
    return shown;
}

HMENU Submenu(HMENU menu, const std::string& text) {
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        char title[256] = {};
        GetMenuStringA(menu, static_cast<UINT>(position), title, sizeof(title), MF_BYPOSITION);
        if (text == title) {
            return GetSubMenu(menu, position);
        }
    }
    return nullptr;
}

void Command(int command) {
    SendMessageA(Tray().window, WM_COMMAND, static_cast<WPARAM>(command), 0);
}

class TrayWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseSourceLanguage();
        RecordMessageBoxes();
        TrayShell() = {RecordNotifyIcon, AnswerKeyState, ChooseWhite, RecordDisplayChange};
        SystemPower() = {RecordExitWindows, RecordPowerState, RecordLock};
        g_calls.clear();
        Tray().preferences = TrayPreferences{};
        Tray().settingsPath = folder_.File("vantrel.ini");
        ASSERT_TRUE(CreateTrayWindows(GetModuleHandleA(nullptr)));
    }
    void TearDown() override { DestroyTrayWindows(); }

    int SettingInFile(const char* key) {
        SettingsFile file;
        if (!OpenSettingsFile(file, Tray().settingsPath)) {
            return -1;
        }
        SelectGroup(file, "Systray");
        return ReadSettingInteger(file, key, -2);
    }

    TemporaryFolder folder_;
};

TEST_F(TrayWindowTest, IconsComeGoAndReturnWithTheShell) {
    EXPECT_EQ(IconsInTray(), (std::vector<bool>{true, false, false}));  // the program icon first
    RefreshTrayIcons();
    EXPECT_EQ(IconsInTray(), (std::vector<bool>{true, true, true}));
    Command(TrayCommandShowNetworkUsage);
    EXPECT_EQ(IconsInTray(), (std::vector<bool>{true, false, true}));

    // Explorer restarted: every icon shown is added to the new tray, the hidden one is not.
    g_calls.clear();
    SendMessageA(Tray().window, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ASSERT_EQ(g_calls.size(), 2u);
    EXPECT_EQ(g_calls[0].first, static_cast<unsigned>(NIM_ADD));
    EXPECT_EQ(g_calls[1].first, static_cast<unsigned>(NIM_ADD));
    EXPECT_EQ(g_calls[1].second, 2u);
}

TEST_F(TrayWindowTest, TogglesWriteAnExistingSettingsFileOnly) {
    Command(TrayCommandAutoSlowDown);
    EXPECT_EQ(Tray().preferences.PreferencesAutoSlowDown, 0);
    EXPECT_EQ(GetFileAttributesA(Tray().settingsPath.c_str()), INVALID_FILE_ATTRIBUTES) << "a settings file appeared";

    folder_.Write("vantrel.ini", "[General]\r\nPreferencesRemain=1\r\n");
    Command(TrayCommandAutoSlowDown);
    EXPECT_EQ(SettingInFile("PreferencesAutoSlowDown"), 1);
    Command(TrayCommandMonitorSmart);
    EXPECT_EQ(SettingInFile("PreferencesMonitorSMART"), 0);
    EXPECT_EQ(SettingInFile("PreferencesMonitorSMARTBalloon"), 0);
    EXPECT_EQ(GetMenuState(Tray().menu, TrayCommandMonitorSmartBalloon, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED),
              static_cast<UINT>(MF_GRAYED));

    // White chosen in the colour dialog is kept one step off the icons' transparent white.
    g_chosenColour = 0xFFFFFF;
    SendMessageA(Tray().colourWindow, WM_LBUTTONUP, 0, MAKELPARAM(115, 55));  // the RAM swatch
    EXPECT_EQ(SettingInFile("PreferencesColorRAM"), 0xFFFFFE);
    SendMessageA(Tray().colourWindow, WM_COMMAND, 101, 0);  // its Default button
    EXPECT_EQ(SettingInFile("PreferencesColorRAM"), 0x00FFFF);
}

TEST_F(TrayWindowTest, PowerEntriesReachTheSeam) {
    Command(TrayCommandShutdown);
    Command(TrayCommandReboot);
    Command(TrayCommandStandby);
    Command(TrayCommandHibernate);
    Command(TrayCommandLogoff);
    Command(TrayCommandLock);
    ASSERT_EQ(g_calls.size(), 7u);  // after the first icon's
    EXPECT_EQ(g_calls[1].first, static_cast<unsigned>(EWX_POWEROFF));
    EXPECT_EQ(g_calls[2].first, static_cast<unsigned>(EWX_REBOOT));
    EXPECT_EQ(g_calls[3].what + std::to_string(g_calls[3].first), "SetSystemPowerState1");
    EXPECT_EQ(g_calls[4].what + std::to_string(g_calls[4].first), "SetSystemPowerState0");
    EXPECT_EQ(g_calls[5].what + std::to_string(g_calls[5].first), "ExitWindowsEx" + std::to_string(EWX_LOGOFF));
    EXPECT_EQ(g_calls[6].what, "LockWorkStation");

    char user[257] = {};
    DWORD length = sizeof(user);
    ASSERT_TRUE(GetUserNameA(user, &length)) << LastError();
    HMENU windows = Submenu(Tray().menu, "Windows");
    ASSERT_NE(windows, nullptr);
    char text[256] = {};
    GetMenuStringA(windows, TrayCommandLogoff, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_EQ(std::string(text), "Log Off " + std::string(user));
}

TEST_F(TrayWindowTest, DisplayModesMatchTheDisplay) {
    DEVMODEA current{};
    current.dmSize = sizeof(current);
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current));
    std::vector<std::string> expected;
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    for (DWORD number = 0; EnumDisplaySettingsA(nullptr, number, &mode); ++number) {
        // Wine lists its modes at the default rate (0) while the current one names 60 Hz.
        bool sameRate = mode.dmDisplayFrequency == current.dmDisplayFrequency || mode.dmDisplayFrequency <= 1;
        if (mode.dmBitsPerPel == current.dmBitsPerPel && sameRate) {
            expected.push_back(std::to_string(mode.dmPelsWidth) + " x " + std::to_string(mode.dmPelsHeight));
        }
    }
    HMENU windows = Submenu(Tray().menu, "Windows");
    ASSERT_NE(windows, nullptr);
    HMENU monitor = GetSubMenu(windows, GetMenuItemCount(windows) - 1);
    HMENU resolutions = Submenu(monitor, "Resolution");
    ASSERT_NE(resolutions, nullptr);
    std::vector<std::string> listed;
    int checked = -1;
    for (int position = 0; position < GetMenuItemCount(resolutions); ++position) {
        char text[64] = {};
        GetMenuStringA(resolutions, static_cast<UINT>(position), text, sizeof(text), MF_BYPOSITION);
        listed.push_back(text);
        if (GetMenuState(resolutions, static_cast<UINT>(position), MF_BYPOSITION) & MF_CHECKED) {
            checked = position;
        }
    }
    EXPECT_EQ(listed, expected);
    // The current size is checked; a display whose current size is none of its modes (Wine's on a
    // virtual screen of another size) has no check mark.
    std::string now = std::to_string(current.dmPelsWidth) + " x " + std::to_string(current.dmPelsHeight);
    auto found = std::find(expected.begin(), expected.end(), now);
    EXPECT_EQ(checked, found == expected.end() ? -1 : static_cast<int>(found - expected.begin()));
    ASSERT_FALSE(listed.empty());

    g_calls.clear();
    Command(static_cast<int>(GetMenuItemID(resolutions, 0)));
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].what.rfind("ChangeDisplay \\\\.\\DISPLAY", 0), 0u) << g_calls[0].what;
    EXPECT_EQ(std::to_string(g_calls[0].first), listed[0].substr(0, listed[0].find(' ')));
    EXPECT_EQ(g_calls[0].second, static_cast<unsigned>(CDS_UPDATEREGISTRY));
}

TEST_F(TrayWindowTest, OpacityBarSetsTheForegroundWindowsAlpha) {
    HWND target = CreateWindowExA(0, "STATIC", "opacity target", WS_POPUP | WS_VISIBLE, 50, 50, 200, 100, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(target, nullptr) << LastError();
    SetForegroundWindow(target);
    if (GetForegroundWindow() != target) {
        DestroyWindow(target);
        GTEST_SKIP() << "the test window could not come to the front";
    }
    SetCursorPos(100, 100);
    g_keysDown = static_cast<SHORT>(0x8000);
    PollOpacityHotKey();
    EXPECT_TRUE(IsWindowVisible(Tray().opacityBar));
    SetCursorPos(375, 100);
    PollOpacityHotKey();
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(target, nullptr, &alpha, &flags)) << LastError();
    EXPECT_EQ(alpha, 26);
    SetCursorPos(90, 100);  // left of the start: level 0, the layered style goes
    PollOpacityHotKey();
    EXPECT_EQ(GetWindowLongA(target, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    g_keysDown = 0;
    PollOpacityHotKey();
    EXPECT_FALSE(IsWindowVisible(Tray().opacityBar));
    DestroyWindow(target);
}

}  // namespace

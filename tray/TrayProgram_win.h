#pragma once
// The tray companion's state for the whole run, and the calls that tests replace: the tray area,
// the key state, the colour dialog and display mode changes (power actions go through the shared
// SystemPower table).

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

#include <string>

#include "foundation/PreferencesDefaults.h"
#include "tray/DisplayModes.h"
#include "tray/NetworkTotals.h"
#include "tray/OpacityHotKey.h"
#include "tray/TrayIconPixels.h"
#include "tray/TraySchedule.h"

constexpr int kTrayIconCount = 3;  // hardware, network, values
constexpr UINT kTrayIconMessage = WM_APP + 1;

struct TrayProgram {
    HINSTANCE instance = nullptr;
    DWORD startTick = 0;
    bool autorun = false;
    std::string settingsPath;
    TrayPreferences preferences;

    HWND window = nullptr;
    HWND opacityBar = nullptr;
    HWND colourWindow = nullptr;
    HMENU menu = nullptr;
    UINT taskbarCreatedMessage = 0;
    HFONT smallFont = nullptr;  // Tahoma 8 pt
    HFONT labelFont = nullptr;  // Arial 10 pt

    TrayStamps stamps;
    NetworkTotalsSampler network;
    DisplayModeTable displayModes;

    HICON programIcon = nullptr;
    HICON optimizeIcon = nullptr;
    HICON icons[kTrayIconCount] = {};
    bool iconAdded[kTrayIconCount] = {};
    std::string tooltip;  // of the hardware icon

    OpacityState opacity;
    HWND opacityTarget = nullptr;
};

TrayProgram& Tray();

struct TrayShellFunctions {
    BOOL(WINAPI* notifyIcon)(DWORD action, PNOTIFYICONDATAA data);
    SHORT(WINAPI* asyncKeyState)(int key);
    BOOL(WINAPI* chooseColour)(LPCHOOSECOLORA choice);
    LONG(WINAPI* changeDisplaySettings)(LPCSTR device, DEVMODEA* mode, HWND, DWORD flags, LPVOID);
};

TrayShellFunctions& TrayShell();

// Writes one Systray setting when the settings file exists; the tray companion never creates it.
void WriteTrayPreference(const char* key, int value);
// Starts "vantrel.exe" from this program's folder; failures are not reported.
void StartMainProgram();

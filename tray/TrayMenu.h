#pragma once
// The tray icon's context menu: its commands, its entries top to bottom, the toggles with the
// settings they flip, and the icon colours of the colour window.

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/Language.h"
#include "foundation/PreferencesDefaults.h"

// The menu's commands. The display-mode entries of the "Windows" submenu take the identifiers from
// kFirstDisplayModeCommand on, so these stay below it.
enum TrayCommand : int {
    TrayCommandShowMain = 1,
    TrayCommandOptimizeAll = 2,
    TrayCommandAutoShowStart = 3,
    TrayCommandAutoSlowDown = 4,
    TrayCommandMonitorSmart = 5,
    TrayCommandMonitorSmartBalloon = 6,
    TrayCommandShowSmartLogs = 7,
    TrayCommandShowHardwareUsage = 8,
    TrayCommandShowNetworkUsage = 9,
    TrayCommandShowValues = 10,
    TrayCommandSelectColors = 11,
    TrayCommandShutdown = 12,
    TrayCommandReboot = 13,
    TrayCommandStandby = 14,
    TrayCommandHibernate = 15,
    TrayCommandLogoff = 16,
    TrayCommandLock = 17,
    TrayCommandShowExecAgency = 18,
    TrayCommandWizardSystem = 19,
    TrayCommandWizardProgram = 20,
    TrayCommandShowAvoidAgency = 21,
    TrayCommandWizardAvoid = 22,
    TrayCommandHelp = 23,
    TrayCommandClose = 24,
};

enum class TrayEntryKind { Command, Toggle, Separator, WindowsSubmenu };

struct TrayMenuEntry {
    TrayEntryKind kind;
    int command;
    LanguageKey text;
    bool ellipsis;  // "..." after the text
    int icon;       // resource of the 16 x 16 image
};

// Top to bottom; the "Windows" entry stands for the submenu of power actions and display modes.
const std::vector<TrayMenuEntry>& TrayMenuEntries();
// The entry's text as shown.
std::string TrayMenuText(const TrayMenuEntry& entry);

// The power entries of the "Windows" submenu, top to bottom (log off gets the user's name).
const std::vector<TrayMenuEntry>& TrayPowerEntries();

// The setting a toggle flips, or null for other commands.
int* ToggleSetting(TrayPreferences& preferences, int command);
const char* ToggleSettingKey(int command);
// Whether the toggle's entry is checked and enabled for these settings.
bool ToggleChecked(const TrayPreferences& preferences, int command);
bool ToggleEnabled(const TrayPreferences& preferences, int command);

struct SettingChange {
    const char* key;
    int value;
};
// Flips the toggle; SMART warnings go off with SMART logging and can only be turned on while it
// is on. The settings to write, in order; none when nothing changed.
std::vector<SettingChange> FlipToggle(TrayPreferences& preferences, int command);
// Whether the toggle changes what the icons show, so they are drawn again at once.
bool ToggleRedrawsIcons(int command);

// The colour window's five colours, top to bottom.
constexpr int kIconColourCount = 5;
struct IconColourSetting {
    LanguageKey label;
    const char* key;
    int TrayPreferences::*member;
    int defaultColour;
};
const IconColourSetting (&IconColourSettings())[kIconColourCount];

// Pure white is the icons' transparent background, so a chosen white is kept one step off it.
int StoredIconColour(uint32_t chosen);

#pragma once

#include <array>
#include <bitset>
#include <string>
#include <string_view>

#include "foundation/SettingsFile.h"

// Every setting of the settings file with its default, for both programs. The structs start out
// holding the defaults; reading a setting passes the current value as the default, so a missing
// key keeps it.

constexpr char kSettingsFolderName[] = "Vantrel";
constexpr char kSettingsFileName[] = "vantrel.ini";

constexpr char kDefaultSearchString[] = "http://www.google.com/search?q=%22<%1>%22";

// The rating server: the local machine until the user names another, so an account's password
// never goes to a host nobody chose.
constexpr char kDefaultDatabaseServerHost[] = "localhost";
constexpr int kDefaultDatabaseServerPort = 80;

constexpr int kColumnFlagCount = 21;          // PreferencesShow0 .. 20, for process-list columns 1 .. 21
constexpr int kColumnWidthCount = 22;         // PreferencesColumnWidth0 .. 21
constexpr int kHiddenColumnSavedWidth = 200;  // a hidden column comes back this wide
constexpr std::array<int, kColumnWidthCount> kDefaultColumnWidths = {200, 100, 150, 150, 60, 60, 80, 80, 80,  45,  45,
                                                                     110, 100, 100, 100, 60, 60, 60, 60, 100, 100, 200};

constexpr std::array<int, kColumnFlagCount> kDefaultColumnFlags = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
                                                                   1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

constexpr int kMonitoredDriveCount = 16;  // SMARTMonitoring Drive0 .. Drive15
constexpr int kSmartAttributeNumbers = 256;

// The SMART monitoring selection: the watched attribute numbers of each drive; a drive with none is
// not monitored.
using SmartSelection = std::array<std::bitset<kSmartAttributeNumbers>, kMonitoredDriveCount>;

struct MainWindowPlacement {
    int X = -1;  // the window is centred unless both X and Y differ from -1
    int Y = -1;
    int Width = 640;
    int Height = 500;
    int Maximized = 0;
};

// The main program's settings (groups General, Window, Column, ColumnWidth, Database).
struct MainPreferences {
    int PreferencesAutorun = 1;
    int PreferencesRemain = 1;
    int PreferencesReactivateExplorer = 0;
    int PreferencesOptimize = 1;
    int PreferencesSticky = 1;
    int PreferencesWindowTitle = 1;
    int PreferencesCPUPerProcess = 1;
    int PreferencesUseComma = 0;
    int PreferencesPPIDView = 1;
    int PreferencesUseDatabase = 1;
    std::string PreferencesLanguageFile;  // empty means the default language file
    int PreferencesExitCodeSpin = 1067;
    std::string PreferencesSearchString = kDefaultSearchString;
    int PreferencesRefresh1Spin = 2500;
    int PreferencesRefresh2Spin = 500;

    MainWindowPlacement Window;
    std::array<int, kColumnFlagCount> PreferencesShow = kDefaultColumnFlags;
    std::array<int, kColumnWidthCount> PreferencesColumnWidth = kDefaultColumnWidths;

    std::string DatabaseAccountName;
    std::string DatabaseAccountPassword;
    // Where the shared ratings live. Kept in the file only when they differ from these defaults,
    // so a file without an account still loses its Database group as before.
    std::string DatabaseServerHost = kDefaultDatabaseServerHost;
    int DatabaseServerPort = kDefaultDatabaseServerPort;

    SmartSelection SMARTMonitoring{};  // group SMARTMonitoring, chosen in the SMART view
};

// The tray companion's settings: a few shared keys and its own group Systray.
struct TrayPreferences {
    int PreferencesRemain = 1;  // 1 without a settings file; 0 when the file exists without the key
    std::string PreferencesLanguageFile;
    int PreferencesAutoSlowDown = 1;
    int PreferencesMonitorSMART = 1;
    int PreferencesMonitorSMARTBalloon = 1;
    int PreferencesAutoShowStart = 1;
    int PreferencesShowHardwareUsage = 1;
    int PreferencesShowNetworkUsage = 1;
    int PreferencesShowValues = 1;
    int PreferencesColorCPU = 16777214;  // colours are 0x00BBGGRR
    int PreferencesColorRAM = 65535;
    int PreferencesColorSwap = 65535;
    int PreferencesColorNetInput = 65280;
    int PreferencesColorNetOutput = 255;
};

// Reads groups General, Column, ColumnWidth (only when columnWidths is set), SMARTMonitoring and Database in the
// file's order. When the language had to fall back to the default file, PreferencesLanguageFile
// says so, so that the next save stops the fallback message. Forcing PreferencesReactivateExplorer
// off on newer Windows versions is up to the caller.
void ReadMainPreferences(SettingsFile& file, MainPreferences& preferences, bool columnWidths);
void ReadMainWindowPlacement(SettingsFile& file, MainWindowPlacement& window);

// Writes groups General, Window, Column, ColumnWidth and SMARTMonitoring, and Database only when an account is set
// (the group is removed otherwise).
void WriteMainPreferences(SettingsFile& file, const MainPreferences& preferences);
// Group Database alone (the account and the server), as WriteMainPreferences writes it: the account
// dialog saves the account at once, so that nothing reads the file's older one back over it.
void WriteDatabaseSettings(SettingsFile& file, const MainPreferences& preferences);

// Reads the tray companion's settings; a missing file keeps every default.
void ReadTrayPreferences(const std::string& settingsPath, TrayPreferences& preferences);
// Writes one key of group Systray, only when the settings file exists. False when nothing was written.
bool WriteTraySetting(const std::string& settingsPath, std::string_view key, int value);

// The SMART monitoring selection of one drive: attribute numbers, ascending, joined by ",".
// Numbers outside 0 .. 255 and pieces without digits are ignored.
std::bitset<kSmartAttributeNumbers> ParseMonitoredAttributes(std::string_view text);
std::string FormatMonitoredAttributes(const std::bitset<kSmartAttributeNumbers>& attributes);

// Group SMARTMonitoring, keys Drive0 .. Drive15. Every drive's key is read, whether or not the drive
// answers now, so that a disk that is briefly missing keeps its selection; a missing or empty key
// is a drive without one.
void ReadSmartSelection(SettingsFile& file, SmartSelection& selection);
// Writes the list of every monitored drive and removes the keys of the others.
void WriteSmartSelection(SettingsFile& file, const SmartSelection& selection);

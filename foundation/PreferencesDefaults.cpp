#include "foundation/PreferencesDefaults.h"

#include "foundation/DecimalText.h"
#include "foundation/Language.h"

namespace {

// Group General in the order the file holds it; each key is either a number or a text.
struct GeneralSetting {
    const char* key;
    int MainPreferences::*number;
    std::string MainPreferences::*text;
};

constexpr GeneralSetting kGeneralSettings[] = {
    {"PreferencesAutorun", &MainPreferences::PreferencesAutorun, nullptr},
    {"PreferencesRemain", &MainPreferences::PreferencesRemain, nullptr},
    {"PreferencesReactivateExplorer", &MainPreferences::PreferencesReactivateExplorer, nullptr},
    {"PreferencesOptimize", &MainPreferences::PreferencesOptimize, nullptr},
    {"PreferencesSticky", &MainPreferences::PreferencesSticky, nullptr},
    {"PreferencesWindowTitle", &MainPreferences::PreferencesWindowTitle, nullptr},
    {"PreferencesCPUPerProcess", &MainPreferences::PreferencesCPUPerProcess, nullptr},
    {"PreferencesUseComma", &MainPreferences::PreferencesUseComma, nullptr},
    {"PreferencesPPIDView", &MainPreferences::PreferencesPPIDView, nullptr},
    {"PreferencesUseDatabase", &MainPreferences::PreferencesUseDatabase, nullptr},
    {"PreferencesLanguageFile", nullptr, &MainPreferences::PreferencesLanguageFile},
    {"PreferencesExitCodeSpin", &MainPreferences::PreferencesExitCodeSpin, nullptr},
    {"PreferencesSearchString", nullptr, &MainPreferences::PreferencesSearchString},
    {"PreferencesRefresh1Spin", &MainPreferences::PreferencesRefresh1Spin, nullptr},
    {"PreferencesRefresh2Spin", &MainPreferences::PreferencesRefresh2Spin, nullptr},
};

struct TraySetting {
    const char* key;
    int TrayPreferences::*number;
};

constexpr TraySetting kTraySettings[] = {
    {"PreferencesAutoSlowDown", &TrayPreferences::PreferencesAutoSlowDown},
    {"PreferencesMonitorSMART", &TrayPreferences::PreferencesMonitorSMART},
    {"PreferencesMonitorSMARTBalloon", &TrayPreferences::PreferencesMonitorSMARTBalloon},
    {"PreferencesAutoShowStart", &TrayPreferences::PreferencesAutoShowStart},
    {"PreferencesShowHardwareUsage", &TrayPreferences::PreferencesShowHardwareUsage},
    {"PreferencesShowNetworkUsage", &TrayPreferences::PreferencesShowNetworkUsage},
    {"PreferencesShowValues", &TrayPreferences::PreferencesShowValues},
    {"PreferencesColorCPU", &TrayPreferences::PreferencesColorCPU},
    {"PreferencesColorRAM", &TrayPreferences::PreferencesColorRAM},
    {"PreferencesColorSwap", &TrayPreferences::PreferencesColorSwap},
    {"PreferencesColorNetInput", &TrayPreferences::PreferencesColorNetInput},
    {"PreferencesColorNetOutput", &TrayPreferences::PreferencesColorNetOutput},
};

// A piece such as "x5" would read as 0; only pieces that begin with a number count.
bool StartsWithNumber(std::string_view piece) {
    size_t first = piece.find_first_not_of(" \t");
    if (first != std::string_view::npos && (piece[first] == '+' || piece[first] == '-'))
        ++first;
    return first < piece.size() && piece[first] >= '0' && piece[first] <= '9';
}

std::string NumberedKey(const char* prefix, int number) {
    return prefix + std::to_string(number);
}

}  // namespace

void ReadMainPreferences(SettingsFile& file, MainPreferences& preferences, bool columnWidths) {
    SelectGroup(file, "General");
    for (const GeneralSetting& setting : kGeneralSettings) {
        if (setting.number)
            preferences.*setting.number = ReadSettingInteger(file, setting.key, preferences.*setting.number);
        else
            preferences.*setting.text = ReadSettingString(file, setting.key, preferences.*setting.text);
    }
    if (CurrentLanguage().fellBackToDefault)
        preferences.PreferencesLanguageFile = kDefaultLanguageFile;

    SelectGroup(file, "Column");
    for (int n = 0; n < kColumnFlagCount; ++n) {
        int& shown = preferences.PreferencesShow[n];
        shown = ReadSettingInteger(file, NumberedKey("PreferencesShow", n), shown);
    }
    if (columnWidths) {
        SelectGroup(file, "ColumnWidth");
        for (int n = 0; n < kColumnWidthCount; ++n) {
            int& width = preferences.PreferencesColumnWidth[n];
            width = ReadSettingInteger(file, NumberedKey("PreferencesColumnWidth", n), width);
        }
    }
    ReadSmartSelection(file, preferences.SMARTMonitoring);
    SelectGroup(file, "Database");
    preferences.DatabaseAccountName = ReadSettingString(file, "DatabaseAccountName", preferences.DatabaseAccountName);
    preferences.DatabaseAccountPassword =
        ReadSettingString(file, "DatabaseAccountPassword", preferences.DatabaseAccountPassword);
    preferences.DatabaseServerHost = ReadSettingString(file, "DatabaseServerHost", preferences.DatabaseServerHost);
    preferences.DatabaseServerPort = ReadSettingInteger(file, "DatabaseServerPort", preferences.DatabaseServerPort);
    if (preferences.DatabaseServerHost.empty()) {
        preferences.DatabaseServerHost = kDefaultDatabaseServerHost;
    }
    if (preferences.DatabaseServerPort < 1 || preferences.DatabaseServerPort > 65535) {
        preferences.DatabaseServerPort = kDefaultDatabaseServerPort;
    }
}

void ReadMainWindowPlacement(SettingsFile& file, MainWindowPlacement& window) {
    SelectGroup(file, "Window");
    window.X = ReadSettingInteger(file, "X", window.X);
    window.Y = ReadSettingInteger(file, "Y", window.Y);
    window.Width = ReadSettingInteger(file, "Width", window.Width);
    window.Height = ReadSettingInteger(file, "Height", window.Height);
    window.Maximized = ReadSettingInteger(file, "Maximized", window.Maximized);
}

void WriteMainPreferences(SettingsFile& file, const MainPreferences& preferences) {
    SelectGroup(file, "General");
    for (const GeneralSetting& setting : kGeneralSettings) {
        if (setting.number)
            WriteSettingInteger(file, setting.key, preferences.*setting.number);
        else
            WriteSettingString(file, setting.key, preferences.*setting.text);
    }

    SelectGroup(file, "Window");
    WriteSettingInteger(file, "X", preferences.Window.X);
    WriteSettingInteger(file, "Y", preferences.Window.Y);
    WriteSettingInteger(file, "Width", preferences.Window.Width);
    WriteSettingInteger(file, "Height", preferences.Window.Height);
    WriteSettingInteger(file, "Maximized", preferences.Window.Maximized);

    SelectGroup(file, "Column");
    for (int n = 0; n < kColumnFlagCount; ++n)
        WriteSettingInteger(file, NumberedKey("PreferencesShow", n), preferences.PreferencesShow[n]);

    SelectGroup(file, "ColumnWidth");
    for (int n = 0; n < kColumnWidthCount; ++n) {
        int width = preferences.PreferencesColumnWidth[n];
        WriteSettingInteger(file, NumberedKey("PreferencesColumnWidth", n),
                            width == 0 ? kHiddenColumnSavedWidth : width);
    }

    WriteSmartSelection(file, preferences.SMARTMonitoring);
    WriteDatabaseSettings(file, preferences);
}

void WriteDatabaseSettings(SettingsFile& file, const MainPreferences& preferences) {
    bool account = !preferences.DatabaseAccountName.empty() || !preferences.DatabaseAccountPassword.empty();
    bool defaultHost = preferences.DatabaseServerHost == kDefaultDatabaseServerHost;
    bool defaultPort = preferences.DatabaseServerPort == kDefaultDatabaseServerPort;
    if (!account && defaultHost && defaultPort) {
        RemoveSettingGroup(file, "Database");
        return;
    }
    SelectGroup(file, "Database");
    if (account) {
        WriteSettingString(file, "DatabaseAccountName", preferences.DatabaseAccountName);
        WriteSettingString(file, "DatabaseAccountPassword", preferences.DatabaseAccountPassword);
    } else {
        RemoveSettingKey(file, "DatabaseAccountName");
        RemoveSettingKey(file, "DatabaseAccountPassword");
    }
    if (defaultHost) {
        RemoveSettingKey(file, "DatabaseServerHost");
    } else {
        WriteSettingString(file, "DatabaseServerHost", preferences.DatabaseServerHost);
    }
    if (defaultPort) {
        RemoveSettingKey(file, "DatabaseServerPort");
    } else {
        WriteSettingInteger(file, "DatabaseServerPort", preferences.DatabaseServerPort);
    }
}

void ReadTrayPreferences(const std::string& settingsPath, TrayPreferences& preferences) {
    SettingsFile file;
    if (!OpenSettingsFile(file, settingsPath))
        return;
    SelectGroup(file, "General");
    preferences.PreferencesRemain = ReadSettingInteger(file, "PreferencesRemain", 0);
    SelectGroup(file, "Systray");
    for (const TraySetting& setting : kTraySettings)
        preferences.*setting.number = ReadSettingInteger(file, setting.key, preferences.*setting.number);
    SelectGroup(file, "General");
    preferences.PreferencesLanguageFile =
        ReadSettingString(file, "PreferencesLanguageFile", preferences.PreferencesLanguageFile);
    CloseSettingsFile(file);
}

bool WriteTraySetting(const std::string& settingsPath, std::string_view key, int value) {
    SettingsFile file;
    if (!OpenSettingsFile(file, settingsPath))
        return false;
    SelectGroup(file, "Systray");
    WriteSettingInteger(file, key, value);
    return CloseSettingsFile(file);
}

std::bitset<kSmartAttributeNumbers> ParseMonitoredAttributes(std::string_view text) {
    std::bitset<kSmartAttributeNumbers> attributes;
    while (!text.empty()) {
        size_t comma = text.find(',');
        std::string_view piece = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        if (!StartsWithNumber(piece))
            continue;
        long long number = ReadLeadingInteger(piece);
        if (number >= 0 && number < kSmartAttributeNumbers)
            attributes.set(static_cast<size_t>(number));
    }
    return attributes;
}

std::string FormatMonitoredAttributes(const std::bitset<kSmartAttributeNumbers>& attributes) {
    std::string text;
    for (size_t number = 0; number < attributes.size(); ++number) {
        if (!attributes.test(number))
            continue;
        if (!text.empty())
            text += ',';
        text += std::to_string(number);
    }
    return text;
}

void ReadSmartSelection(SettingsFile& file, SmartSelection& selection) {
    SelectGroup(file, "SMARTMonitoring");
    for (int drive = 0; drive < kMonitoredDriveCount; ++drive)
        selection[drive] = ParseMonitoredAttributes(ReadSettingString(file, NumberedKey("Drive", drive), ""));
}

void WriteSmartSelection(SettingsFile& file, const SmartSelection& selection) {
    SelectGroup(file, "SMARTMonitoring");
    for (int drive = 0; drive < kMonitoredDriveCount; ++drive) {
        if (selection[drive].any())
            WriteSettingString(file, NumberedKey("Drive", drive), FormatMonitoredAttributes(selection[drive]));
        else
            RemoveSettingKey(file, NumberedKey("Drive", drive));
    }
}

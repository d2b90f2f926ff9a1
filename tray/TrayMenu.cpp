#include "tray/TrayMenu.h"

#include "resources/ResourceIds.h"

namespace {

struct ToggleRule {
    int command;
    const char* key;
    int TrayPreferences::*member;
};

constexpr ToggleRule kToggles[] = {
    {TrayCommandAutoShowStart, "PreferencesAutoShowStart", &TrayPreferences::PreferencesAutoShowStart},
    {TrayCommandAutoSlowDown, "PreferencesAutoSlowDown", &TrayPreferences::PreferencesAutoSlowDown},
    {TrayCommandMonitorSmart, "PreferencesMonitorSMART", &TrayPreferences::PreferencesMonitorSMART},
    {TrayCommandMonitorSmartBalloon, "PreferencesMonitorSMARTBalloon",
     &TrayPreferences::PreferencesMonitorSMARTBalloon},
    {TrayCommandShowHardwareUsage, "PreferencesShowHardwareUsage", &TrayPreferences::PreferencesShowHardwareUsage},
    {TrayCommandShowNetworkUsage, "PreferencesShowNetworkUsage", &TrayPreferences::PreferencesShowNetworkUsage},
    {TrayCommandShowValues, "PreferencesShowValues", &TrayPreferences::PreferencesShowValues},
};

const ToggleRule* FindToggle(int command) {
    for (const ToggleRule& rule : kToggles) {
        if (rule.command == command) {
            return &rule;
        }
    }
    return nullptr;
}

constexpr TrayMenuEntry Separator() {
    return {TrayEntryKind::Separator, 0, LanguageKey::Close, false, 0};
}

}  // namespace

const std::vector<TrayMenuEntry>& TrayMenuEntries() {
    using K = TrayEntryKind;
    using L = LanguageKey;
    static const std::vector<TrayMenuEntry> entries = {
        {K::Command, TrayCommandShowMain, L::ShowVTL, false, IDR_PNG_MENU_START},
        Separator(),
        {K::Command, TrayCommandOptimizeAll, L::OptimizeAllProcesses, false, IDR_PNG_MENU_OPTIMIZE},
        {K::Toggle, TrayCommandAutoShowStart, L::AutoShowStart, false, IDR_PNG_MENU_INFORMATION},
        {K::Toggle, TrayCommandAutoSlowDown, L::AutoSlowDown, false, IDR_PNG_MENU_PAUSE},
        Separator(),
        {K::Toggle, TrayCommandMonitorSmart, L::MonitorSMART, false, IDR_PNG_MENU_DRIVE},
        {K::Toggle, TrayCommandMonitorSmartBalloon, L::MonitorSMARTBalloon, false, IDR_PNG_MENU_WARNING},
        {K::Command, TrayCommandShowSmartLogs, L::ShowSMARTLogs, false, IDR_PNG_MENU_FOLDER},
        Separator(),
        {K::Toggle, TrayCommandShowHardwareUsage, L::ShowHardwareUsage, false, IDR_PNG_MENU_MONITOR},
        {K::Toggle, TrayCommandShowNetworkUsage, L::ShowNetworkUsage, false, IDR_PNG_MENU_NETWORK},
        {K::Toggle, TrayCommandShowValues, L::ShowValues, false, IDR_PNG_MENU_NETWORK},
        {K::Command, TrayCommandSelectColors, L::SelectColors, true, IDR_PNG_MENU_COLOURS},
        Separator(),
        {K::WindowsSubmenu, 0, L::Close, false, IDR_PNG_MENU_SHUTDOWN},
        Separator(),
        {K::Command, TrayCommandShowExecAgency, L::ShowExecAgency, false, IDR_PNG_MENU_RUN},
        {K::Command, TrayCommandWizardSystem, L::MenuWizardSystem, true, IDR_PNG_MENU_WIZARD},
        {K::Command, TrayCommandWizardProgram, L::MenuWizardProgram, true, IDR_PNG_MENU_WIZARD},
        Separator(),
        {K::Command, TrayCommandShowAvoidAgency, L::ShowAvoidAgency, false, IDR_PNG_MENU_STOP},
        {K::Command, TrayCommandWizardAvoid, L::MenuWizardAvoid, true, IDR_PNG_MENU_WIZARD},
        Separator(),
        {K::Command, TrayCommandHelp, L::Help, true, IDR_PNG_MENU_HELP},
        {K::Command, TrayCommandClose, L::Close, false, IDR_PNG_MENU_EXIT},
    };
    return entries;
}

const std::vector<TrayMenuEntry>& TrayPowerEntries() {
    using K = TrayEntryKind;
    using L = LanguageKey;
    static const std::vector<TrayMenuEntry> entries = {
        {K::Command, TrayCommandShutdown, L::Shutdown, false, IDR_PNG_MENU_SHUTDOWN},
        {K::Command, TrayCommandReboot, L::Reboot, false, IDR_PNG_MENU_REBOOT},
        {K::Command, TrayCommandStandby, L::Standby, false, IDR_PNG_MENU_STANDBY},
        {K::Command, TrayCommandHibernate, L::Hibernate, false, IDR_PNG_MENU_HIBERNATE},
        {K::Command, TrayCommandLogoff, L::Logoff, false, IDR_PNG_MENU_LOGOFF},
        {K::Command, TrayCommandLock, L::Lock, false, IDR_PNG_MENU_LOCK},
    };
    return entries;
}

std::string TrayMenuText(const TrayMenuEntry& entry) {
    if (entry.kind == TrayEntryKind::WindowsSubmenu) {
        return "Windows";
    }
    return LanguageText(entry.text) + (entry.ellipsis ? "..." : "");
}

int* ToggleSetting(TrayPreferences& preferences, int command) {
    const ToggleRule* rule = FindToggle(command);
    return rule == nullptr ? nullptr : &(preferences.*(rule->member));
}

const char* ToggleSettingKey(int command) {
    const ToggleRule* rule = FindToggle(command);
    return rule == nullptr ? nullptr : rule->key;
}

bool ToggleChecked(const TrayPreferences& preferences, int command) {
    const ToggleRule* rule = FindToggle(command);
    return rule != nullptr && preferences.*(rule->member) != 0;
}

bool ToggleEnabled(const TrayPreferences& preferences, int command) {
    return command != TrayCommandMonitorSmartBalloon || preferences.PreferencesMonitorSMART != 0;
}

std::vector<SettingChange> FlipToggle(TrayPreferences& preferences, int command) {
    const ToggleRule* rule = FindToggle(command);
    if (rule == nullptr || !ToggleEnabled(preferences, command)) {
        return {};
    }
    int& value = preferences.*(rule->member);
    value = value != 0 ? 0 : 1;
    std::vector<SettingChange> changes = {{rule->key, value}};
    if (command == TrayCommandMonitorSmart && value == 0) {
        preferences.PreferencesMonitorSMARTBalloon = 0;
        changes.push_back({"PreferencesMonitorSMARTBalloon", 0});
    }
    return changes;
}

bool ToggleRedrawsIcons(int command) {
    return command == TrayCommandShowHardwareUsage || command == TrayCommandShowNetworkUsage ||
           command == TrayCommandShowValues;
}

const IconColourSetting (&IconColourSettings())[kIconColourCount] {
    static const TrayPreferences defaults;
    static const IconColourSetting settings[kIconColourCount] = {
        {LanguageKey::ColorCPU, "PreferencesColorCPU", &TrayPreferences::PreferencesColorCPU,
         defaults.PreferencesColorCPU},
        {LanguageKey::ColorRAM, "PreferencesColorRAM", &TrayPreferences::PreferencesColorRAM,
         defaults.PreferencesColorRAM},
        {LanguageKey::ColorSwap, "PreferencesColorSwap", &TrayPreferences::PreferencesColorSwap,
         defaults.PreferencesColorSwap},
        {LanguageKey::ColorNetInput, "PreferencesColorNetInput", &TrayPreferences::PreferencesColorNetInput,
         defaults.PreferencesColorNetInput},
        {LanguageKey::ColorNetOutput, "PreferencesColorNetOutput", &TrayPreferences::PreferencesColorNetOutput,
         defaults.PreferencesColorNetOutput},
    };
    return settings;
}

int StoredIconColour(uint32_t chosen) {
    uint32_t colour = chosen & 0xFFFFFF;
    return static_cast<int>(colour == 0xFFFFFF ? 0xFFFFFE : colour);
}

#pragma once

#include <string>
#include <string_view>

#include "foundation/IniDocument.h"

// One settings or language file, opened, read or updated, and closed within one action; neither
// program holds the file between actions, so each sees the other's last save.
struct SettingsFile {
    std::string path;
    IniDocument document;
    std::string group;  // the selected group
    bool changed = false;
    bool isOpen = false;
};

// Opens an existing file. Fails when it is missing, unreadable, too large, or UTF-16 of odd length.
bool OpenSettingsFile(SettingsFile& file, const std::string& path);
// Starts a new empty file that replaces any old one when it is closed.
void CreateSettingsFile(SettingsFile& file, const std::string& path);
// Opens the file when it exists; otherwise creates its folder and starts a new one. Fails, so that
// nothing is written, when an existing file cannot be read or the folder cannot be created.
bool OpenOrCreateSettingsFile(SettingsFile& file, const std::string& path);

void SelectGroup(SettingsFile& file, std::string_view group);

// Reads from the selected group; an absent group or key gives the default. An integer is the
// leading decimal number of the value, so a non-numeric value reads as 0.
std::string ReadSettingString(const SettingsFile& file, std::string_view key, std::string_view defaultValue);
int ReadSettingInteger(const SettingsFile& file, std::string_view key, int defaultValue);

void WriteSettingString(SettingsFile& file, std::string_view key, std::string_view value);
void WriteSettingInteger(SettingsFile& file, std::string_view key, int value);
void RemoveSettingKey(SettingsFile& file, std::string_view key);
void RemoveSettingGroup(SettingsFile& file, std::string_view group);

// Writes the changes, if any, and closes. False when they could not be written.
bool CloseSettingsFile(SettingsFile& file);

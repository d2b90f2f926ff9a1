#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Shell shortcut files (".lnk"): the record both programs read and write, the defaults applied when
// one is created, and the autostart shortcut that starts the tray companion at logon. Portable; the
// shell link object is driven by Link_win.cpp.

// Each text field crosses the shell interfaces through a buffer of this many bytes.
constexpr std::size_t kShortcutTextBufferLength = 1024;
// Longer link file paths are refused rather than cut to a different file name.
constexpr std::size_t kShortcutLinkPathLimit = 1000;

constexpr int kShowNormal = 1;  // SW_SHOWNORMAL

struct ShortcutRecord {
    int iconIndex = 0;
    int showCommand = 0;
    int hotkeyKey = 0;        // low byte of the hotkey word: the virtual key
    int hotkeyModifiers = 0;  // high byte of the hotkey word
    std::string targetPath;
    std::string description;
    std::string workingDirectory;
    std::string arguments;
    std::string iconPath;
};

// The hotkey word: virtual key in the low byte, modifiers in the high byte.
int ShortcutHotkeyWord(const ShortcutRecord& record);
void SetShortcutHotkey(ShortcutRecord& record, int hotkeyWord);

// The text in a field's exchange buffer, which the shell may have filled up to its last byte; the
// buffer is left cleared for the next field.
std::string TakeShortcutBufferText(std::vector<char>& buffer);

// An icon path of exactly this text stands for the target itself.
constexpr char kShortcutIconIsTarget[] = "|";

// The folder part of the target, trailing backslash included; empty when it has none.
std::string ShortcutTargetFolder(const std::string& targetPath);
// What a new shortcut stores: an empty working directory becomes the target's folder, and the
// icon path "|" becomes the target path.
std::string ShortcutWorkingDirectory(const std::string& targetPath, const std::string& workingDirectory);
std::string ShortcutIconPath(const std::string& targetPath, const std::string& iconPath);

// The tray companion's autostart shortcut, written by either program into the user's startup folder.
constexpr char kAutostartLinkName[] = "\\Vantrel.lnk";
constexpr char kAutostartTarget[] = "vtlsystray.exe";
constexpr char kAutostartArguments[] = "-Autorun";
constexpr char kAutostartDescription[] = "Automatischer Start des Vantrel SystemTray Icons.";

// The record of the autostart shortcut for programs in `programFolder` (with or without its
// trailing backslash).
ShortcutRecord AutostartShortcutRecord(const std::string& programFolder);

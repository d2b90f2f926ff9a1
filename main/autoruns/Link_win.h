#pragma once

#include <string>

#include "main/autoruns/Link.h"

// Shortcut files through the shell's link object (IShellLinkA for the fields, IPersistFile for the
// file). Neither function shows a message; the caller decides what to say.

// 1 when every field was read, else 0 (the record may then be partly filled).
int ReadShortcut(const std::string& linkPath, ShortcutRecord& record);

// 1 when the link file was saved, else 0. An empty working directory stands for the target's
// folder and the icon path "|" for the target itself. `hotkey` is the hotkey word: virtual key in
// the low byte, modifiers in the high byte.
int CreateShortcut(const std::string& targetPath,
                   const std::string& linkPath,
                   const std::string& workingDirectory,
                   const std::string& arguments,
                   int showCommand,
                   const std::string& description,
                   int hotkey,
                   const std::string& iconPath,
                   int iconIndex);

// Writes a shortcut from a record (hotkey from its two bytes).
int CreateShortcutFromRecord(const std::string& linkPath, const ShortcutRecord& record);

// The user's startup folder + "\Vantrel.lnk"; empty when the shell cannot name the folder.
std::string AutostartLinkPath();
// Writes the tray companion's autostart shortcut for the programs in `programFolder` when
// `enabled`, deletes it otherwise. True when the file is as asked afterwards.
bool UpdateAutostartShortcut(bool enabled, const std::string& programFolder);

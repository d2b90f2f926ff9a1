#pragma once

#include <string>
#include <string_view>

// What adding, removing and jumping to an autorun make of the texts involved. Portable; the
// registry, shortcut and shell calls are in AutorunEditing_win.cpp.

// A location (column 5) split at its last backslash: the key or folder, backslash included, and
// the value, subkey or file name.
struct LocationParts {
    std::string folder;
    std::string name;
};
LocationParts SplitLocation(std::string_view location);
// The folder part without its closing backslash: the key path of a value's location.
std::string LocationKeyPath(std::string_view location);

// The registry editor's remembered key ("LastKey") pointed at `keyPath`: its first element, the
// localised name of the tree's root, is kept. Empty when `lastKey` is empty, which leaves it alone.
std::string RegistryEditorLastKey(std::string_view lastKey, std::string_view keyPath);
constexpr char kRegistryEditorKey[] =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";
constexpr char kRegistryEditorLastKey[] = "LastKey";

// The file name a web search looks for, from a command: a leading double quote dropped, the text
// cut at the next one, and what follows the last backslash.
std::string AutorunSearchName(std::string_view command);

// The choices of the new-autorun window.
struct NewAutorunChoice {
    bool registry = false;  // a Run value rather than a startup-folder shortcut
    bool allUsers = false;
    bool runOnce = false;  // registry only
};

// The program field as it is used: surrounding blanks dropped.
std::string TrimBlanks(std::string_view text);
// The key a registry autorun is written to.
std::string NewAutorunKey(const NewAutorunChoice& choice);
// The value's name (the program's file name) and its data: the program in double quotes, a
// blank, and the parameters (the blank even when they are empty).
std::string NewAutorunValueName(std::string_view program);
std::string NewAutorunValueData(std::string_view program, std::string_view parameters);
// The shortcut's file name in the startup folder: the program's file name + ".lnk".
std::string NewAutorunLinkName(std::string_view program);
// The folder part of the program, without its closing backslash: the shortcut's working folder.
std::string NewAutorunWorkingFolder(std::string_view program);

// The browse dialog's filter: programs, shortcuts and all files, each part ending with a NUL and
// the whole with another.
std::string NewAutorunBrowseFilter();

// A row of a comma-list location (Winlogon's "Userinit", "load", "AppInit_DLLs") stands for one item
// of the value: its key path and value name, when the location is one of those.
bool IsCommaListLocation(std::string_view keyPath, std::string_view valueName);
// The list without the first item equal to `item`; the separators of the others are kept.
std::string CommaListWithout(std::string_view list, std::string_view item);

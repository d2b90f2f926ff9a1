#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "main/RowTable.h"
#include "main/autoruns/RegistryPath.h"

// Where Windows starts programs from by itself, how each place is read, and what the autorun list
// makes of what it finds there. Portable: the registry, the folders and the files are read by
// AutorunScanner_win.cpp.

enum class AutorunScan {
    Values,         // every value of the key: name and command
    ClassValues,    // every value: the name is a class identifier, the data its description
    SingleValue,    // one named value, listed even when missing
    CommaList,      // one named value holding a comma-separated list of commands
    NotifySubkeys,  // the subkeys with a "DLLName" value
    UserStartup,    // the user's startup folder
    CommonStartup,  // the all-users startup folder
};

struct AutorunLocation {
    const char* path;       // registry key; empty for the startup folders
    const char* valueName;  // the value of SingleValue and CommaList locations
    AutorunScan scan;
    bool system;  // listed only while the system autoruns are shown
};

constexpr size_t kAutorunLocationCount = 24;
extern const AutorunLocation kAutorunLocations[kAutorunLocationCount];

// The autorun list's columns.
enum AutorunColumn : size_t {
    AutorunColumnName = 0,
    AutorunColumnRating = 1,
    AutorunColumnDescription = 2,
    AutorunColumnType = 3,
    AutorunColumnCommand = 4,
    AutorunColumnLocation = 5,
    AutorunColumnTarget = 6,
    AutorunColumnCount = 7,
};

constexpr uint32_t kAutorunRegistryBackground = 0xCCFFFF;  // RGB(255,255,204)
constexpr uint32_t kAutorunFolderBackground = 0xFFFFFF;
constexpr uint32_t kAutorunRatedText = 0x008000;  // RGB(0,128,0)

// The list's two images of its own, for targets without an icon.
enum AutorunImage : int { AutorunImageLibrary = 0, AutorunImageProgram = 1, AutorunImageCount = 2 };

// Whether a file of that name exists (a file, not a folder); the scanner passes one that reaches the
// file the system means.
using FileProbe = std::function<bool(const std::string&)>;

// The executable a command starts, where `windowsFolder` has no closing backslash: "%SystemRoot%"
// (any case) is the Windows folder; a quoted program is what lies inside the quotes; an unquoted
// command that is no file as a whole ends at its first blank; a name without extension that is no
// file gets ".exe"; a name without a drive is looked for in the system folder, then in the Windows
// folder. Empty for an empty command.
std::string AutorunTargetPath(std::string_view command, const std::string& windowsFolder, const FileProbe& exists);
// A shortcut's target: only the extension and the look-up in the two folders, as the path is
// already free of quotes and arguments.
std::string AutorunFileTargetPath(std::string name, const std::string& windowsFolder, const FileProbe& exists);

// The items of a comma list, in order, as they stand (not trimmed); empty items are left out.
std::vector<std::string> SplitCommaList(std::string_view text);

// Data that names a class identifier rather than a command.
bool IsClassIdentifier(std::string_view data);
// The key whose default value names the in-process server of the class.
std::string ClassServerKey(std::string_view classIdentifier);

// Registry and file names ignore letter case.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// True for a path below HKEY_LOCAL_MACHINE (root name in any case).
bool IsLocalMachinePath(std::string_view path);

// A key path as the registry editor shows it: with two views, the 32-bit view of
// HKEY_LOCAL_MACHINE\Software lies below its "Wow6432Node" subkey. Other paths stay as they are.
std::string RegistryViewPath(const std::string& path, RegistryView view, bool twoViews);

// A key (or key and name) path read back from the list: the path to open and the view to open it
// in. The reverse of RegistryViewPath; with two views HKEY_LOCAL_MACHINE paths without
// "Wow6432Node" are the native view's.
struct RegistryPlace {
    std::string path;
    RegistryView view = RegistryView::Bits32;
};
RegistryPlace RegistryPlaceOfPath(const std::string& path, bool twoViews);

// One entry found by the scanner, before its target's rating and icon are looked up.
struct AutorunEntry {
    std::string name;
    std::string command;
    std::string location;  // as column 5 shows it
    std::string target;
    bool link = false;         // a startup-folder shortcut rather than a registry entry
    bool libraryOnly = false;  // a Notify library: no icon of its own is taken from the file
};

// What the rating database says about an entry's target.
struct AutorunRating {
    std::string text;
    std::string description;
    bool known = false;
};

// Appends the entry's row: the texts of the columns, background by kind, green text when rated.
size_t AppendAutorunRow(RowTable& table, const AutorunEntry& entry, const AutorunRating& rating, int image);
// The fallback image of a target: the library image for ".dll" in any case.
AutorunImage AutorunFallbackImage(std::string_view target);

// The details panel's texts for a row, given the product and company names of its target.
struct AutorunDetails {
    std::string title;  // product name and, in brackets, the entry's name; the name alone without one
    std::string company;
    std::string type;    // "Type: ..."
    std::string target;  // "Target: ..."
    std::string rating;  // the database description, else the rating, else the unknown text
    int badge = 0;       // the rating the badge shows: 1 or 2, else 0 for none
};
AutorunDetails AutorunDetailsOfRow(const RowTable& table,
                                   size_t row,
                                   const std::string& product,
                                   const std::string& company);

#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// File access both programs need, with the few calls that differ between Windows and POSIX behind
// FileSystem_win.cpp / FileSystem_posix.cpp. Paths are narrow strings in the system code page.

extern const char kPathSeparator;

// Joins a folder and a name with one separator between them.
std::string JoinPath(const std::string& folder, const std::string& name);

// What follows the last separator ('\\' or '/'); the whole path when it has none.
std::string FileNameOfPath(std::string_view path);

// The folder of a Windows path (of a file the system names), up to and including the last
// backslash; empty when the path names no folder or ends in a backslash, so names no file.
std::string FolderOfPath(const std::string& path);

// True when a file (not a folder) of that name exists, whether or not it can be read.
bool FileExists(const std::string& path);

// Larger files are refused: no file these programs read comes anywhere near it.
constexpr size_t kMaximumReadLength = 64 * 1024 * 1024;

// Reads the whole file. Fails (leaving bytes untouched) when it is missing, unreadable or too large.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Writes a temporary file beside the target and renames it over the target, so that a crash
// leaves either the old or the new file, never half of one. The folder must exist. Temporaries of the
// same target that a crash left behind are removed once they are this old.
constexpr long long kStaleTemporarySeconds = 60;
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

// Creates the folder and every missing parent. True when the folder exists afterwards.
bool CreateFolderPath(const std::string& folder);

// Names of the regular files in a folder, in no particular order; empty when the folder is missing.
std::vector<std::string> ListFolderFiles(const std::string& folder);

// The platform parts behind the functions above.
bool FlushFileToDisk(std::FILE* file);
bool ReplaceFileWith(const std::string& source, const std::string& target);
bool CreateOneFolder(const std::string& folder);
bool IsFolder(const std::string& path);
unsigned long CurrentProcessNumber();
// Seconds since the file was last written; -1 when that cannot be read.
long long FileAgeSeconds(const std::string& path);

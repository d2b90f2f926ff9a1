#pragma once

#include <string>

// What the 32-bit program does differently on 64-bit Windows. The system folder it names is
// redirected to the 32-bit one there, so the files that the system names (service and driver
// binaries, the libraries of indirect texts) are reached through the native alias. Paths keep their
// system names everywhere else: only the file access itself goes through NativeFilePath.

// True for a 32-bit process on 64-bit Windows; false where the system lacks IsWow64Process (early
// XP) or the library table is not open.
bool RunsUnderWow64();

// The name under which this process reaches the native file: the path itself except under WoW64.
std::string NativeFilePath(const std::string& path);
bool NativeFileExists(const std::string& path);

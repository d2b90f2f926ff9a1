#pragma once

#include <string>
#include <string_view>

// The path through which a 32-bit program on 64-bit Windows reaches the file that `path` names.
// For such a program the system folder (Windows folder + "\System32") is the 32-bit SysWOW64 in
// disguise, while every path the system reports (process images, service and driver binaries,
// autorun targets) means the native file. The "Sysnative" alias reaches that, so a path in the
// system folder gets it in place of "System32". The subfolders the redirection leaves alone
// (catroot, catroot2, driverstore, drivers\etc, logfiles, spool) and every other path stay as
// they are. Names compare without regard to case, and either slash separates.
std::string SysnativePathWith(std::string_view path, std::string_view windowsFolder);

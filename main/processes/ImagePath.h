#pragma once

#include <string>
#include <string_view>

// Turns the native forms of an executable path ("\??\C:\...", "\SystemRoot\...", "\WINDOWS\...")
// into a plain path, given the Windows folder. The prefixes are matched case-sensitively, and a
// path is left as it is when the Windows folder is unknown (empty).
std::string NormalizeImagePathWith(std::string_view path, std::string_view windowsFolder);

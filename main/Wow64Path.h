#pragma once

#include <string>
#include <string_view>

// A 32-bit program on 64-bit Windows that names a file in the system folder ("C:\Windows\System32")
// is sent to the 32-bit system folder instead. The alias "Sysnative" beside the system folder
// reaches the native one. Portable.

// The path under the alias for a path inside the system folder (letter case ignored), else the path
// unchanged. `systemFolder` is the folder as the system names it, without a trailing backslash.
std::string SysnativePath(std::string_view path, std::string_view systemFolder);

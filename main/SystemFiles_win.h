#pragma once

#include <windows.h>

#include <string>

// Files that the system names (process images, service and driver binaries, autorun targets),
// reached as the system means them. A 32-bit program on 64-bit Windows sees the 32-bit SysWOW64
// where the system folder should be, so it would read, hash or delete a namesake instead of the
// real file. The mapping itself is SysnativePathWith (main/Wow64Path.h).

// The Windows folder (GetWindowsDirectory), without a closing backslash; empty when it cannot be told.
const std::string& WindowsFolder();

// True when this program is a 32-bit one on 64-bit Windows. Bound through the library table's
// kernel32 slot, since early XP lacks the call; false when it cannot be told.
bool RunsUnderWow64();

// Keep one alive around each access: its `path` is what to hand to the file calls. Usually that
// is the "Sysnative" form of a path in the system folder; where the alias is missing (64-bit XP
// without its update) the path stays as it is and the redirection is off for this object's life
// only, as the library table relies on it being on everywhere else.
struct SystemFileAccess {
    explicit SystemFileAccess(const std::string& systemPath);
    ~SystemFileAccess();
    SystemFileAccess(const SystemFileAccess&) = delete;
    SystemFileAccess& operator=(const SystemFileAccess&) = delete;

    std::string path;
    void* redirectionState = nullptr;
    bool redirectionOff = false;
};

// FileExists for a file the system names.
bool SystemFileExists(const std::string& path);

// The small icon `index` of a file through the shell's entry point that the library table looked
// up; 0 (no icon) when the shell library lacks it.
UINT ExtractSmallIcon(const std::string& file, int index, HICON* small);
// The same for the large icon.
UINT ExtractLargeIcon(const std::string& file, int index, HICON* large);

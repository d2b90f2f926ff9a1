#include "main/Wow64_win.h"

#include <windows.h>

#include "foundation/FileSystem.h"
#include "main/LibraryTable_win.h"
#include "main/Wow64Path.h"

namespace {

using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);

std::string SystemFolder() {
    char folder[MAX_PATH] = {};
    UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(folder, length) : std::string();
}

}  // namespace

bool RunsUnderWow64() {
    BOOL wow64 = FALSE;
    return CallSlotFunction<IsWow64ProcessFunction, BOOL>(kKernel32Slot, "IsWow64Process", FALSE, GetCurrentProcess(),
                                                          &wow64) &&
           wow64;
}

std::string NativeFilePath(const std::string& path) {
    if (!RunsUnderWow64()) {
        return path;
    }
    // Under WoW64 GetSystemDirectory names the native folder, which the system redirects for us.
    static const std::string systemFolder = SystemFolder();
    return SysnativePath(path, systemFolder);
}

bool NativeFileExists(const std::string& path) {
    return FileExists(NativeFilePath(path));
}

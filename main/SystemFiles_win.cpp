#include "main/SystemFiles_win.h"

#include <windows.h>

#include "foundation/FileSystem.h"
#include "main/LibraryTable_win.h"
#include "main/Wow64Path.h"

namespace {

using IsWow64Function = BOOL(WINAPI*)(HANDLE, PBOOL);
using DisableRedirectionFunction = BOOL(WINAPI*)(PVOID*);
using RevertRedirectionFunction = BOOL(WINAPI*)(PVOID);

bool HasSysnativeAlias() {
    static const bool present = IsFolder(JoinPath(WindowsFolder(), "Sysnative"));
    return present;
}

}  // namespace

const std::string& WindowsFolder() {
    // It does not move while the program runs.
    static const std::string folder = [] {
        char text[MAX_PATH] = {};
        UINT length = GetWindowsDirectoryA(text, MAX_PATH);
        return length > 0 && length < MAX_PATH ? std::string(text, length) : std::string();
    }();
    return folder;
}

bool RunsUnderWow64() {
    // Asked once the library table is open; until then the answer is false.
    static int known = -1;
    if (known < 0 && IsSlotOpen(kKernel32Slot)) {
        BOOL wow64 = FALSE;
        known =
            CallSlotFunction<IsWow64Function>(kKernel32Slot, "IsWow64Process", FALSE, GetCurrentProcess(), &wow64) &&
            wow64;
    }
    return known > 0;
}

SystemFileAccess::SystemFileAccess(const std::string& systemPath) : path(systemPath) {
    if (path.empty() || !RunsUnderWow64())
        return;
    std::string native = SysnativePathWith(path, WindowsFolder());
    if (native == path)
        return;
    if (HasSysnativeAlias()) {
        path = native;
        return;
    }
    redirectionOff = CallSlotFunction<DisableRedirectionFunction>(kKernel32Slot, "Wow64DisableWow64FsRedirection",
                                                                  FALSE, &redirectionState) != FALSE;
}

SystemFileAccess::~SystemFileAccess() {
    if (redirectionOff)
        CallSlotFunction<RevertRedirectionFunction>(kKernel32Slot, "Wow64RevertWow64FsRedirection", FALSE,
                                                    redirectionState);
}

namespace {

UINT ExtractIcons(const std::string& file, int index, HICON* large, HICON* small) {
    if (g_ExtractIconExA == nullptr)
        return 0;
    SystemFileAccess access(file);
    return g_ExtractIconExA(access.path.c_str(), index, large, small, 1);
}

}  // namespace

UINT ExtractSmallIcon(const std::string& file, int index, HICON* small) {
    return ExtractIcons(file, index, nullptr, small);
}

UINT ExtractLargeIcon(const std::string& file, int index, HICON* large) {
    return ExtractIcons(file, index, large, nullptr);
}

bool SystemFileExists(const std::string& path) {
    SystemFileAccess access(path);
    return FileExists(access.path);
}

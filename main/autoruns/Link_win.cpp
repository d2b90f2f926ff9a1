#include "main/autoruns/Link_win.h"

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

#include <vector>

#include "foundation/ScopedHandles_win.h"
#include "main/autoruns/CodePageText_win.h"

namespace {

bool CreateShellLink(ScopedComPointer<IShellLinkA>& link) {
    return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.receive()));
}

}  // namespace

int ReadShortcut(const std::string& linkPath, ShortcutRecord& record) {
    std::wstring widePath = WideFromAnsi(linkPath);
    if (widePath.empty()) {
        return 0;
    }
    std::vector<char> buffer(kShortcutTextBufferLength);
    const int bufferLength = static_cast<int>(buffer.size());

    ScopedComApartment com;
    ScopedComPointer<IShellLinkA> link;
    ScopedComPointer<IPersistFile> file;
    // Read access is all a reader needs: asking for write access would make every shortcut the
    // user may only read (the all-users startup folder, say) unreadable.
    if (!CreateShellLink(link) || FAILED(link->QueryInterface(IID_IPersistFile, file.receive())) ||
        FAILED(file->Load(widePath.c_str(), STGM_READ))) {
        return 0;
    }

    if (FAILED(link->GetPath(buffer.data(), bufferLength, nullptr, 0))) {
        return 0;
    }
    record.targetPath = TakeShortcutBufferText(buffer);
    if (FAILED(link->GetDescription(buffer.data(), bufferLength))) {
        return 0;
    }
    record.description = TakeShortcutBufferText(buffer);
    if (FAILED(link->GetWorkingDirectory(buffer.data(), bufferLength))) {
        return 0;
    }
    record.workingDirectory = TakeShortcutBufferText(buffer);
    if (FAILED(link->GetArguments(buffer.data(), bufferLength))) {
        return 0;
    }
    record.arguments = TakeShortcutBufferText(buffer);

    WORD hotkey = 0;
    int showCommand = 0;
    int iconIndex = 0;
    if (FAILED(link->GetHotkey(&hotkey)) || FAILED(link->GetShowCmd(&showCommand)) ||
        FAILED(link->GetIconLocation(buffer.data(), bufferLength, &iconIndex))) {
        return 0;
    }
    SetShortcutHotkey(record, hotkey);
    record.showCommand = showCommand;
    record.iconPath = TakeShortcutBufferText(buffer);
    record.iconIndex = iconIndex;
    return 1;
}

int CreateShortcut(const std::string& targetPath,
                   const std::string& linkPath,
                   const std::string& workingDirectory,
                   const std::string& arguments,
                   int showCommand,
                   const std::string& description,
                   int hotkey,
                   const std::string& iconPath,
                   int iconIndex) {
    if (linkPath.size() > kShortcutLinkPathLimit) {
        return 0;
    }
    std::wstring widePath = WideFromAnsi(linkPath);
    if (widePath.empty()) {
        return 0;
    }

    ScopedComApartment com;
    ScopedComPointer<IShellLinkA> link;
    if (!CreateShellLink(link)) {
        return 0;
    }
    link->SetPath(targetPath.c_str());
    link->SetArguments(arguments.c_str());
    link->SetWorkingDirectory(ShortcutWorkingDirectory(targetPath, workingDirectory).c_str());
    link->SetDescription(description.c_str());
    link->SetShowCmd(showCommand);
    link->SetHotkey(static_cast<WORD>(hotkey));
    link->SetIconLocation(ShortcutIconPath(targetPath, iconPath).c_str(), iconIndex);

    ScopedComPointer<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.receive()))) {
        return 0;
    }
    return SUCCEEDED(file->Save(widePath.c_str(), TRUE)) ? 1 : 0;
}

int CreateShortcutFromRecord(const std::string& linkPath, const ShortcutRecord& record) {
    return CreateShortcut(record.targetPath, linkPath, record.workingDirectory, record.arguments, record.showCommand,
                          record.description, ShortcutHotkeyWord(record), record.iconPath, record.iconIndex);
}

std::string AutostartLinkPath() {
    char folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, folder, CSIDL_STARTUP, FALSE) || folder[0] == '\0') {
        return std::string();
    }
    return std::string(folder) + kAutostartLinkName;
}

bool UpdateAutostartShortcut(bool enabled, const std::string& programFolder) {
    std::string linkPath = AutostartLinkPath();
    if (linkPath.empty()) {
        return false;
    }
    if (enabled) {
        return CreateShortcutFromRecord(linkPath, AutostartShortcutRecord(programFolder)) == 1;
    }
    return DeleteFileA(linkPath.c_str()) != FALSE || GetLastError() == ERROR_FILE_NOT_FOUND;
}

#include "main/autoruns/AutorunScanner_win.h"

#include <windows.h>

#include <shlobj.h>

#include "foundation/FileSystem.h"
#include "main/SystemFiles_win.h"
#include "main/autoruns/Link_win.h"
#include "main/autoruns/Registry_win.h"
#include "main/processes/ProcessLayer_win.h"

namespace {

struct ScanPass {
    const AutorunLocation& location;
    RegistryView view;
    RegistryView classView;  // where the classes that values name are looked up
    bool twoViews;
    bool firstView;
    const AutorunScanFolders& folders;
    std::vector<AutorunEntry>& entries;
};

bool Exists(const std::string& path) {
    return SystemFileExists(path);
}

std::string LocationOf(const ScanPass& pass, const std::string& name) {
    return RegistryViewPath(pass.location.path, pass.view, pass.twoViews) + "\\" + name;
}

void Add(const ScanPass& pass, std::string name, std::string command, std::string location, bool libraryOnly) {
    AutorunEntry entry;
    entry.target = AutorunTargetPath(command, pass.folders.windows, Exists);
    entry.name = std::move(name);
    entry.command = std::move(command);
    entry.location = std::move(location);
    entry.libraryOnly = libraryOnly;
    pass.entries.push_back(std::move(entry));
}

void ScanValues(const ScanPass& pass) {
    const std::string path = pass.location.path;
    for (const std::string& name : RegistryValueNames(path, pass.view)) {
        std::string data = ReadRegistryText(path, name, pass.view);
        if (pass.location.scan == AutorunScan::ClassValues) {
            // The value's name is the class; its data only describes it.
            Add(pass, data, ReadRegistryText(ClassServerKey(name), "", pass.classView), LocationOf(pass, name), false);
            continue;
        }
        if (IsClassIdentifier(data)) {
            data = ReadRegistryText(ClassServerKey(data), "", pass.classView);
            if (data.empty()) {
                continue;
            }
        }
        Add(pass, name, data, LocationOf(pass, name), false);
    }
}

void ScanNamedValue(const ScanPass& pass) {
    const std::string path = pass.location.path;
    const std::string name = pass.location.valueName;
    // The second view adds its row only where it has a value of its own.
    if (!pass.firstView && !RegistryValueExists(path, name, pass.view)) {
        return;
    }
    std::string data = ReadRegistryText(path, name, pass.view);
    if (pass.location.scan == AutorunScan::SingleValue) {
        Add(pass, name, data, LocationOf(pass, name), false);
        return;
    }
    for (std::string& item : SplitCommaList(data)) {
        Add(pass, name, std::move(item), LocationOf(pass, name), false);
    }
}

void ScanNotifySubkeys(const ScanPass& pass) {
    const std::string path = pass.location.path;
    for (const std::string& subKey : RegistrySubKeyNames(path, pass.view)) {
        std::string library = ReadRegistryText(path + "\\" + subKey, "DLLName", pass.view);
        if (!library.empty()) {
            Add(pass, subKey, library, LocationOf(pass, subKey), true);
        }
    }
}

bool EndsWithLinkExtension(const std::string& name) {
    return name.size() > 4 && _stricmp(name.c_str() + name.size() - 4, ".lnk") == 0;
}

void ScanStartupFolder(const std::string& folder,
                       const AutorunScanFolders& folders,
                       std::vector<AutorunEntry>& entries) {
    if (folder.empty()) {
        return;
    }
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "\\*.lnk").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        std::string file = found.cFileName;
        // The pattern also meets longer extensions through their short names.
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || !EndsWithLinkExtension(file)) {
            continue;
        }
        ShortcutRecord shortcut;
        ReadShortcut(folder + "\\" + file, shortcut);
        AutorunEntry entry;
        entry.name = file.substr(0, file.size() - 4);
        entry.command = shortcut.targetPath;
        entry.location = folder + "\\" + file;
        entry.target = AutorunFileTargetPath(shortcut.targetPath, folders.windows, Exists);
        entry.link = true;
        entries.push_back(std::move(entry));
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void ScanRegistryLocation(const AutorunLocation& location,
                          const AutorunScanFolders& folders,
                          std::vector<AutorunEntry>& entries) {
    const bool twoViews = HasSecondRegistryView() && IsLocalMachinePath(location.path);
    // The native view first; the 32-bit one only where it is a key of its own, not one both share.
    std::vector<RegistryView> views{twoViews ? RegistryView::Bits64 : RegistryView::Bits32};
    if (twoViews) {
        std::string native = RegistryKeyIdentity(location.path, RegistryView::Bits64);
        if (native.empty() || native != RegistryKeyIdentity(location.path, RegistryView::Bits32)) {
            views.push_back(RegistryView::Bits32);
        }
    }
    // The user's entries are started by the native shell, which looks their classes up in its own view.
    const RegistryView userClassView = HasSecondRegistryView() ? RegistryView::Bits64 : RegistryView::Bits32;
    for (RegistryView view : views) {
        ScanPass pass{location, view,   twoViews ? view : userClassView, twoViews, view == views.front(),
                      folders,  entries};
        switch (location.scan) {
            case AutorunScan::Values:
            case AutorunScan::ClassValues:
                ScanValues(pass);
                break;
            case AutorunScan::SingleValue:
            case AutorunScan::CommaList:
                ScanNamedValue(pass);
                break;
            case AutorunScan::NotifySubkeys:
                ScanNotifySubkeys(pass);
                break;
            default:
                break;
        }
    }
}

}  // namespace

AutorunScanFolders CurrentAutorunFolders() {
    AutorunScanFolders folders;
    folders.windows = WindowsFolder();
    folders.userStartup = SpecialFolderPath(CSIDL_STARTUP);
    folders.commonStartup = SpecialFolderPath(CSIDL_COMMON_STARTUP);
    return folders;
}

std::vector<AutorunEntry> ScanAutoruns(bool showSystem, const AutorunScanFolders& folders) {
    std::vector<AutorunEntry> entries;
    for (const AutorunLocation& location : kAutorunLocations) {
        if (location.system && !showSystem) {
            continue;
        }
        if (location.scan == AutorunScan::UserStartup) {
            ScanStartupFolder(folders.userStartup, folders, entries);
        } else if (location.scan == AutorunScan::CommonStartup) {
            ScanStartupFolder(folders.commonStartup, folders, entries);
        } else {
            ScanRegistryLocation(location, folders, entries);
        }
    }
    return entries;
}

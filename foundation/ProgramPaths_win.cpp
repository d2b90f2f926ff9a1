#include "foundation/ProgramPaths_win.h"

#include <windows.h>
#include <shlobj.h>

#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/PreferencesDefaults.h"

std::string SettingsFilePath() {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PROFILE, &list)) || !list)
        return std::string();
    char folder[MAX_PATH] = {};
    BOOL found = SHGetPathFromIDListA(list, folder);
    CoTaskMemFree(list);
    if (!found || folder[0] == '\0')
        return std::string();
    return JoinPath(JoinPath(folder, kSettingsFolderName), kSettingsFileName);
}

std::string ProgramFolder() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::string();
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 32768)
            return std::string();
        path.resize(path.size() * 2);  // the name was cut short
    }
    size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::string LanguageFolder() {
    return JoinPath(ProgramFolder(), "Language");
}

void LoadLanguage() {
    LoadLanguageFrom(LanguageFolder(), SettingsFilePath());
}

int Win32MessageBox(const std::string& title, const std::string& text, unsigned style) {
    return MessageBoxA(GetActiveWindow(), text.c_str(), title.c_str(), style);
}

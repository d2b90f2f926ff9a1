#include "foundation/FileChoosers_win.h"

#include <commdlg.h>
#include <shlobj.h>

std::string ChooseFileToOpen(HWND owner,
                             const std::string& filter,
                             const std::string& title,
                             const std::string& folder) {
    char file[MAX_PATH] = {};
    OPENFILENAMEA choice{};
    choice.lStructSize = sizeof(choice);
    choice.hwndOwner = owner;
    choice.lpstrFilter = filter.c_str();
    choice.lpstrFile = file;
    choice.nMaxFile = sizeof(file);
    choice.lpstrTitle = title.c_str();
    choice.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    choice.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    // The dialog's library (and the printing libraries it pulls in) is loaded only when a file is
    // to be chosen, which keeps it out of the start-up and the working set of every session.
    static HMODULE dialogs = LoadLibraryA("comdlg32.dll");
    auto open = dialogs == nullptr ? nullptr
                                   : reinterpret_cast<BOOL(WINAPI*)(OPENFILENAMEA*)>(
                                         reinterpret_cast<void (*)()>(GetProcAddress(dialogs, "GetOpenFileNameA")));
    return open != nullptr && open(&choice) ? std::string(file) : std::string();
}

std::string ChooseFolder(HWND owner, const std::string& title) {
    char path[MAX_PATH] = {};
    BROWSEINFOA browse{};
    browse.hwndOwner = owner;
    browse.pszDisplayName = path;
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);
    if (chosen == nullptr) {
        return {};
    }
    bool found = SHGetPathFromIDListA(chosen, path) != FALSE;
    CoTaskMemFree(chosen);
    return found ? std::string(path) : std::string();
}

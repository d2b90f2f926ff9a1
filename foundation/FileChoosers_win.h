#pragma once
// The system's dialogs that let the user pick a file or a folder.

#include <windows.h>

#include <string>

// The file-open dialog with a filter (parts ending in NUL, the whole in another), a title and the
// folder to start in (empty: the dialog's choice). The chosen file, or empty text.
std::string ChooseFileToOpen(HWND owner,
                             const std::string& filter,
                             const std::string& title,
                             const std::string& folder);

// The shell's folder dialog with a title; the chosen folder, or empty text.
std::string ChooseFolder(HWND owner, const std::string& title);

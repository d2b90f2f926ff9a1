#pragma once
// The export commands: the save dialog, the overwrite question, a refresh of the lists and the
// file, written to a temporary file and renamed so that a failed export leaves no half file.

#include <windows.h>

#include <string>

struct SaveDialogRequest {
    std::string title;
    std::string fileName;  // proposed
    std::string filter;    // entries separated by "|"
    int filterIndex;       // preselected, from 1
};
struct SaveDialogChoice {
    std::string fileName;
    int filterIndex = 0;
};
// Shows the save dialog; false when the user cancelled. Tests put their own choice here.
using SaveDialogFunction = bool (*)(HWND owner, const SaveDialogRequest& request, SaveDialogChoice& choice);
SaveDialogFunction& ExportSaveDialog();

// Greys the export entries of the lists that have not joined the export yet, so that joining
// stays one line in main/export/ExportedLists_win.cpp.
void GreyUnjoinedExports(HMENU menuBar);

// CommandExportAll to CommandExportAutoruns. True when a file was written; an unjoined list's
// command does nothing.
bool ExportLists(int command);

#include "main/export/ExportLists_win.h"

#include <commdlg.h>

#include <vector>

#include "foundation/Controls_win.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/MessageBoxSeam.h"
#include "main/CommandIds.h"
#include "main/MainWindows_win.h"
#include "main/export/ExportTables.h"
#include "main/export/ExportedLists_win.h"

namespace {

bool ShowSystemSaveDialog(HWND owner, const SaveDialogRequest& request, SaveDialogChoice& choice) {
    std::string filter = request.filter;
    for (char& c : filter) {
        if (c == '|') {
            c = '\0';
        }
    }
    filter += '\0';
    char path[MAX_PATH] = {};
    lstrcpynA(path, request.fileName.c_str(), sizeof(path));
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(request.filterIndex);
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof(path);
    dialog.lpstrTitle = request.title.c_str();
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameA(&dialog)) {
        return false;
    }
    choice.fileName = path;
    choice.filterIndex = static_cast<int>(dialog.nFilterIndex);
    return true;
}

ExportTime LocalExportTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wDay, now.wMonth, now.wYear, now.wHour, now.wMinute, now.wSecond};
}

std::vector<const ExportedList*> ListsOfCommand(int command) {
    std::vector<const ExportedList*> lists;
    const int only = ListKindOfExportCommand(command);
    for (int kind = 0; kind < ListKindCount; ++kind) {
        const ExportedList* entry = FindExportedList(kind);
        if (entry != nullptr && (command == CommandExportAll || kind == only)) {
            lists.push_back(entry);
        }
    }
    return lists;
}

}  // namespace

SaveDialogFunction& ExportSaveDialog() {
    static SaveDialogFunction function = ShowSystemSaveDialog;
    return function;
}

void GreyUnjoinedExports(HMENU menuBar) {
    for (int kind = 0; kind < ListKindCount; ++kind) {
        if (FindExportedList(kind) == nullptr) {
            EnableMenuCommand(menuBar, DescribeListKind(kind).exportCommand, false);
        }
    }
}

bool ExportLists(int command) {
    const std::vector<const ExportedList*> lists = ListsOfCommand(command);
    if (lists.empty()) {
        return false;
    }
    const int only = ListKindOfExportCommand(command);
    SaveDialogRequest request;
    request.title = LanguageText(only < 0 ? LanguageKey::ExportAll : DescribeListKind(only).exportTitle);
    request.fileName = "Vantrel";
    request.filter = ExportFilter();
    request.filterIndex = static_cast<int>(ExportFormat::Html);
    SaveDialogChoice choice;
    if (!ExportSaveDialog()(g_windows.window, request, choice)) {
        return false;
    }
    const ExportFormat format = choice.filterIndex >= static_cast<int>(ExportFormat::Text) &&
                                        choice.filterIndex <= static_cast<int>(ExportFormat::Csv)
                                    ? static_cast<ExportFormat>(choice.filterIndex)
                                    : ExportFormat::Html;
    const std::string path = ExportFileName(choice.fileName, format);
    if (FileExists(path)) {
        const std::string question =
            path + " " + LanguageText(LanguageKey::AlreadyThere) + "\r\n" + LanguageText(LanguageKey::ReplaceIt);
        if (ShowMessageBox(kMainWindowTitle, question, kMessageBoxQuestion) != kAnswerYes) {
            return false;
        }
    }
    std::vector<ExportTable> tables;
    for (const ExportedList* entry : lists) {
        RefreshExportedList(*entry);
        for (ExportTable& table : ExportedTables(*entry, false)) {
            tables.push_back(std::move(table));
        }
    }
    // A file that cannot be written is not reported: the user sees no new file and can choose another place.
    return WriteFileAtomically(path, ExportFile(format, LocalExportTime(), tables));
}

#include "main/processes/ProcessActions_win.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "foundation/Controls_win.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/MessageBoxSeam.h"
#include "foundation/PreferencesDefaults.h"
#include "foundation/ScopedHandles_win.h"
#include "main/CommandIds.h"
#include "main/LibraryTable_win.h"
#include "main/SystemFiles_win.h"
#include "main/processes/ProcessLayer_win.h"
#include "main/processes/ProcessListColumns.h"
#include "main/processes/ProcessListRows.h"
#include "main/processes/ProcessList_win.h"

namespace {

struct SelectedProcess {
    DWORD pid;
    std::string name;
    std::string path;
};

std::vector<SelectedProcess> SelectedProcesses() {
    std::vector<SelectedProcess> selected;
    const RowTable& table = *ProcessListView().table;
    for (size_t row = 0; row < table.rows.size(); ++row) {
        if (table.rows[row].selected) {
            selected.push_back({static_cast<DWORD>(CellUnsigned(table, row, kProcessColumnProcessId)),
                                Cell(table, row, kProcessColumnName), Cell(table, row, kProcessColumnFilePath)});
        }
    }
    return selected;
}

void ReportEndFailure(const SelectedProcess& process) {
    ShowMessageBox(LanguageText(LanguageKey::Information),
                   LanguageTextWith(LanguageKey::CanNotEndProcess, process.name), kMessageBoxWarning);
}

// Deletes the file, retrying for a while: an ended process lets go of its file a little later.
bool DeleteWithRetries(const std::string& path) {
    DWORD start = GetTickCount();
    bool deleted = DeleteFileA(path.c_str()) != FALSE;
    while (!deleted && GetLastError() != ERROR_FILE_NOT_FOUND && GetTickCount() - start < 2000) {
        Sleep(50);
        deleted = DeleteFileA(path.c_str()) != FALSE;
    }
    return deleted;
}

}  // namespace

void EndSelectedProcesses(UINT exitCode) {
    std::vector<SelectedProcess> selected = SelectedProcesses();
    if (selected.empty())
        return;
    HANDLE self = GetCurrentProcess();
    DWORD ownPriority = GetPriorityClass(self);
    SetPriorityClass(self, REALTIME_PRIORITY_CLASS);
    if (selected.size() == 1) {
        if (ShowMessageBox(kMainWindowTitle, LanguageTextWith(LanguageKey::ReallyEndProcess, selected[0].name),
                           kMessageBoxQuestion) == kAnswerYes &&
            !TerminateById(selected[0].pid, exitCode))
            ReportEndFailure(selected[0]);
    } else {
        std::string list;
        for (const SelectedProcess& process : selected)
            list += " - " + process.name + "\r\n";
        std::string question = LanguageText(LanguageKey::ReallyEndFollowingProcesses) + "\r\n\r\n" + list;
        if (ShowMessageBox(kMainWindowTitle, question, kMessageBoxQuestion) == kAnswerYes) {
            for (const SelectedProcess& process : selected)
                SetPriority(process.pid, IDLE_PRIORITY_CLASS);
            for (const SelectedProcess& process : selected) {
                if (!TerminateById(process.pid, exitCode))
                    ReportEndFailure(process);
            }
        }
    }
    if (ownPriority != 0)
        SetPriorityClass(self, ownPriority);
    RefreshProcessList(-1, 0);
}

void SetSelectedPriority(DWORD priorityClass) {
    for (const SelectedProcess& process : SelectedProcesses()) {
        if (!SetPriority(process.pid, priorityClass)) {
            ShowMessageBox(kMainWindowTitle, LanguageTextWith(LanguageKey::CanNotChangePriority, process.name),
                           kMessageBoxError);
        }
    }
    RefreshProcessList(-1, 0);
}

namespace {

bool AffinityOf(DWORD pid, DWORD_PTR& mask) {
    ScopedHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid));
    DWORD_PTR system = 0;
    return process.get() != nullptr && GetProcessAffinityMask(process.get(), &mask, &system);
}

}  // namespace

SetProcessAffinityFunction g_setProcessAffinityMask = SetProcessAffinityMask;

void ToggleSelectedAffinity(int processor) {
    if (processor < 0 || processor >= static_cast<int>(sizeof(DWORD_PTR) * 8))
        return;
    DWORD_PTR bit = static_cast<DWORD_PTR>(1) << processor;
    for (const SelectedProcess& selected : SelectedProcesses()) {
        ScopedHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_SET_INFORMATION, FALSE, selected.pid));
        DWORD_PTR mask = 0, system = 0;
        if (process.get() == nullptr || !GetProcessAffinityMask(process.get(), &mask, &system))
            continue;
        DWORD_PTR toggled = (mask ^ bit) & system;
        if (toggled != 0 && !g_setProcessAffinityMask(process.get(), toggled)) {
            ShowMessageBox(LanguageText(LanguageKey::Information), LanguageText(LanguageKey::CanNotSetProcess),
                           kMessageBoxWarning);
        }
    }
    RefreshProcessList(-1, 0);
}

void PrepareProcessMenu(HMENU menu) {
    std::vector<SelectedProcess> selected = SelectedProcesses();
    const RowTable& table = *ProcessListView().table;
    for (int id = CommandPriorityRealtime; id <= CommandPriorityIdle; ++id)
        CheckMenuCommand(menu, id, false);
    static constexpr DWORD kClasses[] = {kPriorityRealtime, kPriorityHigh,        kPriorityAboveNormal,
                                         kPriorityNormal,   kPriorityBelowNormal, kPriorityIdle};
    for (size_t row = 0; row < table.rows.size(); ++row) {
        if (!table.rows[row].selected)
            continue;
        for (int i = 0; i < 6; ++i) {
            if (Cell(table, row, kProcessColumnPriority) == PriorityShortName(kClasses[i]))
                CheckMenuCommand(menu, CommandPriorityRealtime + i, true);
        }
    }
    DWORD_PTR mask = 0;
    bool known = false;
    for (const SelectedProcess& process : selected) {
        DWORD_PTR one = 0;
        if (AffinityOf(process.pid, one)) {
            mask |= one;
            known = true;
        }
    }
    int checked = 0, lastChecked = -1;
    for (int processor = 0; processor < static_cast<int>(sizeof(DWORD_PTR) * 8); ++processor) {
        int id = CommandProcessorFirst + processor;
        if (GetMenuState(menu, id, MF_BYCOMMAND) == static_cast<UINT>(-1))
            break;
        bool in = (mask >> processor) & 1;
        // Without a mask there is nothing to toggle.
        EnableMenuCommand(menu, id, known);
        CheckMenuCommand(menu, id, in);
        if (in) {
            ++checked;
            lastChecked = id;
        }
    }
    if (checked == 1)
        EnableMenuCommand(menu, lastChecked, false);
}

void PauseSelectedProcesses(bool pause) {
    if (!IsSlotOpen(kNtdllSlot)) {
        ShowMessageBox(kMainWindowTitle, LanguageText(LanguageKey::CanNotFindNTDLL), kMessageBoxError);
        return;
    }
    using ProcessCall = LONG(WINAPI*)(HANDLE);
    auto call = SlotFunctionAs<ProcessCall>(kNtdllSlot, pause ? "NtSuspendProcess" : "NtResumeProcess");
    if (call == nullptr) {
        ShowMessageBox(kMainWindowTitle, LanguageText(LanguageKey::IncompatibleNTDLL), kMessageBoxError);
        return;
    }
    for (const SelectedProcess& selected : SelectedProcesses()) {
        ScopedHandle process(OpenProcess(kProcessAllAccess, TRUE, selected.pid));
        if (process.get() != nullptr)
            call(process.get());
    }
    RefreshProcessList(-1, 0);
}

void JumpToParent() {
    TableListView& view = ProcessListView();
    size_t current = CurrentRow(view);
    if (current == kNoRow)
        return;
    size_t parent =
        FindRow(*view.table, kProcessColumnProcessId, Cell(*view.table, current, kProcessColumnParentProcessId));
    if (parent == kNoRow)
        return;
    SelectOnlyRow(view, parent);
    SetFocus(view.list);
}

void OptimizeSelectedProcesses() {
    for (const SelectedProcess& selected : SelectedProcesses())
        TrimWorkingSet(selected.pid);
    RefreshProcessList(-1, 0);
}

void DeleteSelectedExecutables(UINT exitCode) {
    for (const SelectedProcess& selected : SelectedProcesses()) {
        // A row whose path could not be read shows a placeholder there: nothing to delete, so the
        // process is not ended for it either.
        if (FolderOfPath(selected.path).empty()) {
            ShowMessageBox(LanguageText(LanguageKey::Information),
                           LanguageTextWith(LanguageKey::CanNotDeleteProcess, selected.name), kMessageBoxWarning);
            continue;
        }
        if (ShowMessageBox(kMainWindowTitle, LanguageTextWith(LanguageKey::ReallyDeleteProcess, selected.name),
                           kMessageBoxQuestion) != kAnswerYes)
            continue;
        TerminateById(selected.pid, exitCode);
        // The file the system means: on 64-bit Windows not the 32-bit namesake of a system file.
        SystemFileAccess file(selected.path);
        if (DeleteWithRetries(file.path)) {
            ShowMessageBox(LanguageText(LanguageKey::Information),
                           LanguageTextWith(LanguageKey::DeleteProcessSuccessful, selected.name),
                           kMessageBoxInformation);
        } else if (MoveFileExA(file.path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
            ShowMessageBox(LanguageText(LanguageKey::Information),
                           LanguageTextWith(LanguageKey::CanNotDeleteProcess, selected.name), kMessageBoxWarning);
        } else {
            // Scheduling needs administrator rights: without them nothing happens at the restart,
            // so the text's promise of it is left out.
            ShowMessageBox(
                LanguageText(LanguageKey::Error),
                ReplaceArgument(FirstSentence(LanguageText(LanguageKey::CanNotDeleteProcess)), selected.name),
                kMessageBoxError);
        }
    }
    RefreshProcessList(-1, 0);
}

void ExploreSelectedFolders() {
    for (const SelectedProcess& selected : SelectedProcesses()) {
        std::string folder = FolderOfPath(selected.path);
        if (folder.empty()) {
            ShowMessageBox(LanguageText(LanguageKey::Information),
                           LanguageTextWith(LanguageKey::CanNotGetDirectory, selected.name), kMessageBoxWarning);
            continue;
        }
        ShellExecuteA(nullptr, "open", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
}

void SearchSelectedOnWeb(const std::string& addressTemplate) {
    for (const SelectedProcess& selected : SelectedProcesses()) {
        std::string address = ReplaceArgument(addressTemplate, FileNameOfPath(selected.path));
        ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        Sleep(50);
    }
}

bool RunProcessCommand(int id, const MainPreferences& preferences) {
    static constexpr DWORD kClasses[] = {REALTIME_PRIORITY_CLASS,     HIGH_PRIORITY_CLASS,
                                         ABOVE_NORMAL_PRIORITY_CLASS, NORMAL_PRIORITY_CLASS,
                                         BELOW_NORMAL_PRIORITY_CLASS, IDLE_PRIORITY_CLASS};
    switch (id) {
        case CommandPauseProcess:
        case CommandResumeProcess:
            PauseSelectedProcesses(id == CommandPauseProcess);
            return true;
        case CommandJumpToParent:
            JumpToParent();
            return true;
        case CommandExploreProcessFolder:
            ExploreSelectedFolders();
            return true;
        case CommandWebSearch:
            SearchSelectedOnWeb(preferences.PreferencesSearchString);
            return true;
        case CommandOptimizeProcess:
            OptimizeSelectedProcesses();
            return true;
        case CommandDeleteProcess:
            DeleteSelectedExecutables(static_cast<UINT>(preferences.PreferencesExitCodeSpin));
            return true;
    }
    if (id == CommandEnd) {
        EndSelectedProcesses(static_cast<UINT>(preferences.PreferencesExitCodeSpin));
        return true;
    }
    if (id >= CommandPriorityRealtime && id <= CommandPriorityIdle) {
        SetSelectedPriority(kClasses[id - CommandPriorityRealtime]);
        return true;
    }
    if (id >= CommandProcessorFirst && id < CommandProcessorFirst + static_cast<int>(sizeof(DWORD_PTR) * 8)) {
        ToggleSelectedAffinity(id - CommandProcessorFirst);
        return true;
    }
    return false;
}

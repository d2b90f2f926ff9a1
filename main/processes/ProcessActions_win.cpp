#include "main/processes/ProcessActions_win.h"

#include <shellapi.h>

#include <array>
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
#include "main/processes/ProcessList_win.h"
#include "main/processes/ProcessSelection.h"

namespace {

std::vector<SelectedProcess> Selection() {
    return SelectedProcesses(*ProcessListView().table);
}

int Show(const ProcessMessage& message) {
    return ShowMessageBox(message.title, message.text, message.style);
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
    std::vector<SelectedProcess> selected = Selection();
    if (selected.empty())
        return;
    HANDLE self = GetCurrentProcess();
    DWORD ownPriority = GetPriorityClass(self);
    SetPriorityClass(self, REALTIME_PRIORITY_CLASS);
    if (Show(EndQuestion(selected)) == kAnswerYes) {
        if (selected.size() > 1) {
            for (const SelectedProcess& process : selected)
                SetPriority(process.pid, IDLE_PRIORITY_CLASS);
        }
        for (const SelectedProcess& process : selected) {
            if (!TerminateById(process.pid, exitCode))
                Show(EndFailedMessage(process.name));
        }
    }
    if (ownPriority != 0)
        SetPriorityClass(self, ownPriority);
    RefreshProcessList(-1, 0);
}

void SetSelectedPriority(DWORD priorityClass) {
    for (const SelectedProcess& process : Selection()) {
        if (!SetPriority(process.pid, priorityClass))
            Show(PriorityRefusedMessage(process.name));
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
    for (const SelectedProcess& selected : Selection()) {
        ScopedHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_SET_INFORMATION, FALSE, selected.pid));
        DWORD_PTR mask = 0, system = 0;
        if (process.get() == nullptr || !GetProcessAffinityMask(process.get(), &mask, &system))
            continue;
        DWORD_PTR toggled = static_cast<DWORD_PTR>(ToggledAffinity(mask, system, processor));
        if (toggled != 0 && !g_setProcessAffinityMask(process.get(), toggled))
            Show(AffinityRefusedMessage());
    }
    RefreshProcessList(-1, 0);
}

void PrepareProcessMenu(HMENU menu) {
    std::array<bool, kPriorityCommandCount> priorities = CheckedPriorities(*ProcessListView().table);
    for (size_t i = 0; i < kPriorityCommandCount; ++i)
        CheckMenuCommand(menu, CommandPriorityRealtime + static_cast<int>(i), priorities[i]);
    DWORD_PTR mask = 0;
    bool known = false;
    for (const SelectedProcess& process : Selection()) {
        DWORD_PTR one = 0;
        if (AffinityOf(process.pid, one)) {
            mask |= one;
            known = true;
        }
    }
    int processors = 0;
    while (processors < static_cast<int>(sizeof(DWORD_PTR) * 8) &&
           GetMenuState(menu, CommandProcessorFirst + processors, MF_BYCOMMAND) != static_cast<UINT>(-1))
        ++processors;
    std::vector<ProcessorMark> marks = ProcessorMarks(mask, known, processors);
    for (int processor = 0; processor < processors; ++processor) {
        EnableMenuCommand(menu, CommandProcessorFirst + processor, marks[processor].enabled);
        CheckMenuCommand(menu, CommandProcessorFirst + processor, marks[processor].checked);
    }
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
    for (const SelectedProcess& selected : Selection()) {
        ScopedHandle process(OpenProcess(kProcessAllAccess, TRUE, selected.pid));
        if (process.get() != nullptr)
            call(process.get());
    }
    RefreshProcessList(-1, 0);
}

void JumpToParent() {
    TableListView& view = ProcessListView();
    size_t parent = ParentRow(*view.table, CurrentRow(view));
    if (parent == kNoRow)
        return;
    SelectOnlyRow(view, parent);
    SetFocus(view.list);
}

void OptimizeSelectedProcesses() {
    for (const SelectedProcess& selected : Selection())
        TrimWorkingSet(selected.pid);
    RefreshProcessList(-1, 0);
}

void DeleteSelectedExecutables(UINT exitCode) {
    for (const SelectedProcess& selected : Selection()) {
        // A row whose path could not be read shows a placeholder there: nothing to delete, so the
        // process is not ended for it either.
        if (FolderOfPath(selected.path).empty()) {
            Show(CanNotDeleteMessage(selected.name));
            continue;
        }
        if (Show(DeleteQuestion(selected.name)) != kAnswerYes)
            continue;
        TerminateById(selected.pid, exitCode);
        // The file the system means: on 64-bit Windows not the 32-bit namesake of a system file.
        SystemFileAccess file(selected.path);
        DeleteOutcome outcome = DeleteOutcome::Failed;
        if (DeleteWithRetries(file.path))
            outcome = DeleteOutcome::Deleted;
        else if (MoveFileExA(file.path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT))
            outcome = DeleteOutcome::Scheduled;
        Show(DeleteOutcomeMessage(outcome, selected.name));
    }
    RefreshProcessList(-1, 0);
}

void ExploreSelectedFolders() {
    for (const SelectedProcess& selected : Selection()) {
        std::string folder = FolderOfPath(selected.path);
        if (folder.empty()) {
            Show(NoFolderMessage(selected.name));
            continue;
        }
        ShellExecuteA(nullptr, "open", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
}

void SearchSelectedOnWeb(const std::string& addressTemplate) {
    for (const SelectedProcess& selected : Selection()) {
        std::string address = WebSearchAddress(addressTemplate, selected.path);
        ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        Sleep(50);
    }
}

bool RunProcessCommand(int id, const MainPreferences& preferences) {
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
        SetSelectedPriority(kPriorityCommandClasses[id - CommandPriorityRealtime]);
        return true;
    }
    if (id >= CommandProcessorFirst && id < CommandProcessorFirst + static_cast<int>(sizeof(DWORD_PTR) * 8)) {
        ToggleSelectedAffinity(id - CommandProcessorFirst);
        return true;
    }
    return false;
}

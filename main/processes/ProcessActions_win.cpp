#include "main/processes/ProcessActions_win.h"

#include <string>
#include <vector>

#include "foundation/Language.h"
#include "foundation/MessageBoxSeam.h"
#include "main/processes/ProcessLayer_win.h"
#include "main/processes/ProcessListColumns.h"
#include "main/processes/ProcessList_win.h"

namespace {

constexpr char kProductName[] = "Vantrel";

struct SelectedProcess {
    DWORD pid;
    std::string name;
};

std::vector<SelectedProcess> SelectedProcesses() {
    std::vector<SelectedProcess> selected;
    const RowTable& table = *ProcessListView().table;
    for (size_t row = 0; row < table.rows.size(); ++row) {
        if (table.rows[row].selected) {
            selected.push_back({static_cast<DWORD>(CellUnsigned(table, row, kProcessColumnProcessId)),
                                Cell(table, row, kProcessColumnName)});
        }
    }
    return selected;
}

void ReportEndFailure(const SelectedProcess& process) {
    ShowMessageBox(LanguageText(LanguageKey::Information),
                   LanguageTextWith(LanguageKey::CanNotEndProcess, process.name), kMessageBoxWarning);
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
        if (ShowMessageBox(kProductName, LanguageTextWith(LanguageKey::ReallyEndProcess, selected[0].name),
                           kMessageBoxQuestion) == kAnswerYes &&
            !TerminateById(selected[0].pid, exitCode))
            ReportEndFailure(selected[0]);
    } else {
        std::string list;
        for (const SelectedProcess& process : selected)
            list += " - " + process.name + "\r\n";
        std::string question = LanguageText(LanguageKey::ReallyEndFollowingProcesses) + "\r\n\r\n" + list;
        if (ShowMessageBox(kProductName, question, kMessageBoxQuestion) == kAnswerYes) {
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
            ShowMessageBox(kProductName, LanguageTextWith(LanguageKey::CanNotChangePriority, process.name),
                           kMessageBoxError);
        }
    }
    RefreshProcessList(-1, 0);
}

#include "main/processes/ProcessSelection.h"

#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/MessageBoxSeam.h"
#include "main/CommandIds.h"
#include "main/processes/ProcessListColumns.h"
#include "main/processes/ProcessListRows.h"

std::vector<SelectedProcess> SelectedProcesses(const RowTable& table) {
    std::vector<SelectedProcess> selected;
    for (size_t row = 0; row < table.rows.size(); ++row) {
        if (table.rows[row].selected) {
            selected.push_back({static_cast<uint32_t>(CellUnsigned(table, row, kProcessColumnProcessId)),
                                Cell(table, row, kProcessColumnName), Cell(table, row, kProcessColumnFilePath)});
        }
    }
    return selected;
}

ProcessMessage EndQuestion(const std::vector<SelectedProcess>& selected) {
    if (selected.size() == 1)
        return {kMainWindowTitle, LanguageTextWith(LanguageKey::ReallyEndProcess, selected[0].name),
                kMessageBoxQuestion};
    std::string list;
    for (const SelectedProcess& process : selected)
        list += " - " + process.name + "\r\n";
    return {kMainWindowTitle, LanguageText(LanguageKey::ReallyEndFollowingProcesses) + "\r\n\r\n" + list,
            kMessageBoxQuestion};
}

ProcessMessage EndFailedMessage(const std::string& name) {
    return {LanguageText(LanguageKey::Information), LanguageTextWith(LanguageKey::CanNotEndProcess, name),
            kMessageBoxWarning};
}

ProcessMessage PriorityRefusedMessage(const std::string& name) {
    return {kMainWindowTitle, LanguageTextWith(LanguageKey::CanNotChangePriority, name), kMessageBoxError};
}

ProcessMessage AffinityRefusedMessage() {
    return {LanguageText(LanguageKey::Information), LanguageText(LanguageKey::CanNotSetProcess), kMessageBoxWarning};
}

ProcessMessage NoFolderMessage(const std::string& name) {
    return {LanguageText(LanguageKey::Information), LanguageTextWith(LanguageKey::CanNotGetDirectory, name),
            kMessageBoxWarning};
}

ProcessMessage DeleteQuestion(const std::string& name) {
    return {kMainWindowTitle, LanguageTextWith(LanguageKey::ReallyDeleteProcess, name), kMessageBoxQuestion};
}

ProcessMessage CanNotDeleteMessage(const std::string& name) {
    return {LanguageText(LanguageKey::Information), LanguageTextWith(LanguageKey::CanNotDeleteProcess, name),
            kMessageBoxWarning};
}

ProcessMessage DeleteOutcomeMessage(DeleteOutcome outcome, const std::string& name) {
    switch (outcome) {
        case DeleteOutcome::Deleted:
            return {LanguageText(LanguageKey::Information),
                    LanguageTextWith(LanguageKey::DeleteProcessSuccessful, name), kMessageBoxInformation};
        case DeleteOutcome::Scheduled:
            return CanNotDeleteMessage(name);
        case DeleteOutcome::Failed:
            break;
    }
    // Scheduling needs administrator rights: without them nothing happens at the restart, so the
    // text's promise of it is left out.
    return {LanguageText(LanguageKey::Error),
            ReplaceArgument(FirstSentence(LanguageText(LanguageKey::CanNotDeleteProcess)), name), kMessageBoxError};
}

const std::array<uint32_t, kPriorityCommandCount> kPriorityCommandClasses = {
    kPriorityRealtime, kPriorityHigh, kPriorityAboveNormal, kPriorityNormal, kPriorityBelowNormal, kPriorityIdle};

std::array<bool, kPriorityCommandCount> CheckedPriorities(const RowTable& table) {
    std::array<bool, kPriorityCommandCount> checked{};
    for (size_t row = 0; row < table.rows.size(); ++row) {
        if (!table.rows[row].selected)
            continue;
        for (size_t i = 0; i < kPriorityCommandCount; ++i) {
            if (Cell(table, row, kProcessColumnPriority) == PriorityShortName(kPriorityCommandClasses[i]))
                checked[i] = true;
        }
    }
    return checked;
}

uint64_t ToggledAffinity(uint64_t mask, uint64_t system, int processor) {
    if (processor < 0 || processor >= 64)
        return 0;
    return (mask ^ (uint64_t{1} << processor)) & system;
}

std::vector<ProcessorMark> ProcessorMarks(uint64_t mask, bool known, int processors) {
    std::vector<ProcessorMark> marks;
    int checked = 0;
    for (int processor = 0; processor < processors && processor < 64; ++processor) {
        bool in = (mask >> processor) & 1;
        marks.push_back({known, in});
        checked += in ? 1 : 0;
    }
    if (checked == 1) {
        for (ProcessorMark& mark : marks)
            mark.enabled = mark.enabled && !mark.checked;
    }
    return marks;
}

size_t ParentRow(const RowTable& table, size_t row) {
    if (row == kNoRow)
        return kNoRow;
    return FindRow(table, kProcessColumnProcessId, Cell(table, row, kProcessColumnParentProcessId));
}

std::string WebSearchAddress(const std::string& addressTemplate, const std::string& path) {
    return ReplaceArgument(addressTemplate, FileNameOfPath(path));
}

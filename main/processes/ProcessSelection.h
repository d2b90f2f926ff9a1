#pragma once
// The processes of the selected rows of the process list, and what the menu's actions decide from
// them before any call: the questions and reports, the priority marks, the processor masks.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "main/RowTable.h"

struct SelectedProcess {
    uint32_t pid;
    std::string name;
    std::string path;
};

// The selected rows' processes, in row order.
std::vector<SelectedProcess> SelectedProcesses(const RowTable& table);

// A message box's content, as a command handler shows it.
struct ProcessMessage {
    std::string title;
    std::string text;
    unsigned style;
};

// The question before ending: one process by name, several as a list of names.
ProcessMessage EndQuestion(const std::vector<SelectedProcess>& selected);
ProcessMessage EndFailedMessage(const std::string& name);
ProcessMessage PriorityRefusedMessage(const std::string& name);
ProcessMessage AffinityRefusedMessage();
ProcessMessage NoFolderMessage(const std::string& name);
ProcessMessage DeleteQuestion(const std::string& name);
// The executable stays: the row has no path, or the deletion waits for the restart.
ProcessMessage CanNotDeleteMessage(const std::string& name);
// After ending a process for its executable: deleted, deletion scheduled for the restart, or neither.
enum class DeleteOutcome { Deleted, Scheduled, Failed };
ProcessMessage DeleteOutcomeMessage(DeleteOutcome outcome, const std::string& name);

// The priority classes of the six priority commands, realtime to idle.
constexpr size_t kPriorityCommandCount = 6;
extern const std::array<uint32_t, kPriorityCommandCount> kPriorityCommandClasses;
// Which priority commands are checked: the priority of each selected row.
std::array<bool, kPriorityCommandCount> CheckedPriorities(const RowTable& table);

// The mask with one processor toggled, kept within the system's processors; 0 when that leaves
// none, which is then not set.
uint64_t ToggledAffinity(uint64_t mask, uint64_t system, int processor);
struct ProcessorMark {
    bool enabled;
    bool checked;
};
// The marks of the processor commands for the selection's combined mask: without a known mask there
// is nothing to toggle, and a lone checked processor cannot be taken away.
std::vector<ProcessorMark> ProcessorMarks(uint64_t mask, bool known, int processors);

// The row of the parent of the process in the row, or kNoRow when it is not listed.
size_t ParentRow(const RowTable& table, size_t row);
// The web search address for an executable: the template's "<%1>" replaced by its file name.
std::string WebSearchAddress(const std::string& addressTemplate, const std::string& path);

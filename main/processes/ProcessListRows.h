#pragma once
// The cells of the process list's rows: what a refresh writes, and how it finds and drops rows.

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "main/RowTable.h"
#include "main/RowTableSort.h"
#include "main/processes/ProcessListColumns.h"
#include "main/processes/ProcessSample.h"

// Windows priority class values.
constexpr uint32_t kPriorityRealtime = 256;
constexpr uint32_t kPriorityHigh = 128;
constexpr uint32_t kPriorityAboveNormal = 32768;
constexpr uint32_t kPriorityNormal = 32;
constexpr uint32_t kPriorityBelowNormal = 16384;
constexpr uint32_t kPriorityIdle = 64;

// The short name of a priority class; NotDetectable for anything else.
const std::string& PriorityShortName(uint32_t priorityClass);
// The row background (0x00BBGGRR) of a priority class; false for an unknown class, whose row keeps
// its colour.
bool PriorityBackground(uint32_t priorityClass, uint32_t& colour);

// Attribute letters "a c h r s " with "- " for each one not set. Empty for an empty path, and
// NotDetectable when the attributes could not be read.
std::string FileAttributeText(const std::string& path, uint32_t attributes);

// The name shown for a process: the idle process and System by their pids, a placeholder when empty.
std::string ProcessDisplayName(uint32_t pid, const std::string& name);
std::string FileSizeText(uint64_t bytes);

// The texts of the visible columns 0 to 21 for one process.
using ProcessRowTexts = std::array<std::string, kProcessColumnFilePath + 1>;

// Writes the columns an existing row refreshes, each only when its text differs; columns 15 and 16
// only when `timesShown`. True when a cell changed.
bool UpdateProcessRowCells(RowTable& table, size_t row, const ProcessRowTexts& texts, bool timesShown);
// A new row at the bottom with columns 0 to 21 from the texts; returns its index.
size_t AppendProcessRow(RowTable& table, const ProcessRowTexts& texts);

// How a header click sorts a column: the figures (4, 6 to 18, 20) by value, the rest as text.
CellCompare ProcessColumnCompare(size_t column);
bool IsRightAlignedProcessColumn(size_t column);

// The first row of each pid, so that a refresh finds rows without scanning the list per process.
struct ProcessRowIndex {
    std::unordered_map<uint32_t, size_t> rowOfPid;
};
void BuildProcessRowIndex(ProcessRowIndex& index, const RowTable& table);
size_t FindProcessRow(const ProcessRowIndex& index, uint32_t pid);
void AddToProcessRowIndex(ProcessRowIndex& index, uint32_t pid, size_t row);

// Removes, in one pass, every row whose pid is not among the running ones, keeping the order of the
// others. The history images (column 22) of the removed rows are added to `freedImages`. True when
// a row was removed.
bool RemoveEndedProcessRows(RowTable& table,
                            const std::unordered_set<uint32_t>& running,
                            std::vector<int>* freedImages);

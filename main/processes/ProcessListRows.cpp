#include "main/processes/ProcessListRows.h"

#include <utility>

#include "foundation/Language.h"

namespace {

// Columns an existing row refreshes; 1, 2, 10 and 20 are written only when the row is created.
constexpr size_t kUpdatedColumns[] = {
    kProcessColumnName,         kProcessColumnWindowTitle,    kProcessColumnCpuUsage,      kProcessColumnPriority,
    kProcessColumnProcessId,    kProcessColumnMemoryUsage,    kProcessColumnVirtualMemory, kProcessColumnPoolPaged,
    kProcessColumnPoolNotPaged, kProcessColumnRunningTime,    kProcessColumnCpuTime,       kProcessColumnThreads,
    kProcessColumnHandles,      kProcessColumnFileAttributes, kProcessColumnFilePath};

uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue) {
    return red | (green << 8) | (blue << 16);
}

}  // namespace

const std::string& PriorityShortName(uint32_t priorityClass) {
    switch (priorityClass) {
        case kPriorityRealtime:
            return LanguageText(LanguageKey::PriorityShortRealtime);
        case kPriorityHigh:
            return LanguageText(LanguageKey::PriorityShortHigh);
        case kPriorityAboveNormal:
            return LanguageText(LanguageKey::PriorityShortIncreased);
        case kPriorityNormal:
            return LanguageText(LanguageKey::PriorityShortDefault);
        case kPriorityBelowNormal:
            return LanguageText(LanguageKey::PriorityShortDecreased);
        case kPriorityIdle:
            return LanguageText(LanguageKey::PriorityShortLow);
    }
    return LanguageText(LanguageKey::NotDetectable);
}

bool PriorityBackground(uint32_t priorityClass, uint32_t& colour) {
    switch (priorityClass) {
        case kPriorityRealtime:
            colour = Rgb(0xFF, 0x99, 0x99);
            return true;
        case kPriorityHigh:
            colour = Rgb(0xFF, 0xCC, 0xCC);
            return true;
        case kPriorityAboveNormal:
            colour = Rgb(0xFF, 0xDD, 0xDD);
            return true;
        case kPriorityNormal:
            colour = Rgb(0xFF, 0xFF, 0xFF);
            return true;
        case kPriorityBelowNormal:
            colour = Rgb(0xCC, 0xFF, 0xCC);
            return true;
        case kPriorityIdle:
            colour = Rgb(0xAA, 0xFF, 0xAA);
            return true;
    }
    return false;
}

std::string FileAttributeText(const std::string& path, uint32_t attributes) {
    if (path.empty())
        return "";
    if (attributes == kInvalidAttributes)
        return LanguageText(LanguageKey::NotDetectable);
    std::string text;
    text += (attributes & kAttributeArchive) ? "a " : "- ";
    text += (attributes & kAttributeCompressed) ? "c " : "- ";
    text += (attributes & kAttributeHidden) ? "h " : "- ";
    text += (attributes & kAttributeReadOnly) ? "r " : "- ";
    text += (attributes & kAttributeSystem) ? "s " : "- ";
    return text;
}

std::string ProcessDisplayName(uint32_t pid, const std::string& name) {
    if (pid == 0)
        return LanguageText(LanguageKey::IdleProcess);
    if (pid == 4)
        return LanguageText(LanguageKey::System);
    if (name.empty())
        return LanguageText(LanguageKey::UnknownProcess);
    return name;
}

std::string FileSizeText(uint64_t bytes) {
    return std::to_string(bytes / 1000) + " KB";
}

bool UpdateProcessRowCells(RowTable& table, size_t row, const ProcessRowTexts& texts, bool timesShown) {
    bool changed = false;
    for (size_t column : kUpdatedColumns) {
        if (!timesShown && (column == kProcessColumnRunningTime || column == kProcessColumnCpuTime))
            continue;
        changed |= SetCell(table, row, column, texts[column]);
    }
    return changed;
}

size_t AppendProcessRow(RowTable& table, const ProcessRowTexts& texts) {
    size_t row = AppendRow(table);
    for (size_t column = 0; column < texts.size(); ++column)
        SetCell(table, row, column, texts[column]);
    return row;
}

bool IsRightAlignedProcessColumn(size_t column) {
    return column == kProcessColumnCpuUsage ||
           (column >= kProcessColumnWriteActivity && column <= kProcessColumnHandles) ||
           column == kProcessColumnFileSize;
}

CellCompare ProcessColumnCompare(size_t column) {
    if (column == kProcessColumnRunningTime || column == kProcessColumnCpuTime)
        return CompareCellDuration;
    return IsRightAlignedProcessColumn(column) ? CompareCellNumber : CompareCellText;
}

void BuildProcessRowIndex(ProcessRowIndex& index, const RowTable& table) {
    index.rowOfPid.clear();
    index.rowOfPid.reserve(table.rows.size() * 2);
    for (size_t row = 0; row < table.rows.size(); ++row)
        index.rowOfPid.emplace(static_cast<uint32_t>(CellUnsigned(table, row, kProcessColumnProcessId)), row);
}

size_t FindProcessRow(const ProcessRowIndex& index, uint32_t pid) {
    auto found = index.rowOfPid.find(pid);
    return found == index.rowOfPid.end() ? kNoRow : found->second;
}

void AddToProcessRowIndex(ProcessRowIndex& index, uint32_t pid, size_t row) {
    index.rowOfPid.emplace(pid, row);
}

bool RemoveEndedProcessRows(RowTable& table,
                            const std::unordered_set<uint32_t>& running,
                            std::vector<int>* freedImages) {
    size_t kept = 0;
    for (size_t row = 0; row < table.rows.size(); ++row) {
        uint32_t pid = static_cast<uint32_t>(CellUnsigned(table, row, kProcessColumnProcessId));
        if (running.count(pid) != 0) {
            if (kept != row)
                table.rows[kept] = std::move(table.rows[row]);
            ++kept;
            continue;
        }
        int image = static_cast<int>(CellInteger(table, row, kProcessColumnHistoryImage));
        if (freedImages && image > 0)
            freedImages->push_back(image);
    }
    bool removed = kept != table.rows.size();
    table.rows.resize(kept);
    return removed;
}

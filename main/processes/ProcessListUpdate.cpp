#include "main/processes/ProcessListUpdate.h"

#include <string>
#include <unordered_set>

#include "foundation/Language.h"
#include "main/processes/ProcessListRows.h"

namespace {

ProcessRowTexts TextsOf(const ProcessSample& sample, const ProcessListOptions& options, int64_t now) {
    ProcessRowTexts texts;
    texts[kProcessColumnName] = ProcessDisplayName(sample.pid, sample.name);
    texts[kProcessColumnWindowTitle] = sample.windowTitle;
    texts[kProcessColumnPriority] = PriorityShortName(sample.priorityClass);
    texts[kProcessColumnProcessId] = std::to_string(sample.pid);
    texts[kProcessColumnMemoryUsage] = MemoryText(sample.workingSet);
    texts[kProcessColumnVirtualMemory] = MemoryText(sample.pagefileUsage);
    texts[kProcessColumnPoolPaged] = MemoryText(sample.pagedPool);
    texts[kProcessColumnPoolNotPaged] = MemoryText(sample.nonPagedPool);
    if (ProcessTimesShown(options)) {
        texts[kProcessColumnRunningTime] = RunningTimeText(UnixSecondsFromFileTime(sample.creationTime), now);
        texts[kProcessColumnCpuTime] = CpuTimeText(sample.kernelTime, sample.userTime);
    }
    texts[kProcessColumnThreads] = std::to_string(sample.threads);
    texts[kProcessColumnHandles] = std::to_string(sample.handles);
    texts[kProcessColumnFileAttributes] = FileAttributeText(sample.path, sample.fileAttributes);
    texts[kProcessColumnFilePath] = sample.path.empty() ? LanguageText(LanguageKey::NotDetectable) : sample.path;
    return texts;
}

void SetBackground(RowTable& table, size_t row, uint32_t priorityClass) {
    uint32_t colour = 0;
    if (PriorityBackground(priorityClass, colour))
        table.rows[row].backgroundColour = colour;
}

// True when a shown cell changed.
bool UpdateRow(RowTable& table,
               size_t row,
               const ProcessSample& sample,
               ProcessRowTexts& texts,
               const ProcessListOptions& options,
               ProcessListChanges& changes) {
    if (sample.opened) {
        float share = sample.cpuRead ? UpdateCpuShare(table, row, sample.cpu, sample.cpuNext) : 0.0f;
        texts[kProcessColumnCpuUsage] = CpuShareText(share);
        int history = static_cast<int>(CellInteger(table, row, kProcessColumnHistoryImage));
        if (history > 0 && options.cpuHistory)
            changes.historySteps.push_back({history, share});
    }
    bool priorityChanged = Cell(table, row, kProcessColumnPriority) != texts[kProcessColumnPriority];
    bool changed = UpdateProcessRowCells(table, row, texts, ProcessTimesShown(options));
    if (priorityChanged)
        SetBackground(table, row, sample.priorityClass);
    changed |= WriteIoActivity(table, row, sample);
    return changed;
}

size_t AppendNewRow(RowTable& table,
                    const ProcessSample& sample,
                    ProcessRowTexts& texts,
                    const ProcessListOptions& options) {
    texts[kProcessColumnParentProcessId] = std::to_string(sample.parentPid);
    if (!sample.path.empty() && sample.fileAttributes != kInvalidAttributes)
        texts[kProcessColumnFileSize] = FileSizeText(sample.fileSize);
    // The database columns 1 and 2 are filled here once the process database is looked up.
    size_t row = AppendProcessRow(table, texts);
    SetCellInteger(table, row, kProcessColumnHistoryImage, 0);
    // The first sample, for the next refresh to measure against.
    if (ProcessColumnShown(options, kProcessColumnCpuUsage) && sample.opened && sample.cpuRead)
        StoreCpuSample(table, row, sample.cpuNext);
    if (sample.ioAvailable)
        StoreIoCounts(table, row, sample.io);
    SetBackground(table, row, sample.priorityClass);
    return row;
}

}  // namespace

ProcessListChanges ApplyProcessPass(RowTable& table, const ProcessPass& pass, const ProcessListOptions& options) {
    ProcessListChanges changes;
    ProcessRowIndex index;
    BuildProcessRowIndex(index, table);
    std::unordered_set<uint32_t> running;
    running.reserve(pass.samples.size() * 2);
    for (size_t i = 0; i < pass.samples.size(); ++i) {
        const ProcessSample& sample = pass.samples[i];
        running.insert(sample.pid);
        ProcessRowTexts texts = TextsOf(sample, options, pass.nowUnixSeconds);
        size_t row = FindProcessRow(index, sample.pid);
        if (row != kNoRow) {
            if (Cell(table, row, kProcessColumnFilePath) != texts[kProcessColumnFilePath])
                changes.repathedRows.push_back({sample.pid, i});
            if (UpdateRow(table, row, sample, texts, options, changes))
                ++changes.updatedRows;
        } else {
            row = AppendNewRow(table, sample, texts, options);
            AddToProcessRowIndex(index, sample.pid, row);
            changes.addedRows.push_back({row, i});
        }
    }
    size_t before = table.rows.size();
    RemoveEndedProcessRows(table, running, &changes.freedHistoryImages);
    changes.removedRows = before - table.rows.size();
    // Only rows listed before the pass were removed, all above the new ones.
    for (NewProcessRow& added : changes.addedRows)
        added.row -= changes.removedRows;
    // Noted by id until the removal settled the rows.
    if (!changes.repathedRows.empty())
        BuildProcessRowIndex(index, table);
    for (NewProcessRow& repathed : changes.repathedRows)
        repathed.row = FindProcessRow(index, static_cast<uint32_t>(repathed.row));
    return changes;
}

bool ProcessListChanged(const ProcessListChanges& changes) {
    return !changes.addedRows.empty() || changes.removedRows != 0 || changes.updatedRows != 0;
}

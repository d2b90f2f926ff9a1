#pragma once
// One refresh of the process list, applied to its rows: what the system said about every running
// process goes into the table, and what changed comes back for the parts the table cannot hold
// (icons, history images, the redraw).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "main/RowTable.h"
#include "main/processes/ProcessListOptions.h"
#include "main/processes/ProcessSample.h"

struct ProcessPass {
    std::vector<ProcessSample> samples;  // one per running process, in enumeration order
    int64_t nowUnixSeconds = 0;          // what the running times are counted up to
    uint64_t workingSetSum = 0;          // of all the samples, in bytes
};

struct NewProcessRow {
    size_t row;     // in the table as the pass left it
    size_t sample;  // in the pass
};

// The bar a row's history image gets for this refresh.
struct CpuHistoryStep {
    int image;
    float share;
};

struct ProcessListChanges {
    std::vector<NewProcessRow> addedRows;  // their history image cell says 0 until one is made
    // Listed rows whose id now belongs to another executable: they need its image.
    std::vector<NewProcessRow> repathedRows;
    size_t removedRows = 0;
    size_t updatedRows = 0;  // listed rows with a shown cell rewritten
    std::vector<CpuHistoryStep> historySteps;
    std::vector<int> freedHistoryImages;  // of the removed rows
};

// Listed processes get their changed cells rewritten and their previous samples moved on, new ones
// a row at the bottom, and the rows of processes that ended go. A pid that comes back for a new
// process keeps the row, and its previous samples, of the one before.
ProcessListChanges ApplyProcessPass(RowTable& table, const ProcessPass& pass, const ProcessListOptions& options);
// Whether anything the list shows changed: rows added, removed or rewritten.
bool ProcessListChanged(const ProcessListChanges& changes);

#pragma once
// The processes view's list: one row per running process, refreshed in place.

#include <windows.h>

#include <cstdint>

#include "main/TableListView_win.h"

struct MainPreferences;

// The list reads the settings at every refresh, so they must outlive it.
HWND CreateProcessList(HWND view, const MainPreferences* preferences);
void LayoutProcessList(int width, int height);
TableListView& ProcessListView();
// Shows the columns the settings ask for, at the widths they give.
void ApplyProcessListColumns();
// The sum of the working sets (bytes) of the processes seen by the last refresh.
uint64_t ProcessListWorkingSetSum();

// Brings the list up to date: rows updated cell by cell, new processes appended, ended ones
// removed, then sorted (sortColumn -1 and sortDirection 0 keep the list's own sort; a direction
// above 0 is ascending) or arranged as a tree. Nonzero when anything changed. The system is asked
// now, so a command's effect shows at once.
BOOL RefreshProcessList(int sortColumn, int sortDirection);
// The same without holding up the window: the processes are sampled on a thread of their own, and
// the rows updated on this thread when the pass arrives. Start-up asks for the first pass early,
// before the list exists; exit stops the sampling before the process layer goes.
void RequestProcessListRefresh();
void StopProcessListSampling();
// Where new rows' ratings come from (null: none).
struct RatingDatabase;
void SetProcessListRatings(RatingDatabase* database);
// Called after every refresh that changed the list (each observer once, however often added).
void AddProcessListChangeObserver(void (*observer)());
// Empties the list and frees the rows' history images, for a rebuild from scratch.
void ClearProcessList();
// Gives every row a CPU history image (on) or frees them all (off), after the option was switched.
void SetCpuHistoryImages(bool on);
// The tree option was switched: arrange (on) or re-sort (off) without a new sample.
void SetProcessTreeView(bool on);
// In tree mode, puts the rows back into parent/child order after a sort, without a refresh.
void RearrangeProcessTree();

// How often the list sampled the system and arranged its tree, for the tests to tell them apart.
struct ProcessListActivity {
    unsigned passes = 0;
    unsigned arrangements = 0;
};
const ProcessListActivity& ProcessListActivityCounts();

// Texts, colours, selection and header clicks of the list; true when it was the process list's.
bool HandleProcessListNotification(const NMHDR& header, LRESULT& result);

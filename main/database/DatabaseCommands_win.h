#pragma once
// The database commands of the process list and the autorun list: query the selected files again,
// rate them, delete their ratings online, and the account.

#include <cstddef>

#include "main/TableListView_win.h"
#include "main/database/DatabaseDialog_win.h"

// The list a command acts on: where its rows keep their file, and how its details view (the
// process information window, the autorun details) follows a changed row.
struct RatedList {
    TableListView* view = nullptr;
    size_t fileColumn = 0;
    void (*updateDetails)() = nullptr;
};

// Each asks the server about every selected row's file, whatever the age of its cache entry, and
// shows the answer in the row. The exchanges run off the window thread; Cancel ends the pass.
void QuerySelectedRows(const DatabaseContext& context, const RatedList& list);
// The rating dialog for every selected row's file (once per file); an upload shows in the rows.
void RateSelectedRows(const DatabaseContext& context, const RatedList& list);
// Deletes every selected row's rating online; a failure names the row in CanNotDeleteDatabase.
void DeleteSelectedRows(const DatabaseContext& context, const RatedList& list);

#pragma once
// The main program's rating database: its ties to the windows, texts and clock, and its cache file,
// read at start-up and written at exit.

// Gives the rating lookups their clock, texts and progress window; needs the main window.
void ConnectRatingDatabase();
// The loop's first step after a wait: a progress window left open by lookups is closed, the
// windows it disabled are enabled again and a Cancel is forgotten.
void CloseDatabaseWaitWindow();

// Read and write "vantrel.db" beside the program; their failures show the cache's own texts.
void LoadRatingDatabase();
void SaveRatingDatabase();

// Commands 33 to 36: query, rate and delete the selected rows of the list the current view shows
// (the process list or the autorun list), and the account dialog. True when the identifier was one
// of them.
bool RunDatabaseCommand(int id);

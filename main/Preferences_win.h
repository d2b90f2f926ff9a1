#pragma once
// Reading and writing the main program's settings at start-up, on apply and at exit, and the
// preferences window's controls they fill and read.

#include <windows.h>

// Reads the settings into the program's preferences and shows them in the preferences window; with
// column widths also group ColumnWidth and the window placement (start-up), without them the
// running window placement stays.
void LoadPreferences(bool withColumnWidths);
// Takes the preferences window's values over, applies them to the running program (history images,
// tree, startup shortcut, stay-on-top, database), writes the settings file and tells the tray
// companion. At exit the window's values are not taken: the window shows the applied values then.
// A changed language is asked about unless exiting; a restart is then posted as the loop's end.
void SavePreferences(bool exiting);

// The SMART view's check boxes changed the monitoring selection: the settings are written as they
// are in use (nothing of the preferences window's unapplied edits) and the tray companion told.
void SaveSmartSelection();

// The process list's column widths as the user left them; hidden columns keep the width they had.
struct MainPreferences;
void TakeProcessColumnWidths(MainPreferences& preferences);

// Windows XP or later (Explorer cannot be brought back there by this program).
bool IsWindowsXpOrLater();

// A control of the preferences window by its identifier, on whichever page it sits; null if none.
HWND PreferencesWindowControl(int id);
// Sets the window's controls from the preferences (used on opening and to drop cancelled edits).
void ShowPreferencesValues(const MainPreferences& preferences);

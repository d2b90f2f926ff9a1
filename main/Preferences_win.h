#pragma once
// Reading and writing the main program's settings at start-up, on apply and at exit.

// Reads the settings into the program's preferences; with column widths also group ColumnWidth.
void LoadPreferences(bool withColumnWidths);
// Writes the settings file (creating the Vantrel folder when needed) and tells the tray companion
// to reload its SMART selection.
void SavePreferences(bool exiting);

// The process list's column widths as the user left them (0 for a hidden column).
struct MainPreferences;
void TakeProcessColumnWidths(MainPreferences& preferences);

#pragma once
// Where the SMART monitor and the agencies join the tray companion: one call at each place of the
// start-up, the loop, the menu and the exit. Until they are built, each call does nothing and the
// agencies' menu entries are greyed.

// SMART monitoring: the selection and "smart.dat" read and every monitored drive checked once
// (start-up), the changes logged (every minute), the selection reloaded (the main program saved
// its settings), the table saved (menu Close).
void StartSmartMonitoring();
void LogSmartChanges();
void ReloadSmartSelection();
void SaveSmartTable();

// Agencies: their windows and file (start-up), one pass (every 200 ms; the system-start agencies
// too after a start with "-Autorun"), the priority watch (every second), their menu entries, and
// the exit (every process the watch slowed gets its priority back).
void StartAgencies();
void RunAgencyPass(bool autorun);
void RunPriorityWatch();
void RunAgencyCommand(int command);
void StopAgencies();

// Whether a menu command can be used yet.
bool TrayCommandAvailable(int command);

#pragma once
// The calls that act on the whole machine go through this table, so tests can put harmless
// recorders in their place.

#include <windows.h>

struct SystemPowerFunctions {
    BOOL(WINAPI* exitWindows)(UINT flags, DWORD reason);
    BOOL(WINAPI* setSystemPowerState)(BOOL suspend, BOOL force);
    BOOL(WINAPI* lockWorkStation)();
};

SystemPowerFunctions& SystemPower();

// The System menu's commands: shut down, restart, stand by, hibernate, log off, lock. Failures of
// shut down, restart and log off are reported in a message box.
void RunPowerCommand(int command);

// Whether the power library allows the command's action (shut down and restart, hibernate, stand
// by); true for the other commands and when the library or its query is missing.
bool PowerCommandAllowed(int command);

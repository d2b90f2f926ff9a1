#pragma once
// The agency windows own the three lists; the wizards and edit dialogs change them through here.

#include <windows.h>

#include <string>

#include "tray/agencies/AgencyFile.h"

AgencyLists& TheAgencies();
// Writes "agency.dat" (and the autostart link while any list has a row) and redraws the lists.
void SaveAgencies();
// While a wizard or edit dialog is open, the wizard menu entries and both agency windows are off.
void EnableAgencyUi(bool enabled);
bool AgencyUiEnabled();

// The exec agency window (tabs for the system-start and program-start lists) and the avoid agency
// window, created hidden at start-up; closing them only hides them.
void CreateAgencyWindows(HINSTANCE instance);
void DestroyAgencyWindows();
void ShowAgencyWindow(AgencyKind kind);
// Reads "agency.dat" into the lists (with `autorun`, system-start agencies wait for their turn).
void LoadAgencies(bool autorun);
// "agency.dat" beside the settings file.
std::string AgencyFilePath();
// Shows the lists' rows again after they changed.
void RefreshAgencyLists();
// Tab and the arrow keys move between the agency windows' controls; true when the message was one.
bool HandleAgencyWindowKeys(MSG& message);

// The controls of a list's page, as a user's clicks reach them.
enum class AgencyControl { Window, List, Add, Remove, Edit };
HWND AgencyControlOf(AgencyKind kind, AgencyControl control);

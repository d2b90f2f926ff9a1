#pragma once
// The agency windows own the three lists; the wizards and edit dialogs change them through here.

#include <windows.h>

#include "tray/agencies/AgencyFile.h"

AgencyLists& TheAgencies();
// Writes "agency.dat" (and the autostart link while any list has a row) and redraws the lists.
void SaveAgencies();
// While a wizard or edit dialog is open, the wizard menu entries and both agency windows are off.
void EnableAgencyUi(bool enabled);
bool AgencyUiEnabled();

#pragma once
// The three wizards (new agencies) and the three edit dialogs (a row changed in place). Each runs
// modally; on Ready or Apply it changes TheAgencies() and calls SaveAgencies().

#include <windows.h>

#include "tray/agencies/AgencyFile.h"

void RunAgencyWizard(HWND owner, AgencyKind kind);
void RunAgencyEditDialog(HWND owner, AgencyKind kind, size_t row);

#include "tray/agencies/AgencyWizards_win.h"

// Stand-ins until the wizards and edit dialogs land; this file goes when they do.
void RunAgencyWizard(HWND, AgencyKind) {}
void RunAgencyEditDialog(HWND, AgencyKind, size_t) {}

#include "tray/agencies/AgencyWizards_win.h"

// Stand-ins until the wizards and edit dialogs land: the strong definitions replace these.
__attribute__((weak)) void RunAgencyWizard(HWND, AgencyKind) {}
__attribute__((weak)) void RunAgencyEditDialog(HWND, AgencyKind, size_t) {}

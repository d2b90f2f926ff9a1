#include "tray/TrayPlugIns_win.h"

#include "tray/TrayMenu.h"

// NOT BUILT YET: the agency windows, file, runtime and wizards.
void StartAgencies() {}
void RunAgencyPass(bool) {}
void RunPriorityWatch() {}
void RunAgencyCommand(int) {}

bool TrayCommandAvailable(int command) {
    switch (command) {
        case TrayCommandShowExecAgency:
        case TrayCommandWizardSystem:
        case TrayCommandWizardProgram:
        case TrayCommandShowAvoidAgency:
        case TrayCommandWizardAvoid:
            return false;
    }
    return true;
}

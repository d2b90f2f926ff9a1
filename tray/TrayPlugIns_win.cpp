#include "tray/TrayPlugIns_win.h"

#include "tray/TrayMenu.h"
#include "tray/agencies/AgencyWindows_win.h"

// NOT BUILT YET: the SMART monitor of the tray companion.
void StartSmartMonitoring() {}
void LogSmartChanges() {}
void ReloadSmartSelection() {}
void SaveSmartTable() {}

bool TrayCommandAvailable(int command) {
    switch (command) {
        case TrayCommandWizardSystem:
        case TrayCommandWizardProgram:
        case TrayCommandWizardAvoid:
            return AgencyUiEnabled();
    }
    return true;
}

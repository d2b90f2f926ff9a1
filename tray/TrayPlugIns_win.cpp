#include "tray/TrayPlugIns_win.h"

#include "tray/TrayMenu.h"
#include "tray/agencies/AgencyWindows_win.h"

bool TrayCommandAvailable(int command) {
    switch (command) {
        case TrayCommandWizardSystem:
        case TrayCommandWizardProgram:
        case TrayCommandWizardAvoid:
            return AgencyUiEnabled();
    }
    return true;
}

#include "main/SystemPower_win.h"

#include "foundation/Language.h"
#include "foundation/MessageBoxSeam.h"
#include "main/CommandIds.h"
#include "main/LibraryTable_win.h"

namespace {

BOOL WINAPI LockWorkStationByName() {
    // Bound by name: Windows before 2000 lacks it, and the program must still start there.
    using Lock = BOOL(WINAPI*)();
    Lock lock = ExportedFunction<Lock>(GetModuleHandleA("user32.dll"), "LockWorkStation");
    return lock != nullptr ? lock() : FALSE;
}

void ReportFailure(LanguageKey text) {
    ShowMessageBox(LanguageText(LanguageKey::Information), LanguageText(text), kMessageBoxWarning);
}

}  // namespace

SystemPowerFunctions& SystemPower() {
    static SystemPowerFunctions functions = {ExitWindowsEx, SetSystemPowerState, LockWorkStationByName};
    return functions;
}

void RunPowerCommand(int command) {
    SystemPowerFunctions& power = SystemPower();
    switch (command) {
        case CommandShutdown:
            if (!power.exitWindows(EWX_POWEROFF, 0)) {
                ReportFailure(LanguageKey::CanNotShutdownSystem);
            }
            break;
        case CommandReboot:
            if (!power.exitWindows(EWX_REBOOT, 0)) {
                ReportFailure(LanguageKey::CanNotRestartSystem);
            }
            break;
        case CommandStandby:
            power.setSystemPowerState(TRUE, FALSE);
            break;
        case CommandHibernate:
            power.setSystemPowerState(FALSE, FALSE);
            break;
        case CommandLogoff:
            if (!power.exitWindows(EWX_LOGOFF, 0)) {
                ReportFailure(LanguageKey::CanNotLockSystem);
            }
            break;
        case CommandLock:
            power.lockWorkStation();
            break;
    }
}

bool PowerCommandAllowed(int command) {
    const char* query = nullptr;
    switch (command) {
        case CommandShutdown:
        case CommandReboot:
            query = "IsPwrShutdownAllowed";
            break;
        case CommandHibernate:
            query = "IsPwrHibernateAllowed";
            break;
        case CommandStandby:
            query = "IsPwrSuspendAllowed";
            break;
        default:
            return true;
    }
    using Query = BOOLEAN(WINAPI*)();
    Query allowed = SlotFunctionAs<Query>(kPowrProfSlot, query);
    return allowed == nullptr || allowed() != 0;
}

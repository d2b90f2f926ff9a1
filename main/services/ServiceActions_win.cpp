#include "main/services/ServiceActions_win.h"

#include "foundation/MessageBoxSeam.h"
#include "main/autoruns/RegistryPath.h"
#include "main/autoruns/Registry_win.h"
#include "main/services/ServiceControl_win.h"

bool WriteServiceStartType(const std::string& serviceName, const std::string& startType) {
    if (serviceName.empty() || startType.empty()) {
        return false;
    }
    // The manager reads its configuration from the registry only when it starts, so it is told the
    // new start type as well; otherwise the rebuilt list would go on showing the old one.
    ChangeServiceStartType(serviceName, RegistryDwordFromText(startType));
    return WriteRegistryValue(kServicesRegistryPath + serviceName, "Start", startType, kRegistryDword) == 1;
}

bool PerformServiceAction(ServiceAction action, const std::string& serviceName) {
    switch (action) {
        case ServiceAction::Start:
            return StartServiceByName(serviceName);
        case ServiceAction::Stop:
            return StopService(serviceName);
        case ServiceAction::Pause:
            return PauseService(serviceName);
        case ServiceAction::Continue:
            return ContinueService(serviceName);
        case ServiceAction::RunDeactivated:
        case ServiceAction::RunAutomatic:
        case ServiceAction::RunManual:
            return WriteServiceStartType(serviceName, ServiceActionStartType(action));
    }
    return false;
}

bool RunServiceAction(ServiceAction action, const std::string& serviceName) {
    if (PerformServiceAction(action, serviceName)) {
        return true;
    }
    ShowMessageBox(LanguageText(LanguageKey::Information),
                   LanguageTextWith(ServiceActionTextsOf(action).failure, serviceName), kMessageBoxWarning);
    return false;
}

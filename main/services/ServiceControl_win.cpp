#include "main/services/ServiceControl_win.h"

#include <vector>

#include "main/autoruns/IndirectText_win.h"
#include "main/autoruns/RegistryPath.h"

namespace {

// What every user may do: list the services and read their configuration. Each action asks for its
// own right when it opens the service, and a user who lacks it sees the action's failure message.
constexpr DWORD kManagerAccess = SC_MANAGER_CONNECT | SC_MANAGER_ENUMERATE_SERVICE;
constexpr DWORD kConfigurationAccess = SERVICE_QUERY_CONFIG;
constexpr DWORD kWin32Services = SERVICE_WIN32;  // own-process and shared-process: 0x30
constexpr DWORD kAnyState = SERVICE_STATE_ALL;   // 3
// A service added between the size query and the enumeration makes the buffer too small; the
// enumeration is simply asked again a few times.
constexpr int kEnumerationAttempts = 3;
constexpr char kDescriptionValue[] = "Description";

// The service of that name, opened with the rights asked for; null when the manager is not open or
// refuses.
SC_HANDLE OpenNamedService(const std::string& name, DWORD access) {
    SC_HANDLE manager = ProgramServiceLayer().manager.get();
    return manager != nullptr && !name.empty() ? OpenServiceA(manager, name.c_str(), access) : nullptr;
}

// Elements enough to hold `length` bytes, so that the strings behind the records stay aligned.
template <typename Record>
std::size_t RecordsForLength(DWORD length) {
    return (length + sizeof(Record) - 1) / sizeof(Record);
}

bool SendControl(const std::string& serviceName, DWORD control, DWORD access) {
    ScopedServiceHandle service(OpenNamedService(serviceName, access));
    SERVICE_STATUS status{};
    return service.valid() && ControlService(service.get(), control, &status) != FALSE;
}

std::string TextOrEmpty(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}

}  // namespace

ServiceLayer& ProgramServiceLayer() {
    static ServiceLayer layer;
    return layer;
}

void OpenServiceManager() {
    ServiceLayer& layer = ProgramServiceLayer();
    if (!layer.manager.valid()) {
        layer.manager.reset(OpenSCManagerA(nullptr, nullptr, kManagerAccess));
    }
}

void CloseServiceManager() {
    ProgramServiceLayer().manager.reset();
    ClearServiceEntries(ProgramServiceCatalog());
    ProgramServiceCatalog().configuration = ServiceConfiguration{};
}

unsigned long BeginServiceEnumeration() {
    ServiceLayer& layer = ProgramServiceLayer();
    ServiceCatalog& catalog = ProgramServiceCatalog();
    ClearServiceEntries(catalog);
    if (!layer.manager.valid()) {
        return 0;
    }
    for (int attempt = 0; attempt < kEnumerationAttempts; ++attempt) {
        ENUM_SERVICE_STATUSA probe{};
        DWORD needed = 0;
        DWORD returned = 0;
        DWORD resume = 0;
        if (EnumServicesStatusA(layer.manager.get(), kWin32Services, kAnyState, &probe, 0, &needed, &returned,
                                &resume)) {
            return 0;  // no services at all
        }
        if (GetLastError() != ERROR_MORE_DATA || needed == 0) {
            return 0;
        }
        // The records with their name texts behind them.
        std::vector<ENUM_SERVICE_STATUSA> records(RecordsForLength<ENUM_SERVICE_STATUSA>(needed));
        DWORD length = static_cast<DWORD>(records.size() * sizeof(ENUM_SERVICE_STATUSA));
        resume = 0;
        returned = 0;
        if (EnumServicesStatusA(layer.manager.get(), kWin32Services, kAnyState, records.data(), length, &needed,
                                &returned, &resume)) {
            for (DWORD i = 0; returned <= records.size() && i < returned; ++i) {
                catalog.services.push_back({TextOrEmpty(records[i].lpServiceName),
                                            TextOrEmpty(records[i].lpDisplayName),
                                            records[i].ServiceStatus.dwCurrentState});
            }
            return static_cast<unsigned long>(catalog.services.size());
        }
        if (GetLastError() != ERROR_MORE_DATA) {
            return 0;
        }
    }
    return 0;
}

bool QueryServiceConfiguration(const std::string& serviceName) {
    ServiceConfiguration& configuration = ProgramServiceCatalog().configuration;
    configuration = ServiceConfiguration{};
    ScopedServiceHandle service(OpenNamedService(serviceName, kConfigurationAccess));
    if (!service.valid()) {
        return false;
    }
    DWORD needed = 0;
    if (QueryServiceConfigA(service.get(), nullptr, 0, &needed) || GetLastError() != ERROR_INSUFFICIENT_BUFFER ||
        needed == 0) {
        return false;
    }
    std::vector<QUERY_SERVICE_CONFIGA> block(RecordsForLength<QUERY_SERVICE_CONFIGA>(needed));
    DWORD length = static_cast<DWORD>(block.size() * sizeof(QUERY_SERVICE_CONFIGA));
    if (!QueryServiceConfigA(service.get(), block.data(), length, &needed)) {
        return false;
    }
    configuration.binaryPath = TextOrEmpty(block[0].lpBinaryPathName);
    configuration.startType = static_cast<long>(block[0].dwStartType);
    configuration.serviceType = static_cast<long>(block[0].dwServiceType);
    return true;
}

std::string ServiceDescription(const std::string& serviceName) {
    if (serviceName.empty()) {
        return std::string();
    }
    std::string subKey = "SYSTEM\\CurrentControlSet\\Services\\" + serviceName;
    ScopedRegistryKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, KEY_QUERY_VALUE, key.receive()) != ERROR_SUCCESS) {
        return std::string();
    }
    std::string description;
    DWORD type = 0;
    DWORD length = 0;
    if (RegQueryValueExA(key.get(), kDescriptionValue, nullptr, &type, nullptr, &length) == ERROR_SUCCESS &&
        length > 0 && (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ)) {
        std::vector<char> data(length);
        if (RegQueryValueExA(key.get(), kDescriptionValue, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                             &length) == ERROR_SUCCESS &&
            length <= data.size()) {
            description = RegistryStringFromData(data.data(), length);
        }
    }
    // Services of Vista and later describe themselves by a string of a library ("@file,-id"); the
    // raw text stays when the string cannot be loaded.
    std::string resolved = LoadIndirectRegistryText(key.get(), kDescriptionValue, description);
    return resolved.empty() ? description : resolved;
}

bool StartServiceByName(const std::string& serviceName) {
    ScopedServiceHandle service(OpenNamedService(serviceName, SERVICE_START));
    return service.valid() && StartServiceA(service.get(), 0, nullptr) != FALSE;
}

bool StopService(const std::string& serviceName) {
    return SendControl(serviceName, SERVICE_CONTROL_STOP, SERVICE_STOP);
}

bool PauseService(const std::string& serviceName) {
    return SendControl(serviceName, SERVICE_CONTROL_PAUSE, SERVICE_PAUSE_CONTINUE);
}

bool ContinueService(const std::string& serviceName) {
    return SendControl(serviceName, SERVICE_CONTROL_CONTINUE, SERVICE_PAUSE_CONTINUE);
}

bool ChangeServiceStartType(const std::string& serviceName, unsigned long startType) {
    ScopedServiceHandle service(OpenNamedService(serviceName, SERVICE_CHANGE_CONFIG));
    return service.valid() &&
           ChangeServiceConfigA(service.get(), SERVICE_NO_CHANGE, startType, SERVICE_NO_CHANGE, nullptr, nullptr,
                                nullptr, nullptr, nullptr, nullptr, nullptr) != FALSE;
}

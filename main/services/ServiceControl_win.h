#pragma once

#include <windows.h>

#include <string>

#include "foundation/ScopedHandles_win.h"
#include "main/services/ServiceCatalog.h"

// A thin layer over the service control manager: one manager handle for the program's life, a
// cursor over the enumerated Win32 services, configuration and description queries, and the four
// control operations. Operations report failure by 0, false or empty text, never by a message.

// The entries and the configuration read are kept as plain records (ServiceCatalog.h).
struct ServiceLayer {
    ScopedServiceHandle manager;
};

// The program's one layer.
ServiceLayer& ProgramServiceLayer();

// Local machine, active database, with the rights to list services that every user has; leaves the
// layer inert when the manager refuses.
void OpenServiceManager();
void CloseServiceManager();

// Enumerates own-process and shared-process services in any state and puts the cursor before the
// first one; returns their number (0 on failure). Walk them with
//     for (BeginServiceEnumeration(); NextService();) { ... CurrentServiceName() ... }
unsigned long BeginServiceEnumeration();

// Reads the service's configuration into the layer; true on success. On failure the previous
// service's configuration is dropped, so it is never shown for this one.
bool QueryServiceConfiguration(const std::string& serviceName);

// The "Description" value of the service's registry key, an indirect text ("@file,-id") resolved to
// the string it names; empty when the key or value is missing.
std::string ServiceDescription(const std::string& serviceName);

// Control requests return as soon as the manager accepts or refuses them; they do not wait.
bool StartServiceByName(const std::string& serviceName);
bool StopService(const std::string& serviceName);
bool PauseService(const std::string& serviceName);
bool ContinueService(const std::string& serviceName);
// Tells the manager a new start type (SERVICE_AUTO_START and the like); true on success.
bool ChangeServiceStartType(const std::string& serviceName, unsigned long startType);

#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "foundation/ScopedHandles_win.h"

// A thin layer over the service control manager: one manager handle for the program's life, a
// cursor over the enumerated Win32 services, configuration and description queries, and the four
// control operations. Operations report failure by 0, false or empty text, never by a message.

struct ServiceLayer {
    ScopedServiceHandle manager;
    // The manager's entries with their name texts behind them, in the order it returned them.
    std::vector<ENUM_SERVICE_STATUSA> services;
    DWORD serviceCount = 0;
    long serviceCursor = -1;  // before the first entry until NextService moves onto it
    // The QUERY_SERVICE_CONFIGA block of the last configured service; empty when that query failed.
    std::vector<QUERY_SERVICE_CONFIGA> configuration;
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
// Moves to the next entry (the first one on the first call); 0 when every entry has been visited.
int NextService();
std::string CurrentServiceName();
std::string CurrentServiceDisplayName();
// dwCurrentState of the entry at the cursor; 0 when the cursor is on none.
unsigned long CurrentServiceState();

// Reads the service's configuration into the layer; true on success. On failure the previous
// service's configuration is dropped, so it is never shown for this one.
bool QueryServiceConfiguration(const std::string& serviceName);
// Fields of the last configuration: empty text or -1 when there is none.
std::string ServiceBinaryPath();
long ServiceStartType();
long ServiceType();

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

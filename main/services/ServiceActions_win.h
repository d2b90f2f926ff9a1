#pragma once

#include <string>

#include "main/services/ServiceTexts.h"

// The services list's context-menu actions on one service, named by its service name.

// Carries the action out without any message; true on success.
bool PerformServiceAction(ServiceAction action, const std::string& serviceName);

// Carries the action out and, when it fails, shows its failure text with the service name in a
// warning box titled `Information`. True on success: the caller then rebuilds the services list
// and takes now as the time of its last refresh.
bool RunServiceAction(ServiceAction action, const std::string& serviceName);

// Writes the start type ("2", "3", "4") into the service's registry key and tells the manager.
// True when the registry value was written.
bool WriteServiceStartType(const std::string& serviceName, const std::string& startType);

#pragma once

#include <functional>
#include <optional>
#include <string>

#include "foundation/Language.h"

// What the services and drivers lists show for the manager's numbers, the executable behind a
// configured service path, and the service actions of the context menu. Portable.

// The text key of a current state; none for "stopped" (shown as an empty cell) and unknown states.
std::optional<LanguageKey> ServiceStateKey(long state);
// The text key of a start type (0 boot to 4 deactivated); none for other values.
std::optional<LanguageKey> ServiceStartTypeKey(long startType);
// The text key of a service type (drivers, own and shared processes, interactive ones); none otherwise.
std::optional<LanguageKey> ServiceTypeKey(long serviceType);
// The language text of a key, or empty text for none.
std::string ServiceKeyText(std::optional<LanguageKey> key);

// The executable named by a configured service path: "%systemroot%" (any case) becomes the Windows
// folder, a quoted path loses its quotes and arguments, an unquoted one with a blank is cut at the
// blank unless the whole text names a file, a relative path is put into the Windows folder, and
// ".exe" is appended when only that names a file. Empty for an empty configured path.
std::string ServiceExecutablePath(const std::string& configuredPath,
                                  const std::string& windowsFolder,
                                  const std::function<bool(const std::string&)>& fileExists);

enum class ServiceAction { Start, Stop, Pause, Continue, RunDeactivated, RunAutomatic, RunManual };

struct ServiceActionTexts {
    LanguageKey menuItem;
    LanguageKey failure;  // "<%1>" stands for the service name
};
ServiceActionTexts ServiceActionTextsOf(ServiceAction action);
// The start type an action writes ("4", "2", "3"); empty for the control actions.
std::string ServiceActionStartType(ServiceAction action);

// The registry key of a service, below which the manager keeps its configuration.
constexpr char kServicesRegistryPath[] = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\";

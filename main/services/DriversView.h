#pragma once

#include <string>

// What the drivers list derives from a driver's base name and path. Portable.

// Kind images of the drivers list, in image list order.
enum DriverImage : int { DriverImageSystem = 0, DriverImageLibrary = 1, DriverImageFile = 2 };

// "sys" drivers, "dll" libraries, or the upper-case extension followed by "-Datei"; the extension
// compares without regard to case.
std::string DriverKindText(const std::string& baseName);
DriverImage DriverKindImage(const std::string& baseName);

// A path without any backslash names a file in the system folder's "drivers" subfolder.
std::string DriverFullPath(const std::string& normalisedPath, const std::string& systemFolder);

// The registry key the manager keeps the driver's configuration under: the base name without its
// extension below the services key.
std::string DriverServiceKey(const std::string& baseName);

// The text of a registry "Start" or "Type" value read as text; an empty (unreadable) value gives an
// empty cell rather than the text of 0.
std::string DriverStartText(const std::string& registryValue);
std::string DriverTypeText(const std::string& registryValue);

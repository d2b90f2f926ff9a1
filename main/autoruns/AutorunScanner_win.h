#pragma once

#include <string>
#include <vector>

#include "main/autoruns/AutorunLocations.h"

// Reads the autorun locations in their order: the registry in each view the system has, the
// startup folders and their shortcuts. Only read rights are asked for, so a normal user sees the
// machine-wide entries too.

struct AutorunScanFolders {
    std::string windows;  // without its closing backslash
    std::string userStartup;
    std::string commonStartup;
};

// The folders as the shell names them for the user running the program.
AutorunScanFolders CurrentAutorunFolders();

// Every entry, in location order; the system locations only when `showSystem`.
std::vector<AutorunEntry> ScanAutoruns(bool showSystem, const AutorunScanFolders& folders);

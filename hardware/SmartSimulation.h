#pragma once
// Drives simulated by files, for machines whose disks do not answer SMART requests (Wine) and for
// tests: drive n is the files drive<n>-identify.bin, drive<n>-thresholds.bin and drive<n>-data.bin
// of a folder, each a 512-byte sector as the driver returns it after its header. The drive exists
// while its identify file does; without the thresholds file the enable and threshold requests get
// no answer; without the data file the data request fails. The files are read at every request.
// Portable.

#include <string>

#include "hardware/SmartReading.h"

// The environment variable that names the folder.
constexpr char kSmartFolderVariable[] = "VANTREL_SMART_DIR";

struct SmartSimulation {
    std::string folder;
    int drive = -1;  // the open drive
};

SmartDevice SimulatedSmartDevice(SmartSimulation& simulation);

// The file of a drive's request ("identify", "thresholds", "data").
std::string SmartSimulationFile(const std::string& folder, int drive, const char* part);

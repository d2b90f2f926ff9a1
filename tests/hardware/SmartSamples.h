#pragma once
// Drives as public smartctl reports show them, transcribed by hand (identity where the report gave
// one, a placeholder serial where it did not), and the sectors a driver would return for them.

#include <cstdint>
#include <string>
#include <vector>

struct SampleAttribute {
    uint8_t id;
    uint16_t flags;
    uint8_t current;
    uint8_t worst;
    uint8_t threshold;
    uint64_t raw;  // as the report prints it: up to six bytes
};

struct SampleDrive {
    const char* source;
    const char* model;
    const char* serial;
    std::vector<SampleAttribute> attributes;
};

const std::vector<SampleDrive>& SampleDrives();
const SampleDrive& SampleDriveBySource(const std::string& source);

std::string SampleThresholdSector(const std::vector<SampleAttribute>& attributes);
std::string SampleDataSector(const std::vector<SampleAttribute>& attributes);

// Writes drive<n>-identify/thresholds/data.bin of the sample into the folder.
bool WriteSampleDriveFiles(const std::string& folder, int drive, const SampleDrive& sample);

#include "tests/hardware/SmartSamples.h"

#include "foundation/FileSystem.h"
#include "hardware/SmartSimulation.h"

const std::vector<SampleDrive>& SampleDrives() {
    // clang-format off
    static const std::vector<SampleDrive> kDrives = {
        // A Seagate desktop disk in a check_smart issue (Napsty/check_smart#3), 15261 hours old.
        {"check_smart-3", "Seagate (check_smart #3)", "CHECKSMART3",
         {{1, 0x000f, 99, 99, 6, 318992}, {3, 0x0003, 75, 75, 0, 0}, {4, 0x0032, 100, 100, 20, 23},
         {5, 0x0033, 100, 100, 36, 0}, {7, 0x000f, 82, 60, 30, 177484905}, {9, 0x0032, 83, 83, 0, 15261},
         {10, 0x0013, 100, 100, 97, 0}, {12, 0x0032, 100, 100, 20, 23}, {183, 0x0032, 100, 100, 0, 0},
         {184, 0x0032, 100, 100, 99, 0}, {187, 0x0032, 100, 100, 0, 0}, {188, 0x0032, 100, 100, 0, 1}}},
        // A new Seagate disk from the Unraid documentation's SMART page; its seek error raw value
        // uses more than four bytes.
        {"unraid-docs", "Seagate (Unraid docs)", "UNRAIDDOCS",
         {{1, 0x000f, 112, 99, 6, 42208416}, {3, 0x0003, 96, 96, 0, 0}, {4, 0x0032, 100, 100, 20, 7},
         {5, 0x0033, 100, 100, 36, 0}, {7, 0x000f, 56, 55, 30, 25772440425ull}, {9, 0x0032, 100, 100, 0, 72},
         {10, 0x0013, 100, 100, 97, 0}, {12, 0x0032, 100, 100, 20, 7}}},
        // A worn disk of a Debian i386 machine (qiita.com/yamori813) with pending and uncorrectable
        // sectors and failed self-tests.
        {"qiita-i386", "Seagate (Debian i386)", "QIITAI386",
         {{1, 0x000f, 57, 48, 6, 39283612}, {3, 0x0003, 98, 97, 0, 0}, {4, 0x0032, 100, 100, 20, 0},
         {5, 0x0033, 100, 100, 36, 0}, {7, 0x000f, 82, 60, 30, 169422847}, {9, 0x0032, 98, 98, 0, 2126},
         {10, 0x0013, 100, 100, 97, 0}, {12, 0x0032, 93, 93, 20, 7765}, {194, 0x0022, 10, 56, 0, 10},
         {195, 0x001a, 57, 48, 0, 39283612}, {197, 0x0012, 100, 100, 0, 1}, {198, 0x0010, 100, 100, 0, 1},
         {199, 0x003e, 200, 198, 0, 4}, {200, 0x0000, 100, 253, 0, 0}, {202, 0x0032, 100, 253, 0, 0}}},
        // SSDs from a superuser.com question on Samsung's wear levelling count.
        {"samsung-850-evo", "Samsung SSD 850 EVO 500GB", "EVO500LAPTOP", {{177, 0x0013, 100, 100, 0, 0}}},
        {"samsung-mz7km480", "SAMSUNG MZ7KM480HAHP-0E005", "MZ7KM480SERVER", {{177, 0x0013, 99, 99, 5, 3}}},
        // A SanDisk SSD whose reserved space attribute fails (smartmontools/smartmontools#163).
        {"sandisk-pssd", "SanDisk pSSD", "0016c24bf", {{232, 0x0003, 0, 100, 5, 0}}},
    };
    // clang-format on
    return kDrives;
}

const SampleDrive& SampleDriveBySource(const std::string& source) {
    for (const SampleDrive& drive : SampleDrives()) {
        if (drive.source == source) {
            return drive;
        }
    }
    return SampleDrives().front();
}

std::string SampleThresholdSector(const std::vector<SampleAttribute>& attributes) {
    std::string sector(512, '\0');
    size_t entry = 2;
    for (const SampleAttribute& attribute : attributes) {
        sector[entry] = static_cast<char>(attribute.id);
        sector[entry + 1] = static_cast<char>(attribute.threshold);
        entry += 12;
    }
    return sector;
}

std::string SampleDataSector(const std::vector<SampleAttribute>& attributes) {
    std::string sector(512, '\0');
    sector[0] = 0x10;  // revision
    size_t entry = 2;
    for (const SampleAttribute& attribute : attributes) {
        sector[entry] = static_cast<char>(attribute.id);
        sector[entry + 1] = static_cast<char>(attribute.flags & 0xFF);
        sector[entry + 2] = static_cast<char>(attribute.flags >> 8);
        sector[entry + 3] = static_cast<char>(attribute.current);
        sector[entry + 4] = static_cast<char>(attribute.worst);
        for (int b = 0; b < 6; ++b) {
            sector[entry + 5 + b] = static_cast<char>((attribute.raw >> (8 * b)) & 0xFF);
        }
        entry += 12;
    }
    return sector;
}

bool WriteSampleDriveFiles(const std::string& folder, int drive, const SampleDrive& sample) {
    return WriteFileAtomically(SmartSimulationFile(folder, drive, "identify"),
                               MakeSmartIdentifySector(sample.model, sample.serial)) &&
           WriteFileAtomically(SmartSimulationFile(folder, drive, "thresholds"),
                               SampleThresholdSector(sample.attributes)) &&
           WriteFileAtomically(SmartSimulationFile(folder, drive, "data"), SampleDataSector(sample.attributes));
}

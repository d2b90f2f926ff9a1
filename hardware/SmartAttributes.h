#pragma once
// What a disk reports of its health: the attribute table rebuilt from the threshold and data sectors
// of every reading, the attributes' names and status flags, and the identify sector's texts. Portable,
// so the tray companion's monitor and the main window read drives the same way.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr int kSmartDriveCount = 16;  // drive numbers 0 to 15
constexpr size_t kSmartSectorLength = 512;
constexpr size_t kSmartAnswerHeaderLength = 16;  // the driver's header before the sector
constexpr size_t kSmartAnswerLength = kSmartAnswerHeaderLength + kSmartSectorLength;

struct SmartAttribute {
    uint16_t flags = 0;
    int32_t threshold = 0;
    int32_t current = 0;
    int32_t worst = 0;
    int64_t raw = 0;
};

// Indexed by attribute id.
using SmartTable = std::array<SmartAttribute, 256>;

// Present: the drive reported something for the id.
bool IsAttributePresent(const SmartAttribute& attribute);

// The attribute's name; empty for ids the table does not know.
std::string SmartAttributeName(int id);

// The words of the flags' set bits, joined by ", ".
std::string SmartFlagsText(uint16_t flags);

// A text field of the identify sector: the characters swapped in pairs as the drive stores them,
// blanks trimmed. Fields beyond the sector read as empty.
std::string SmartIdentifyText(std::string_view sector, size_t offset, size_t length);
std::string SmartModelText(std::string_view identifySector);
std::string SmartSerialText(std::string_view identifySector);
// An identify sector holding these texts as a drive stores them, for devices that report their names
// another way; the texts are cut to their fields.
std::string MakeSmartIdentifySector(const std::string& model, const std::string& serial);

// The names in a storage device descriptor (the property query that needs no access rights): vendor
// and product as the model, and the serial number; empty texts for what it lacks or for a
// descriptor that points outside itself.
struct StorageDeviceNames {
    std::string model;
    std::string serial;
};
StorageDeviceNames ParseStorageDeviceDescriptor(std::string_view descriptor);

// Walks the 12-byte entries of a threshold or data sector from byte 2 until an entry with id 0 or
// the end of the sector, and writes what they carry into the table.
void ApplySmartThresholds(std::string_view sector, SmartTable& table);
void ApplySmartData(std::string_view sector, SmartTable& table);
// The ids of a threshold or data sector's entries in the order the sector lists them.
std::vector<int> SmartEntryIds(std::string_view sector);

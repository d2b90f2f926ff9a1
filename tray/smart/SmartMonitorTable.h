#pragma once
// The tray companion's memory of the disks' SMART values: which drives and attributes are watched,
// and what the last reading of each attribute said. It survives restarts as "smart.dat", the 16
// records written one after the other, little-endian, with no header. Portable.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/PreferencesDefaults.h"
#include "hardware/SmartReading.h"

constexpr char kSmartMonitorFileName[] = "smart.dat";
constexpr size_t kSmartMonitorRecordLength = 6148;
constexpr size_t kSmartMonitorFileLength = kSmartMonitorRecordLength * kSmartDriveCount;  // 98 368

// One drive's record, in the order its fields lie in the file.
struct SmartMonitorRecord {
    int32_t monitored = 0;
    std::array<int32_t, 256> watched{};  // 1 = changes of the attribute are reported
    std::array<int32_t, 256> threshold{};
    std::array<int32_t, 256> current{};
    std::array<int32_t, 256> worst{};
    std::array<int64_t, 256> raw{};
};

using SmartMonitorTable = std::array<SmartMonitorRecord, kSmartDriveCount>;

std::string EncodeSmartMonitorTable(const SmartMonitorTable& table);
// Reads the file's bytes into the table. A file of any other length than the whole table is not
// ours to guess at (a torn write, another version): false, and the table stays as it was.
bool DecodeSmartMonitorTable(std::string_view bytes, SmartMonitorTable& table);

// The selection decides what is watched: each drive's watch flags and monitored state follow it, a
// drive without a selection is no longer monitored. The previous values stay.
void ApplySmartSelection(SmartMonitorTable& table, const SmartSelection& selection);

enum class SmartValueKind { Threshold, Current, Worst, Raw };

struct SmartChange {
    int id;
    SmartValueKind kind;
    int64_t value;
    int64_t difference;  // value minus the previous value
};

// Compares a reading with the previous values: first every threshold entry, then the current,
// worst and raw value of every data entry, in the order the drive listed them. Every value read
// becomes the previous one, watched or not; only the watched attributes' changes are returned.
// Attributes the drive did not list keep their previous values.
std::vector<SmartChange> TakeSmartChanges(SmartMonitorRecord& record, const SmartReading& reading);

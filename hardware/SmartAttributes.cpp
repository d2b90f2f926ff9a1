#include "hardware/SmartAttributes.h"

#include "foundation/ValueFormatting.h"

namespace {

struct NamedAttribute {
    uint8_t id;
    const char* name;
};

constexpr NamedAttribute kAttributeNames[] = {
    {1, "Read Error Rate"},
    {2, "Throughput Performance"},
    {3, "Spin-Up Time"},
    {4, "Start/Stop Count"},
    {5, "Reallocated Sectors Count"},
    {6, "Read Channel Margin"},
    {7, "Seek Error Rate"},
    {8, "Seek Time Performance"},
    {9, "Power-On Hours"},
    {10, "Spin Retry Count"},
    {11, "Recalibration Retries"},
    {12, "Device Power Cycle Count"},
    {13, "Soft Read Error Rate"},
    {189, "High Fly Writes"},
    {190, "Airflow Temperature"},
    {191, "G-sense error rate"},
    {192, "Power-off Retract Count"},
    {193, "Load/Unload Cycle"},
    {194, "Temperature"},
    {195, "Hardware ECC Recovered"},
    {196, "Reallocation Event Count"},
    {197, "Current Pending Sector Count"},
    {198, "Uncorrectable Sector Count"},
    {199, "UltraDMA CRC Error Count"},
    {200, "Write Error Rate"},
    {201, "Soft Read Error Rate"},
    {202, "Data Address Mark errors"},
    {203, "Run Out Cancel"},
    {204, "Soft ECC Correction"},
    {205, "Thermal Asperity Rate"},
    {206, "Flying Height"},
    {207, "Spin High Current"},
    {208, "Spin Buzz"},
    {209, "Offline Seek Performance"},
    {211, "Vibration During Write"},
    {212, "Shock During Write"},
    {220, "Disk Shift"},
    {221, "G-Sense Error Rate"},
    {222, "Loaded Hours"},
    {223, "Load/Unload Retry Count"},
    {224, "Load Friction"},
    {225, "Load/Unload Cycle Count"},
    {226, "Load 'In'-time"},
    {227, "Torque Amplification Count"},
    {228, "Power-Off Retract Cycle"},
    {230, "GMR Head Amplitude"},
    {231, "Temperature"},
    {240, "Head Flying Hours"},
    {250, "Read Error Retry Rate"},
};

constexpr const char* kFlagWords[] = {"pre failure warranty", "on-line collection", "performance",
                                      "error rate",           "event count",        "self preserving"};

constexpr size_t kFirstEntry = 2;
constexpr size_t kEntryLength = 12;

uint8_t Byte(std::string_view sector, size_t offset) {
    return static_cast<uint8_t>(sector[offset]);
}

// Calls `apply` with each entry's offset, stopping at id 0 and at the end of the sector, whichever
// comes first; a sector shorter than its full length is walked only as far as it goes.
template <typename Apply>
void WalkEntries(std::string_view sector, Apply apply) {
    size_t end = sector.size() < kSmartSectorLength ? sector.size() : kSmartSectorLength;
    for (size_t entry = kFirstEntry; entry + kEntryLength <= end; entry += kEntryLength) {
        uint8_t id = Byte(sector, entry);
        if (id == 0) {
            return;
        }
        apply(id, entry);
    }
}

uint32_t Little32(std::string_view bytes, size_t offset) {
    uint32_t value = 0;
    for (int b = 3; b >= 0; --b) {
        value = (value << 8) | Byte(bytes, offset + b);
    }
    return value;
}

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

void PutIdentifyText(std::string& sector, size_t offset, size_t length, const std::string& text) {
    std::string field = text.substr(0, length);
    field.resize(length, ' ');
    sector.replace(offset, length, SwapCharPairs(field));
}

// The descriptor's fields up to its raw properties; its texts lie behind them.
constexpr size_t kDescriptorFixedLength = 36;

// The zero-terminated text at the offset that the descriptor's field at `field` holds; none for offset
// 0 or one outside the descriptor.
std::string DescriptorText(std::string_view descriptor, size_t field) {
    uint32_t offset = Little32(descriptor, field);
    if (offset < kDescriptorFixedLength || offset >= descriptor.size()) {
        return {};
    }
    std::string_view text = descriptor.substr(offset);
    return std::string(text.substr(0, text.find('\0')));
}

}  // namespace

bool IsAttributePresent(const SmartAttribute& attribute) {
    return attribute.threshold != 0 || attribute.current != 0 || attribute.worst != 0 || attribute.raw != 0;
}

std::string SmartAttributeName(int id) {
    for (const NamedAttribute& named : kAttributeNames) {
        if (named.id == id) {
            return named.name;
        }
    }
    return {};
}

std::string SmartFlagsText(uint16_t flags) {
    std::string text;
    for (size_t bit = 0; bit < sizeof(kFlagWords) / sizeof(kFlagWords[0]); ++bit) {
        if (flags & (1u << bit)) {
            text += text.empty() ? "" : ", ";
            text += kFlagWords[bit];
        }
    }
    return text;
}

std::string SmartIdentifyText(std::string_view sector, size_t offset, size_t length) {
    if (offset >= sector.size()) {
        return {};
    }
    // Taken as text: a zero ends it early.
    std::string_view field = sector.substr(offset, length);
    return Trimmed(SwapCharPairs(field.substr(0, field.find('\0'))));
}

std::string SmartModelText(std::string_view identifySector) {
    return SmartIdentifyText(identifySector, 54, 40);
}

std::string SmartSerialText(std::string_view identifySector) {
    return SmartIdentifyText(identifySector, 20, 20);
}

std::string MakeSmartIdentifySector(const std::string& model, const std::string& serial) {
    std::string sector(kSmartSectorLength, '\0');
    PutIdentifyText(sector, 20, 20, serial);
    PutIdentifyText(sector, 54, 40, model);
    return sector;
}

StorageDeviceNames ParseStorageDeviceDescriptor(std::string_view descriptor) {
    StorageDeviceNames names;
    if (descriptor.size() < kDescriptorFixedLength) {
        return names;
    }
    std::string vendor = Trimmed(DescriptorText(descriptor, 12));
    std::string product = Trimmed(DescriptorText(descriptor, 16));
    names.model = vendor.empty() || product.empty() ? vendor + product : vendor + " " + product;
    names.serial = Trimmed(DescriptorText(descriptor, 24));
    return names;
}

void ApplySmartThresholds(std::string_view sector, SmartTable& table) {
    WalkEntries(sector, [&](uint8_t id, size_t entry) { table[id].threshold = Byte(sector, entry + 1); });
}

void ApplySmartData(std::string_view sector, SmartTable& table) {
    WalkEntries(sector, [&](uint8_t id, size_t entry) {
        SmartAttribute& attribute = table[id];
        attribute.flags = static_cast<uint16_t>(Byte(sector, entry + 1) | (Byte(sector, entry + 2) << 8));
        attribute.current = Byte(sector, entry + 3);
        attribute.worst = Byte(sector, entry + 4);
        attribute.raw = Little32(sector, entry + 5);
    });
}

std::vector<int> SmartEntryIds(std::string_view sector) {
    std::vector<int> ids;
    WalkEntries(sector, [&](uint8_t id, size_t) { ids.push_back(id); });
    return ids;
}

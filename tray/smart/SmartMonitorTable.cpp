#include "tray/smart/SmartMonitorTable.h"

namespace {

template <typename Number>
void PutLittle(std::string& bytes, Number value) {
    uint64_t bits = static_cast<uint64_t>(value);
    for (size_t i = 0; i < sizeof(Number); ++i) {
        bytes.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
    }
}

template <typename Number>
Number TakeLittle(std::string_view bytes, size_t& offset) {
    uint64_t bits = 0;
    for (size_t i = 0; i < sizeof(Number); ++i) {
        bits |= static_cast<uint64_t>(static_cast<uint8_t>(bytes[offset + i])) << (8 * i);
    }
    offset += sizeof(Number);
    return static_cast<Number>(bits);
}

template <typename Number>
void PutArray(std::string& bytes, const std::array<Number, 256>& values) {
    for (Number value : values) {
        PutLittle(bytes, value);
    }
}

template <typename Number>
void TakeArray(std::string_view bytes, size_t& offset, std::array<Number, 256>& values) {
    for (Number& value : values) {
        value = TakeLittle<Number>(bytes, offset);
    }
}

// The difference as the 64-bit arithmetic of the file's values gives it, without overflowing on
// values a damaged file may hold.
int64_t Difference(int64_t value, int64_t previous) {
    return static_cast<int64_t>(static_cast<uint64_t>(value) - static_cast<uint64_t>(previous));
}

void Compare(std::vector<SmartChange>& changes,
             const SmartMonitorRecord& record,
             int id,
             SmartValueKind kind,
             int64_t value,
             int64_t previous) {
    if (record.watched[id] != 0 && value != previous) {
        changes.push_back({id, kind, value, Difference(value, previous)});
    }
}

}  // namespace

std::string EncodeSmartMonitorTable(const SmartMonitorTable& table) {
    std::string bytes;
    bytes.reserve(kSmartMonitorFileLength);
    for (const SmartMonitorRecord& record : table) {
        PutLittle(bytes, record.monitored);
        PutArray(bytes, record.watched);
        PutArray(bytes, record.threshold);
        PutArray(bytes, record.current);
        PutArray(bytes, record.worst);
        PutArray(bytes, record.raw);
    }
    return bytes;
}

bool DecodeSmartMonitorTable(std::string_view bytes, SmartMonitorTable& table) {
    if (bytes.size() != kSmartMonitorFileLength) {
        return false;
    }
    size_t offset = 0;
    for (SmartMonitorRecord& record : table) {
        record.monitored = TakeLittle<int32_t>(bytes, offset);
        TakeArray(bytes, offset, record.watched);
        TakeArray(bytes, offset, record.threshold);
        TakeArray(bytes, offset, record.current);
        TakeArray(bytes, offset, record.worst);
        TakeArray(bytes, offset, record.raw);
    }
    return true;
}

void ApplySmartSelection(SmartMonitorTable& table, const SmartSelection& selection) {
    for (int drive = 0; drive < kSmartDriveCount; ++drive) {
        SmartMonitorRecord& record = table[drive];
        record.monitored = selection[drive].any() ? 1 : 0;
        for (int id = 0; id < 256; ++id) {
            record.watched[id] = selection[drive].test(static_cast<size_t>(id)) ? 1 : 0;
        }
    }
}

std::vector<SmartChange> TakeSmartChanges(SmartMonitorRecord& record, const SmartReading& reading) {
    std::vector<SmartChange> changes;
    for (int id : reading.thresholdIds) {
        const SmartAttribute& now = reading.table[id];
        Compare(changes, record, id, SmartValueKind::Threshold, now.threshold, record.threshold[id]);
        record.threshold[id] = now.threshold;
    }
    for (int id : reading.dataIds) {
        const SmartAttribute& now = reading.table[id];
        Compare(changes, record, id, SmartValueKind::Current, now.current, record.current[id]);
        record.current[id] = now.current;
        Compare(changes, record, id, SmartValueKind::Worst, now.worst, record.worst[id]);
        record.worst[id] = now.worst;
        Compare(changes, record, id, SmartValueKind::Raw, now.raw, record.raw[id]);
        record.raw[id] = now.raw;
    }
    return changes;
}

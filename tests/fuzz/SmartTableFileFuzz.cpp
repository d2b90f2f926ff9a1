// Any bytes as "smart.dat": only a file of the table's exact length is taken, it reads back to the
// same bytes, and a reading compared against whatever it held stays defined.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tray/smart/SmartMonitorTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    SmartMonitorTable table{};
    const bool taken = DecodeSmartMonitorTable(bytes, table);
    if (taken != (size == kSmartMonitorFileLength))
        std::abort();
    if (!taken)
        return 0;
    if (EncodeSmartMonitorTable(table) != bytes)
        std::abort();
    SmartReading reading;
    for (int id = 1; id < 256; ++id) {
        reading.table[id] = {0, id, 255 - id, id / 2, int64_t{0xFFFFFFFF} - id};
        reading.thresholdIds.push_back(id);
        reading.dataIds.push_back(id);
    }
    for (SmartMonitorRecord& record : table) {
        for (const SmartChange& change : TakeSmartChanges(record, reading)) {
            if (record.watched[change.id] == 0)
                std::abort();
        }
    }
    return 0;
}

// Any bytes as the answer of the system's process query: the walk stays inside the buffer, ends,
// and never yields more records than the buffer can hold.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "main/processes/SystemProcessRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<SystemProcessRecord> records;
    ParseSystemProcessRecords(data, size, records);
    if (records.size() > size / kSystemProcessRecordSize)
        std::abort();
    return 0;
}

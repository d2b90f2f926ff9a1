// Any bytes as the identify, threshold and data sectors of a drive and as its storage descriptor: the parser stays
// inside the sector, raw values keep to four bytes, the texts to their fields, the health to 0..100 %.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "hardware/SmartEvaluation.h"
#include "hardware/SmartRows.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    SmartTable table{};
    ApplySmartThresholds(bytes, table);
    ApplySmartData(bytes, table);
    if (bytes.size() > 512) {
        ApplySmartData(bytes.substr(512), table);
    }
    if (IsAttributePresent(table[0]))
        std::abort();  // id 0 ends the walk and is never an attribute
    for (const SmartAttribute& attribute : table) {
        if (attribute.raw < 0 || attribute.raw > 0xFFFFFFFFll || attribute.current > 255 || attribute.threshold > 255)
            std::abort();
    }
    if (SmartModelText(bytes).size() > 40 || SmartSerialText(bytes).size() > 20)
        std::abort();
    const StorageDeviceNames names = ParseStorageDeviceDescriptor(bytes);
    // Vendor and product may point at the same text.
    if (names.model.size() > 2 * bytes.size() || names.serial.size() > bytes.size())
        std::abort();
    const SmartEvaluation evaluation = EvaluateSmart(table);
    if (evaluation.percentage < 0 || evaluation.percentage > 100)
        std::abort();
    RowTable rows = MakeRowTable(SmartAttributeColumnCount);
    FillSmartAttributeRows(rows, table, evaluation);
    return 0;
}

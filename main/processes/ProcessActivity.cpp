#include "main/processes/ProcessActivity.h"

#include "foundation/ValueFormatting.h"
#include "main/processes/ProcessListColumns.h"

namespace {

struct ActivityColumns {
    size_t shown;
    size_t previous;
    uint64_t IoCounts::*bytes;
};

const ActivityColumns kActivityColumns[] = {
    {kProcessColumnWriteActivity, kProcessColumnPreviousWriteBytes, &IoCounts::writeBytes},
    {kProcessColumnReadActivity, kProcessColumnPreviousReadBytes, &IoCounts::readBytes},
    {kProcessColumnOtherActivity, kProcessColumnPreviousOtherBytes, &IoCounts::otherBytes},
};

}  // namespace

std::string IoActivityText(uint64_t current, uint64_t previous) {
    if (current <= previous)
        return std::string();
    return FormatDecimalDouble(static_cast<double>(current - previous) / 1000.0, 2) + " KB/s";
}

bool UpdateIoActivity(RowTable& table, size_t row, const IoCounts& counts) {
    bool changed = false;
    for (const ActivityColumns& columns : kActivityColumns) {
        uint64_t current = counts.*columns.bytes;
        changed |=
            SetCell(table, row, columns.shown, IoActivityText(current, CellUnsigned(table, row, columns.previous)));
        SetCellUnsigned(table, row, columns.previous, current);
    }
    return changed;
}

bool ClearIoActivity(RowTable& table, size_t row) {
    bool changed = false;
    for (const ActivityColumns& columns : kActivityColumns)
        changed |= SetCell(table, row, columns.shown, "");
    return changed;
}

void StoreIoCounts(RowTable& table, size_t row, const IoCounts& counts) {
    for (const ActivityColumns& columns : kActivityColumns)
        SetCellUnsigned(table, row, columns.previous, counts.*columns.bytes);
}

std::string MemoryText(uint64_t bytes) {
    return GroupThousands(static_cast<int64_t>(bytes / 1000)) + " KB";
}

#include "main/processes/ProcessSample.h"

bool WriteIoActivity(RowTable& table, size_t row, const ProcessSample& sample) {
    if (!sample.opened || !sample.ioAvailable)
        return ClearIoActivity(table, row);
    return UpdateIoActivity(table, row, sample.io);
}

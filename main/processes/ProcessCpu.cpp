#include "main/processes/ProcessCpu.h"

#include "foundation/ValueFormatting.h"
#include "main/processes/ProcessListColumns.h"

namespace {

constexpr uint64_t kTicksPerMillisecond = 10000;
constexpr int64_t kSecondsFrom1601To1970 = 11644473600;
// Creation dates up to this are no real start of a process.
constexpr int64_t kNoCreationDate = 10000;

}  // namespace

int64_t TimeOfDayMilliseconds(uint64_t fileTimeTicks) {
    return static_cast<int64_t>((fileTimeTicks / kTicksPerMillisecond) % kMillisecondsPerDay);
}

int64_t UnixSecondsFromFileTime(uint64_t fileTimeTicks) {
    return static_cast<int64_t>(fileTimeTicks / (kTicksPerMillisecond * 1000)) - kSecondsFrom1601To1970;
}

CpuSample MakeCpuSample(uint64_t userTicks, uint64_t kernelTicks, uint32_t clock) {
    CpuSample sample;
    sample.userMilliseconds = TimeOfDayMilliseconds(userTicks);
    sample.kernelMilliseconds = TimeOfDayMilliseconds(kernelTicks);
    sample.clock = clock;
    return sample;
}

float CpuShare(const CpuSample& previous, const CpuSample& current) {
    // The millisecond clock wraps after 49.7 days; the 32-bit difference stays right across it.
    int32_t elapsed = static_cast<int32_t>(current.clock - previous.clock);
    if (elapsed == 0)
        return 0.0f;
    int64_t used = (current.userMilliseconds - previous.userMilliseconds) +
                   (current.kernelMilliseconds - previous.kernelMilliseconds);
    double share = static_cast<double>(used) * 100.0 / elapsed;
    if (share < 0.0)
        return 0.0f;
    if (share > 100.0)
        return 100.0f;
    return static_cast<float>(share);
}

CpuSample StoredCpuSample(const RowTable& table, size_t row) {
    CpuSample sample;
    sample.userMilliseconds = CellInteger(table, row, kProcessColumnPreviousUserTime);
    sample.kernelMilliseconds = CellInteger(table, row, kProcessColumnPreviousKernelTime);
    sample.clock = static_cast<uint32_t>(CellUnsigned(table, row, kProcessColumnPreviousClock));
    return sample;
}

void StoreCpuSample(RowTable& table, size_t row, const CpuSample& sample) {
    SetCellInteger(table, row, kProcessColumnPreviousUserTime, sample.userMilliseconds);
    SetCellInteger(table, row, kProcessColumnPreviousKernelTime, sample.kernelMilliseconds);
    SetCellUnsigned(table, row, kProcessColumnPreviousClock, sample.clock);
}

float UpdateCpuShare(RowTable& table, size_t row, const CpuSample& current, const CpuSample& fresh) {
    float share = CpuShare(StoredCpuSample(table, row), current);
    StoreCpuSample(table, row, fresh);
    return share;
}

std::string CpuShareText(float share) {
    if (share == 0.0f)
        return std::string();
    return FormatDecimal(share, 1) + "%";
}

std::string RunningTimeText(int64_t creationUnixSeconds, int64_t nowUnixSeconds) {
    if (creationUnixSeconds <= kNoCreationDate)
        return std::string();
    return FormatDuration(nowUnixSeconds - creationUnixSeconds);
}

std::string CpuTimeText(uint64_t kernelTicks, uint64_t userTicks) {
    // Whole durations here, not the time-of-day form of the samples: a process with more than a day
    // of CPU time must not show less.
    uint64_t milliseconds = kernelTicks / kTicksPerMillisecond + userTicks / kTicksPerMillisecond;
    return FormatDuration(static_cast<int64_t>(milliseconds / 1000));
}

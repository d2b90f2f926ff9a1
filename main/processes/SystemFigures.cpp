#include "main/processes/SystemFigures.h"

#include <algorithm>
#include <cmath>

#include "foundation/ValueFormatting.h"

int MeasureCpuLoad(CpuLoadMeter& meter, const SystemTimes& now) {
    SystemTimes from = meter.started ? meter.previous : SystemTimes{};
    // Counters that went backwards (a different source, a reset) give no figure this time.
    if (now.kernel < from.kernel || now.user < from.user || now.idle < from.idle) {
        meter.previous = now;
        meter.started = true;
        return meter.percent;
    }
    uint64_t total = (now.kernel - from.kernel) + (now.user - from.user);
    uint64_t idle = now.idle - from.idle;
    if (total == 0)
        return meter.percent;
    uint64_t busy = idle < total ? total - idle : 0;
    meter.previous = now;
    meter.started = true;
    meter.percent = PercentOf(busy, total);
    return meter.percent;
}

int PercentOf(uint64_t part, uint64_t whole) {
    if (whole == 0)
        return 0;
    return static_cast<int>(RoundHalfUp(static_cast<double>(part) * 100.0 / static_cast<double>(whole)));
}

void UpdateMemoryPercents(SystemFigures& figures, const MemoryStatusFigures& memory) {
    figures.ramPercent = PercentOf(memory.usedPhysical, memory.totalPhysical);
    figures.swapPercent = PercentOf(memory.usedPageFile, memory.totalPageFile);
}

std::vector<MemorySummaryLine> MemorySummary(const MemoryStatusFigures& memory, uint64_t workingSetSum) {
    auto bytes = [](uint64_t value) { return GroupThousands(static_cast<int64_t>(value)) + " Bytes"; };
    auto percent = [](uint64_t part, uint64_t whole) { return "(" + std::to_string(PercentOf(part, whole)) + "%)"; };
    uint64_t physical = memory.totalPhysical;
    uint64_t used = std::min(memory.usedPhysical, physical);
    uint64_t system = used > workingSetSum ? used - workingSetSum : 0;
    uint64_t pageFile = memory.totalPageFile;
    uint64_t allocated = std::min(memory.usedPageFile, pageFile);
    return {
        {LanguageKey::Memory, LanguageKey::Total, bytes(physical), ""},
        {LanguageKey::Memory, LanguageKey::Processes, bytes(workingSetSum), percent(workingSetSum, physical)},
        {LanguageKey::Memory, LanguageKey::System, bytes(system), percent(system, physical)},
        {LanguageKey::Memory, LanguageKey::Free, bytes(physical - used), percent(physical - used, physical)},
        {LanguageKey::Pagefile, LanguageKey::Total, bytes(pageFile), ""},
        {LanguageKey::Pagefile, LanguageKey::Allocated, bytes(allocated), percent(allocated, pageFile)},
        {LanguageKey::Pagefile, LanguageKey::Free, bytes(pageFile - allocated),
         percent(pageFile - allocated, pageFile)},
    };
}

std::string ProcessorCounterPath(const std::string& objectName, int processor, const std::string& counterName) {
    return "\\" + objectName + "(" + std::to_string(processor) + ")\\" + counterName;
}

int ProcessorFigure(double value, uint32_t status, int totalCpu) {
    if (status != 0 || !std::isfinite(value))
        return totalCpu;
    return static_cast<int>(std::lround(std::min(std::max(value, 0.0), 100.0)));
}

#include "tray/NetworkTotals.h"

#include "hardware/NetworkRates.h"

namespace {

// A counter that went back by less than half its range was reset; by more, it wrapped.
constexpr uint32_t kHalfCounterRange = 0x80000000u;

}  // namespace

uint64_t CounterAdvance(uint64_t previous, uint64_t now, bool wideCounter) {
    uint64_t advance = CounterDelta(previous, now, wideCounter);
    if (now < previous && advance >= kHalfCounterRange) {
        return 0;
    }
    return advance;
}

void StartNetworkTotals(NetworkTotalsSampler& sampler, const std::vector<InterfaceOctets>& reading) {
    sampler.previous.clear();
    for (const InterfaceOctets& row : reading) {
        sampler.previous[row.index] = row;
    }
}

NetworkTotals SampleNetworkTotals(NetworkTotalsSampler& sampler, const std::vector<InterfaceOctets>& reading) {
    NetworkTotals totals;
    std::map<uint32_t, InterfaceOctets> current;
    for (const InterfaceOctets& row : reading) {
        auto found = sampler.previous.find(row.index);
        if (found != sampler.previous.end()) {
            totals.incoming += CounterAdvance(found->second.incoming, row.incoming, row.wideCounters);
            totals.outgoing += CounterAdvance(found->second.outgoing, row.outgoing, row.wideCounters);
        }
        current[row.index] = row;
    }
    sampler.previous = std::move(current);
    if (static_cast<double>(totals.incoming) > sampler.incomingMaximum) {
        sampler.incomingMaximum = static_cast<double>(totals.incoming);
    }
    if (static_cast<double>(totals.outgoing) > sampler.outgoingMaximum) {
        sampler.outgoingMaximum = static_cast<double>(totals.outgoing);
    }
    return totals;
}

void DecayNetworkMaxima(NetworkTotalsSampler& sampler) {
    sampler.incomingMaximum *= 0.95;
    sampler.outgoingMaximum *= 0.95;
}

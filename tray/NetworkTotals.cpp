#include "tray/NetworkTotals.h"

namespace {

// A counter that went back by less than half its range was reset; by more, it wrapped.
constexpr uint32_t kHalfCounterRange = 0x80000000u;

}  // namespace

uint64_t CounterAdvance(uint32_t previous, uint32_t now) {
    uint32_t advance = now - previous;  // modulo 2^32: right across a wrap
    if (now < previous && advance >= kHalfCounterRange) {
        return 0;
    }
    return advance;
}

void StartNetworkSampler(NetworkSampler& sampler, const std::vector<InterfaceOctets>& reading) {
    sampler.previous.clear();
    for (const InterfaceOctets& row : reading) {
        sampler.previous[row.index] = row;
    }
}

NetworkTotals SampleNetworkTotals(NetworkSampler& sampler, const std::vector<InterfaceOctets>& reading) {
    NetworkTotals totals;
    std::map<uint32_t, InterfaceOctets> current;
    for (const InterfaceOctets& row : reading) {
        auto found = sampler.previous.find(row.index);
        if (found != sampler.previous.end()) {
            totals.incoming += CounterAdvance(found->second.incoming, row.incoming);
            totals.outgoing += CounterAdvance(found->second.outgoing, row.outgoing);
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

void DecayNetworkMaxima(NetworkSampler& sampler) {
    sampler.incomingMaximum *= 0.95;
    sampler.outgoingMaximum *= 0.95;
}

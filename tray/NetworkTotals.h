#pragma once
// The octets that crossed all network interfaces since the previous reading, from the interfaces'
// 32-bit counters, and the decaying maxima that scale the network icon's bars.

#include <cstdint>
#include <map>
#include <vector>

// One interface of a reading: its index in the system's interface table and its counters, which
// wrap at 4 GiB unless the system keeps them in 64 bits.
struct InterfaceOctets {
    uint32_t index = 0;
    uint64_t incoming = 0;
    uint64_t outgoing = 0;
    bool wideCounters = false;
};

struct NetworkTotalsSampler {
    std::map<uint32_t, InterfaceOctets> previous;  // by interface index
    double incomingMaximum = 0;
    double outgoingMaximum = 0;
};

struct NetworkTotals {
    uint64_t incoming = 0;
    uint64_t outgoing = 0;
};

// The first reading: every interface's counters become its previous figures.
void StartNetworkTotals(NetworkTotalsSampler& sampler, const std::vector<InterfaceOctets>& reading);

// The octets since the previous reading, summed over the interfaces, which become the previous
// figures; raises the maxima to the totals when these are larger. A counter that passed 4 GiB is
// counted across the wrap; one that went back (the interface was reset or came back) counts 0, as
// does an interface seen for the first time.
NetworkTotals SampleNetworkTotals(NetworkTotalsSampler& sampler, const std::vector<InterfaceOctets>& reading);

// The octets between two readings of one counter, under the rule above.
uint64_t CounterAdvance(uint64_t previous, uint64_t now, bool wideCounter);

// After each refresh the scale shrinks by 5 %, so a steady small flow fills the bars more and more.
void DecayNetworkMaxima(NetworkTotalsSampler& sampler);

#pragma once

#include <cstdint>
#include <vector>

#include "hardware/NetworkInterfaces.h"

// Download and upload rates of the interfaces from two readings of their counters. Both programs
// use it: the networks view and the tray companion's network icon.

constexpr int kNoUtilisation = -1;

struct InterfaceRate {
    uint32_t index = 0;     // the interface's index, as in the table
    bool measured = false;  // a previous reading of this interface exists
    double download = 0;    // bytes per second
    double upload = 0;
    int utilisation = kNoUtilisation;  // 0..100 of the link speed; none for an unknown speed
};

// The previous reading, matched to the new one by interface index so that an interface appearing
// or vanishing between two readings leaves the others' figures alone.
struct NetworkSampler {
    struct Sample {
        uint32_t index = 0;
        uint64_t received = 0;
        uint64_t sent = 0;
    };
    std::vector<Sample> previous;
    uint32_t previousTime = 0;  // millisecond clock
    bool hasPrevious = false;
};

// The octets counted from `previous` to `now`. A 32-bit counter that wrapped at 4 GiB still gives
// the right difference; a counter that went back without a wrap (a reset) gives 0.
uint64_t CounterDelta(uint64_t previous, uint64_t now, bool wideCounter);

// The share of the link speed (bits per second) the two rates (bytes per second) use, 0..100.
int LinkUtilisation(double download, double upload, uint64_t speed);

// One rate per row of `table`, in its order; then the readings become the previous ones.
std::vector<InterfaceRate> SampleNetworkRates(NetworkSampler& sampler,
                                              const std::vector<NetworkInterface>& table,
                                              uint32_t nowMilliseconds);

// The highest utilisation of the rates, 0 when none was measured.
int HighestUtilisation(const std::vector<InterfaceRate>& rates);

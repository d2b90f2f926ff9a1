#include "hardware/NetworkRates.h"

#include <cmath>

namespace {

// A 32-bit counter that seems to have wrapped may instead have been reset (driver restart, cable
// re-plugged). When the link speed is known, a wrap that implies more than twice the link could
// carry is taken for a reset; the slack covers timer jitter on slow links.
bool PlausibleDelta(uint64_t delta, uint64_t speed, uint32_t elapsedMilliseconds) {
    if (speed == 0)
        return true;
    const double carriable = static_cast<double>(speed) / 8.0 * elapsedMilliseconds / 1000.0;
    return static_cast<double>(delta) <= carriable * 2.0 + 65536.0;
}

const NetworkSampler::Sample* FindSample(const std::vector<NetworkSampler::Sample>& samples, uint32_t index) {
    for (const NetworkSampler::Sample& sample : samples)
        if (sample.index == index)
            return &sample;
    return nullptr;
}

}  // namespace

uint64_t CounterDelta(uint64_t previous, uint64_t now, bool wideCounter) {
    if (now >= previous)
        return now - previous;
    if (wideCounter || previous > 0xFFFFFFFFull || now > 0xFFFFFFFFull)
        return 0;
    return (now + 0x100000000ull) - previous;
}

int LinkUtilisation(double download, double upload, uint64_t speed) {
    const uint64_t bytesPerSecond = speed / 8;
    if (bytesPerSecond == 0)
        return kNoUtilisation;
    const double percent = (download + upload) / static_cast<double>(bytesPerSecond) * 100.0;
    if (!(percent > 0))
        return 0;
    if (percent >= 100)
        return 100;
    return static_cast<int>(std::lround(percent));
}

std::vector<InterfaceRate> SampleNetworkRates(NetworkSampler& sampler,
                                              const std::vector<NetworkInterface>& table,
                                              uint32_t nowMilliseconds) {
    // Unsigned subtraction keeps the elapsed time right across the 49-day wrap of the clock.
    const uint32_t elapsed = nowMilliseconds - sampler.previousTime;
    const bool timed = sampler.hasPrevious && elapsed > 0;
    std::vector<InterfaceRate> rates;
    std::vector<NetworkSampler::Sample> samples;
    rates.reserve(table.size());
    samples.reserve(table.size());
    for (const NetworkInterface& row : table) {
        InterfaceRate rate;
        rate.index = row.index;
        const NetworkSampler::Sample* before = timed ? FindSample(sampler.previous, row.index) : nullptr;
        if (before != nullptr) {
            uint64_t received = CounterDelta(before->received, row.octetsReceived, row.wideCounters);
            uint64_t sent = CounterDelta(before->sent, row.octetsSent, row.wideCounters);
            if (!row.wideCounters) {
                if (!PlausibleDelta(received, row.speed, elapsed))
                    received = 0;
                if (!PlausibleDelta(sent, row.speed, elapsed))
                    sent = 0;
            }
            rate.measured = true;
            rate.download = static_cast<double>(received) * 1000.0 / elapsed;
            rate.upload = static_cast<double>(sent) * 1000.0 / elapsed;
            rate.utilisation = LinkUtilisation(rate.download, rate.upload, row.speed);
        }
        rates.push_back(rate);
        samples.push_back({row.index, row.octetsReceived, row.octetsSent});
    }
    sampler.previous = std::move(samples);
    sampler.previousTime = nowMilliseconds;
    sampler.hasPrevious = true;
    return rates;
}

int HighestUtilisation(const std::vector<InterfaceRate>& rates) {
    int highest = 0;
    for (const InterfaceRate& rate : rates)
        if (rate.utilisation > highest)
            highest = rate.utilisation;
    return highest;
}

#include "server/GuessLimit.h"

#include <algorithm>

int64_t GuessLimit::WaitLeft(const std::string& key, int64_t now) const {
    std::lock_guard<std::mutex> guard(lock_);
    const auto found = records_.find(key);
    return found == records_.end() ? 0 : std::max<int64_t>(0, found->second.waitEnd - now);
}

int64_t GuessLimit::Fail(const std::string& key, int64_t now) {
    std::lock_guard<std::mutex> guard(lock_);
    if (records_.size() >= settings_.keptKeys && records_.find(key) == records_.end()) {
        // Only keys that still wait matter; a flood of one-off names must not grow the table for ever.
        for (auto at = records_.begin(); at != records_.end();) {
            at = at->second.waitEnd <= now ? records_.erase(at) : std::next(at);
        }
    }
    Record& record = records_[key];
    ++record.failures;
    const int doublings = record.failures - settings_.freeFailures - 1;
    if (doublings < 0) {
        return 0;
    }
    int64_t wait = settings_.firstWaitMilliseconds;
    for (int i = 0; i < doublings && wait < settings_.longestWaitMilliseconds; ++i) {
        wait *= 2;
    }
    wait = std::min(wait, settings_.longestWaitMilliseconds);
    record.waitEnd = now + wait;
    return wait;
}

void GuessLimit::Succeed(const std::string& key) {
    std::lock_guard<std::mutex> guard(lock_);
    records_.erase(key);
}

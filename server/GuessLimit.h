#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>

// Slows down password guessing. Each key (an account name, a peer address) that fails checks must
// wait before its next check is even tried: nothing after the first two failures, then a wait that
// doubles with every further failure, up to the longest one. A success ends the key's record.
// Waiting keys are refused at once, so a guesser costs the server no password hashing.
struct GuessLimitSettings {
    int64_t firstWaitMilliseconds = 1000;
    int64_t longestWaitMilliseconds = 3600 * 1000;
    int freeFailures = 2;
    size_t keptKeys = 100000;  // past this, records whose wait is over are dropped
};

class GuessLimit {
public:
    explicit GuessLimit(GuessLimitSettings settings = {}) : settings_(settings) {}

    // Milliseconds the key still has to wait at `now`; 0 when it may try.
    int64_t WaitLeft(const std::string& key, int64_t now) const;
    // Records a failed check; returns the wait it starts (0 while failures are still free).
    int64_t Fail(const std::string& key, int64_t now);
    void Succeed(const std::string& key);

private:
    struct Record {
        int failures = 0;
        int64_t waitEnd = 0;
    };
    GuessLimitSettings settings_;
    mutable std::mutex lock_;
    std::unordered_map<std::string, Record> records_;
};

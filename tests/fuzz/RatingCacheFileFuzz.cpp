#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "main/database/RatingCacheFile.h"
#include "tests/main/database/RatingCacheFileOf.h"

namespace {

const int64_t kNow = 1700000000;

RatingCache StartingCache() {
    RatingCache cache;
    RatingEntry entry;
    entry.hash = std::string(40, 'e');
    entry.rating = 2;
    entry.description = "already there";
    entry.lastUsed = static_cast<int32_t>(kNow);
    AppendRating(cache, entry);
    return cache;
}

bool SameEntries(const RatingCache& a, const RatingCache& b) {
    if (a.entries.size() != b.entries.size()) {
        return false;
    }
    for (size_t i = 0; i < a.entries.size(); ++i) {
        const RatingEntry& x = a.entries[i];
        const RatingEntry& y = b.entries[i];
        if (x.hash != y.hash || x.rating != y.rating || x.known != y.known || x.description != y.description ||
            x.lastUsed != y.lastUsed || x.queried != y.queried) {
            return false;
        }
    }
    return true;
}

void CheckLoaded(const RatingCache& cache) {
    std::set<std::string> hashes;
    for (const RatingEntry& entry : cache.entries) {
        const int64_t age = kNow - entry.lastUsed;
        if (entry.hash.size() > 40 || !hashes.insert(entry.hash).second || age > kRatingCacheMaximumAge ||
            age < -kRatingCacheMaximumAge || entry.known != (IsKnownRating(entry.rating) ? 1 : 0)) {
            __builtin_trap();
        }
    }
    // What was loaded saves and loads back unchanged (an empty cache is never saved).
    if (cache.entries.empty()) {
        return;
    }
    RatingCache reloaded;
    if (DecodeRatingCacheFile(EncodeRatingCacheFile(cache), reloaded, kNow) != RatingLoadResult::Loaded ||
        !SameEntries(cache, reloaded)) {
        __builtin_trap();
    }
}

}  // namespace

// The first byte picks the mode: the input as a whole file, or as the payload of a well-formed file
// that is loaded intact and then with one bit flipped.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const RatingCache before = StartingCache();
    RatingCache cache = before;
    if (data[0] % 2 == 0) {
        if (DecodeRatingCacheFile(input, cache, kNow) != RatingLoadResult::Loaded) {
            if (!SameEntries(cache, before)) {
                __builtin_trap();  // a refused file added or removed something
            }
            return 0;
        }
        CheckLoaded(cache);
        return 0;
    }
    const std::string file = RatingCacheFileOf(input);
    if (DecodeRatingCacheFile(file, cache, kNow) !=
        (input.empty() ? RatingLoadResult::SizeMismatch : RatingLoadResult::Loaded)) {
        __builtin_trap();
    }
    CheckLoaded(cache);
    if (!input.empty()) {
        std::string damaged = file;
        const size_t bit = (static_cast<size_t>(data[0]) * 2654435761u) % (damaged.size() * 8);
        damaged[bit / 8] = static_cast<char>(damaged[bit / 8] ^ (1 << (bit % 8)));
        RatingCache untouched = before;
        if (DecodeRatingCacheFile(damaged, untouched, kNow) != RatingLoadResult::Corrupt ||
            !SameEntries(untouched, before)) {
            __builtin_trap();
        }
    }
    return 0;
}

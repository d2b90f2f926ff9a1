#include "main/database/RatingCache.h"

#include <algorithm>
#include <climits>

#include "foundation/DecimalText.h"

namespace {

std::string CutHash(const std::string& hash) {
    return hash.size() > kRatingHashLength ? hash.substr(0, kRatingHashLength) : hash;
}

}  // namespace

std::string WithoutRecordSeparators(std::string text) {
    std::replace(text.begin(), text.end(), '\x01', ' ');
    std::replace(text.begin(), text.end(), '\x02', ' ');
    return text;
}

int32_t LeadingDecimal(std::string_view text) {
    return static_cast<int32_t>(ClampDecimal(ReadDecimalText(text), INT32_MIN, INT32_MAX));
}

bool IsKnownRating(int32_t rating) {
    return rating == kRatingSystemInternalValue || rating == kRatingTrustworthyProgramValue;
}

RatingEntry* FindRating(RatingCache& cache, const std::string& hash) {
    const std::string key = CutHash(hash);
    if (cache.current < cache.entries.size() && cache.entries[cache.current].hash == key) {
        return &cache.entries[cache.current];
    }
    for (size_t i = 0; i < cache.entries.size(); ++i) {
        if (cache.entries[i].hash == key) {
            cache.current = i;
            return &cache.entries[i];
        }
    }
    return nullptr;
}

RatingEntry* CurrentRating(RatingCache& cache) {
    return cache.current < cache.entries.size() ? &cache.entries[cache.current] : nullptr;
}

void RemoveRating(RatingCache& cache, const std::string& hash) {
    const std::string key = CutHash(hash);
    size_t kept = 0;
    size_t current = RatingCache::kNoEntry;
    for (size_t i = 0; i < cache.entries.size(); ++i) {
        if (cache.entries[i].hash == key) {
            continue;
        }
        if (i == cache.current) {
            current = kept;
        }
        if (kept != i) {
            cache.entries[kept] = std::move(cache.entries[i]);
        }
        ++kept;
    }
    cache.entries.resize(kept);
    cache.current = current;
}

RatingEntry& AppendRating(RatingCache& cache, RatingEntry entry) {
    entry.hash = WithoutRecordSeparators(CutHash(entry.hash));
    entry.description = WithoutRecordSeparators(std::move(entry.description));
    entry.known = IsKnownRating(entry.rating) ? 1 : 0;
    RemoveRating(cache, entry.hash);
    cache.entries.push_back(std::move(entry));
    cache.current = cache.entries.size() - 1;
    return cache.entries.back();
}

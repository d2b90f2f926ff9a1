#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The rating cache: what the program has learned about file hashes, one entry per hash, in the
// order the entries were added. The current entry (the one last found or appended) is checked
// first by the next search, because lookups of one row ask for the same hash several times.

constexpr int32_t kRatingUnknownValue = 0;
constexpr int32_t kRatingSystemInternalValue = 1;
constexpr int32_t kRatingTrustworthyProgramValue = 2;
constexpr size_t kRatingHashLength = 40;

struct RatingEntry {
    std::string hash;  // 40 lower-case hexadecimal digits
    int32_t rating = kRatingUnknownValue;
    int32_t known = 0;  // 1 when rating is 1 or 2
    std::string description;
    int32_t lastUsed = 0;  // local seconds since 1970
    int32_t queried = 0;
};

struct RatingCache {
    static constexpr size_t kNoEntry = static_cast<size_t>(-1);
    std::vector<RatingEntry> entries;
    size_t current = kNoEntry;
};

bool IsKnownRating(int32_t rating);

// The signed decimal number at the start of the text, 0 when there is none; out-of-range values
// are held at the nearest 32-bit limit.
int32_t LeadingDecimal(std::string_view text);

// The text with the cache file's separator bytes (0x01, 0x02) turned into blanks. A description
// carrying them (it may come from the server) would otherwise split into forged records at the next
// load.
std::string WithoutRecordSeparators(std::string text);

// Searches the current entry first, then the whole list; the entry found becomes current.
RatingEntry* FindRating(RatingCache& cache, const std::string& hash);

// The current entry, or nullptr.
RatingEntry* CurrentRating(RatingCache& cache);

// Removes every entry of the hash.
void RemoveRating(RatingCache& cache, const std::string& hash);

// Replaces any entry of the same hash by the new one at the end of the list; it becomes current.
// Known is derived from the rating; hash and description lose separator bytes.
RatingEntry& AppendRating(RatingCache& cache, RatingEntry entry);

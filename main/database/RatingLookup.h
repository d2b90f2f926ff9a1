#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>

#include "main/database/RatingCache.h"
#include "main/database/RatingExchange.h"

// The rating lookups of the lists: the cache answers first, the server only for hashes that are
// missing or older than a week. A run of quick queries shows a progress window with Cancel.

constexpr int64_t kRatingRefreshAge = 604800;  // seconds
constexpr int64_t kRatingProgressDelayMilliseconds = 500;
// After an exchange failed, the lookups answer from the cache alone for this long: a server that
// does not answer would otherwise cost its time-out for every file of a list.
constexpr int64_t kRatingServerRestMilliseconds = 60000;

struct RatingTexts {
    std::string lookupUpdates;       // LookupUpdates
    std::string systemInternal;      // RatingSystemInternal
    std::string trustworthyProgram;  // RatingTrustworthyProgram
};

// Seconds since 1970 of the local wall clock read as if it were UTC.
int64_t LocalEpochSeconds(std::time_t utc);

struct RatingDatabase {
    RatingCache cache;
    RatingNetwork network;
    RatingTexts texts;
    // Local clock in seconds since 1970, the time base of the cache's dates (tests put their own).
    std::function<int64_t()> now = [] { return LocalEpochSeconds(std::time(nullptr)); };
    // Called before each query with the caption; openWindow is set when the previous query finished
    // less than 500 ms ago. Returns true when the user has pressed Cancel.
    std::function<bool(const std::string& caption, bool openWindow)> progress;
    bool cancelled = false;  // cleared by the main loop when it closes the progress window
    bool queried = false;
    int64_t lastQueryTick = 0;
    bool serverFailed = false;
    int64_t serverFailedTick = 0;
};

// Asks the server about the hash and stores the answer in the cache. Returns 1 when the cache now
// holds a fresh entry of the hash (it is the current entry), else 0.
int QueryRating(RatingDatabase& database, const std::string& hash, const std::string& caption);

// The second half of QueryRating, for callers that ran the exchange themselves (failure: its
// negative code, or 0): notes the time of the query, and stores an answer that is "0" or carries the
// hash. Returns 1 when the cache now holds a fresh entry of the hash, else 0.
int StoreQueryAnswer(RatingDatabase& database, const std::string& hash, const std::string& answer, int failure);

// Rating name of a rating number: the language texts of 1 and 2, empty text otherwise.
std::string RatingName(const RatingTexts& texts, int32_t rating);

int32_t RatingLookup(RatingDatabase& database, const std::string& hash, const std::string& caption, bool enabled);
std::string RatingLookupText(RatingDatabase& database,
                             const std::string& hash,
                             const std::string& caption,
                             bool enabled);
int32_t RatingLookupKnown(RatingDatabase& database, const std::string& hash, const std::string& caption, bool enabled);
std::string RatingLookupDescription(RatingDatabase& database,
                                    const std::string& hash,
                                    const std::string& caption,
                                    bool enabled);

#include "main/database/RatingLookup.h"

#include <cstdlib>

namespace {

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

RatingEntry* FindOrQuery(RatingDatabase& database, const std::string& hash, const std::string& caption, bool enabled) {
    // Without its clock the database is not connected to the program yet: nothing to look up.
    if (database.cancelled || !enabled || !database.now) {
        return nullptr;
    }
    const int64_t now = database.now();
    if (RatingEntry* entry = FindRating(database.cache, hash)) {
        if (std::llabs(now - entry->queried) > kRatingRefreshAge) {
            QueryRating(database, hash, database.texts.lookupUpdates + ": " + caption);
        }
        // The refreshed entry when the refresh worked, else the one found.
        RatingEntry* current = CurrentRating(database.cache);
        if (current != nullptr) {
            current->lastUsed = static_cast<int32_t>(now);
        }
        return current;
    }
    return QueryRating(database, hash, caption) == 1 ? CurrentRating(database.cache) : nullptr;
}

}  // namespace

int64_t LocalEpochSeconds(std::time_t utc) {
    const std::tm* local = std::localtime(&utc);
    if (local == nullptr) {
        return static_cast<int64_t>(utc);
    }
    const int64_t days = DaysFromCivil(local->tm_year + 1900LL, local->tm_mon + 1LL, local->tm_mday);
    return days * 86400 + local->tm_hour * 3600LL + local->tm_min * 60LL + local->tm_sec;
}

int QueryRating(RatingDatabase& database, const std::string& hash, const std::string& caption) {
    // An empty hash means the system cannot hash files; there is nothing to ask for.
    if (!database.network.started || !database.now || database.cancelled || hash == "0" || hash.empty()) {
        return 0;
    }
    if (database.serverFailed && database.network.tick() - database.serverFailedTick < kRatingServerRestMilliseconds)
        return 0;
    const bool quick =
        database.queried && database.network.tick() - database.lastQueryTick < kRatingProgressDelayMilliseconds;
    if (database.progress && database.progress(caption, quick)) {
        database.cancelled = true;
        return 0;
    }
    int failure = 0;
    const std::string answer = QueryServer(database.network, hash, &failure);
    return StoreQueryAnswer(database, hash, answer, failure);
}

int StoreQueryAnswer(RatingDatabase& database, const std::string& hash, const std::string& answer, int failure) {
    database.queried = true;
    database.lastQueryTick = database.network.tick();
    database.serverFailed = failure != 0;
    database.serverFailedTick = database.lastQueryTick;

    const QueryAnswer parsed = ParseQueryAnswer(hash, answer);
    if (parsed.kind == QueryAnswer::Kind::Ignored || !database.now) {
        return 0;
    }
    const int32_t now = static_cast<int32_t>(database.now());
    RatingEntry entry;
    entry.hash = hash;
    entry.rating = parsed.rating;
    entry.description = parsed.description;
    entry.lastUsed = now;
    entry.queried = now;
    AppendRating(database.cache, std::move(entry));
    return 1;
}

std::string RatingName(const RatingTexts& texts, int32_t rating) {
    if (rating == kRatingSystemInternalValue) {
        return texts.systemInternal;
    }
    return rating == kRatingTrustworthyProgramValue ? texts.trustworthyProgram : std::string();
}

int32_t RatingLookup(RatingDatabase& database, const std::string& hash, const std::string& caption, bool enabled) {
    const RatingEntry* entry = FindOrQuery(database, hash, caption, enabled);
    return entry ? entry->rating : 0;
}

std::string RatingLookupText(RatingDatabase& database,
                             const std::string& hash,
                             const std::string& caption,
                             bool enabled) {
    const RatingEntry* entry = FindOrQuery(database, hash, caption, enabled);
    return entry ? RatingName(database.texts, entry->rating) : std::string();
}

int32_t RatingLookupKnown(RatingDatabase& database, const std::string& hash, const std::string& caption, bool enabled) {
    const RatingEntry* entry = FindOrQuery(database, hash, caption, enabled);
    return entry ? entry->known : 0;
}

std::string RatingLookupDescription(RatingDatabase& database,
                                    const std::string& hash,
                                    const std::string& caption,
                                    bool enabled) {
    const RatingEntry* entry = FindOrQuery(database, hash, caption, enabled);
    return entry ? entry->description : std::string();
}

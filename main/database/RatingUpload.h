#pragma once
// What the database commands send to the server and keep in the cache: a rating chosen in the
// rating dialog, its upload, a deletion, and the row texts of a cached rating.

#include <cstdint>
#include <string>

#include "main/database/RatedRows.h"
#include "main/database/RatingCache.h"
#include "main/database/RatingExchange.h"
#include "main/database/RatingLookup.h"

// The server keeps a prop of at most 3000 characters; this many description bytes always fit.
constexpr size_t kRatingDescriptionLimit = 2000;

struct RatingChoice {
    int32_t rating = kRatingUnknownValue;
    std::string description;
};

inline bool operator==(const RatingChoice& a, const RatingChoice& b) {
    return a.rating == b.rating && a.description == b.description;
}
inline bool operator!=(const RatingChoice& a, const RatingChoice& b) {
    return !(a == b);
}

// Both the account name and the password are needed for any change on the server.
bool AccountComplete(const std::string& name, const std::string& password);

// Update first; a server that does not take the update (it does not know the hash yet) gets an
// insert. A failed exchange (a negative code) is not tried again as an insert: it would only double
// the wait for a server that cannot be reached. 1 when the server stored the rating.
int UploadRating(const RatingNetwork& network,
                 const std::string& hash,
                 const RatingChoice& choice,
                 const std::string& user,
                 const std::string& password);

// After an upload: the hash's entry takes the new rating and description (its dates stay), or a new
// entry with dates 0 is appended, so that the next lookup confirms it with the server.
void StoreUploadedRating(RatingCache& cache, const std::string& hash, const RatingChoice& choice);

// After a deletion: the hash is cached as unrated, as the server now answers for it, so that the
// lists do not bring the deleted rating back from the cache.
void StoreDeletedRating(RatingCache& cache, const std::string& hash, int32_t now);

// The row texts of the hash's cached rating (nothing when it has no entry); no server is asked.
FileRating CachedFileRating(RatingCache& cache, const RatingTexts& texts, const std::string& hash);

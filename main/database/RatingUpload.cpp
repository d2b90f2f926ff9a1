#include "main/database/RatingUpload.h"

#include "main/database/RatingProtocol.h"

bool AccountComplete(const std::string& name, const std::string& password) {
    return !name.empty() && !password.empty();
}

int UploadRating(const RatingNetwork& network,
                 const std::string& hash,
                 const RatingChoice& choice,
                 const std::string& user,
                 const std::string& password) {
    const std::string prop = BuildRatingProp(choice.rating, choice.description);
    const int updated = UpdateRating(network, hash, prop, user, password);
    if (updated == 1 || updated < 0) {
        return updated;
    }
    return InsertRating(network, hash, prop, user, password);
}

void StoreUploadedRating(RatingCache& cache, const std::string& hash, const RatingChoice& choice) {
    if (RatingEntry* entry = FindRating(cache, hash)) {
        entry->rating = choice.rating;
        entry->known = IsKnownRating(choice.rating) ? 1 : 0;
        entry->description = WithoutRecordSeparators(choice.description);
        return;
    }
    RatingEntry entry;
    entry.hash = hash;
    entry.rating = choice.rating;
    entry.description = choice.description;
    AppendRating(cache, std::move(entry));
}

void StoreDeletedRating(RatingCache& cache, const std::string& hash, int32_t now) {
    RatingEntry entry;
    entry.hash = hash;
    entry.lastUsed = now;
    entry.queried = now;
    AppendRating(cache, std::move(entry));
}

FileRating CachedFileRating(RatingCache& cache, const RatingTexts& texts, const std::string& hash) {
    FileRating rating;
    if (const RatingEntry* entry = FindRating(cache, hash)) {
        rating.text = RatingName(texts, entry->rating);
        rating.description = entry->description;
        rating.known = entry->known != 0;
    }
    return rating;
}

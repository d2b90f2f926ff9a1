#include "main/database/FileRating_win.h"

#include "main/database/FileHash_win.h"

FileRating RateFile(RatingDatabase& database, const std::string& path, bool online) {
    std::string hash = CachedFileHash(path);
    if (hash.empty())
        hash = "0";
    const size_t slash = path.find_last_of('\\');
    const std::string caption = slash == std::string::npos ? path : path.substr(slash + 1);
    FileRating rating;
    rating.text = RatingLookupText(database, hash, caption, online);
    rating.description = RatingLookupDescription(database, hash, caption, online);
    const int32_t known = RatingLookupKnown(database, hash, caption, online);
    rating.known = known == 1 || known == 2;
    return rating;
}

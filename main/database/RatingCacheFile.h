#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "main/database/RatingCache.h"

// The file "vantrel.db" beside the program carries the rating cache from one run to the next:
// 4 bytes CRC-32 (zlib's) of the plain payload, little-endian, then the payload, obscured with a key
// that every run of this build derives in the same way. The payload is one record per entry:
// hash 0x02 rating 0x02 description 0x02 last used 0x02 queried 0x01.

extern const char* const kRatingCacheFileName;  // "vantrel.db"

// Entries unused for longer than this (in either direction of the clock) are dropped on load.
constexpr int64_t kRatingCacheMaximumAge = 2678400;

// Larger files are refused as damaged rather than read into memory.
constexpr int64_t kRatingCacheMaximumFileLength = 64 * 1024 * 1024;

enum class RatingLoadResult { Loaded, NoFile, SizeMismatch, ShortRead, Corrupt };
enum class RatingSaveResult { Saved, NothingToSave, NoFile };

// The fixed, untranslated texts of the failures; empty text for the outcomes that show nothing.
const char* RatingLoadMessage(RatingLoadResult result);
const char* RatingSaveMessage(RatingSaveResult result);

// The obscuring key: 17 to 40 bytes, the same on every run.
const std::vector<uint8_t>& RatingCacheKey();

std::string BuildRatingPayload(const RatingCache& cache);
std::string EncodeRatingCacheFile(const RatingCache& cache);

// Merges the records of a whole file into the cache; now is the local clock in seconds. A file that
// fails its checks adds nothing.
RatingLoadResult DecodeRatingCacheFile(const std::string& file, RatingCache& cache, int64_t now);

RatingLoadResult LoadRatingCache(RatingCache& cache, const std::string& path, int64_t now);

// Writes a temporary file beside the target and renames it over the target, so the old cache
// survives any failure on the way. An empty cache leaves an existing file as it is.
RatingSaveResult SaveRatingCache(const RatingCache& cache, const std::string& path);

#pragma once
// A file's rating as the lists show it, through the lookups: the cache first, the server for files
// missing from it or not asked about for a week.

#include <string>

#include "main/database/RatedRows.h"
#include "main/database/RatingLookup.h"

// The rating of the file at `path` (a path the system names); `online` is the database setting.
// The hash comes from the hash cache, so an unchanged file is read once per run.
FileRating RateFile(RatingDatabase& database, const std::string& path, bool online);

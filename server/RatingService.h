#pragma once

#include <string>
#include <string_view>

#include "server/Accounts.h"
#include "server/RatingForm.h"
#include "server/RatingStore.h"

// The answer bodies of the four requests, as the client reads them.

// The number of RatingAnswer as text; `peer` is the client's address, for the guessing limits.
std::string AnswerRatingPost(RatingStore& store,
                             AccountGuard& guard,
                             RatingPost post,
                             std::string_view body,
                             const std::string& peer);

// "0" for an unknown hash, the hash followed by its prop for a known one, else the number of the
// reason ("5" malformed hash, "7" no hash, "8" store failure), which the client ignores.
std::string AnswerRatingQuery(RatingStore& store, std::string_view target);

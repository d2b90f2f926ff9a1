#pragma once

#include <string>
#include <string_view>

#include "main/database/RatingProtocol.h"

// What the client sends, read the way the client writes it: values go into the body as they are,
// without URL encoding, so nothing is decoded here ("+" is a Base64 character, "%" may be part of a
// password).

// The answers of the posts. 1 is success; the others name the reason, and nothing is stored.
enum RatingAnswer {
    RatingAnswerSuccess = 1,
    RatingAnswerAlreadyStored = 2,  // insert of a hash that is there
    RatingAnswerNotStored = 3,      // update or delete of a hash that is not there
    RatingAnswerAccessDenied = 4,   // unknown account or wrong password
    RatingAnswerBadHash = 5,        // not 40 lower-case hexadecimal digits
    RatingAnswerBadProp = 6,        // not Base64, too long, or not rating "|" description
    RatingAnswerBadRequest = 7,     // fields missing, out of order, empty or too long
    RatingAnswerServerFailure = 8,  // the store failed
};

constexpr size_t kRatingPropMaximumLength = 3000;  // the query answer must fit the client's 4096-byte read
constexpr size_t kAccountNameMaximumLength = 64;
constexpr size_t kAccountPasswordMaximumLength = 256;

struct RatingPostFields {
    std::string hash;
    std::string prop;  // canonical form: Base64 with "~" padding
    std::string user;
    std::string password;
};

// Reads "hash=H&prop=P&username=U&password=W" (delete: without prop). Each value runs up to the next
// field's "&name=", and the password runs to the end, so it may hold "&" and "=". Returns
// RatingAnswerSuccess or the reason the body is refused.
RatingAnswer ParseRatingPost(RatingPost post, std::string_view body, RatingPostFields& fields);

// Reads the query string of "/vtldb/query.php?hash=H"; RatingAnswerSuccess or the reason.
RatingAnswer ParseRatingQuery(std::string_view target, std::string& hash);

bool IsRatingHash(std::string_view text);

// Checks a prop and gives its canonical form; false when it is not a rating of 0 to 2, "|", and a
// description of text (tabs and line breaks allowed, other control bytes not).
bool CanonicalRatingProp(std::string_view prop, std::string& canonical);

bool IsAccountName(std::string_view name);

#include <cstddef>
#include <cstdint>
#include <string>

#include "main/database/Base64.h"
#include "server/RatingForm.h"

// The input is a post body (read as each of the three posts) and a query target.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    for (RatingPost post : {RatingPost::Insert, RatingPost::Update, RatingPost::Delete}) {
        RatingPostFields fields;
        if (ParseRatingPost(post, input, fields) != RatingAnswerSuccess) {
            continue;
        }
        // What passes is a well-formed hash, account and (but for delete) a canonical prop.
        std::string text;
        std::string canonical;
        const bool propOk = post == RatingPost::Delete
                                ? fields.prop.empty()
                                : fields.prop.size() <= kRatingPropMaximumLength &&
                                      DecodeRatingProp(fields.prop, text) &&
                                      CanonicalRatingProp(fields.prop, canonical) && canonical == fields.prop &&
                                      fields.prop.find('=') == std::string::npos;
        if (!IsRatingHash(fields.hash) || !IsAccountName(fields.user) || fields.password.empty() || !propOk) {
            __builtin_trap();
        }
    }
    std::string hash;
    if (ParseRatingQuery(input, hash) == RatingAnswerSuccess && !IsRatingHash(hash)) {
        __builtin_trap();
    }
    return 0;
}

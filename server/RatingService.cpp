#include "server/RatingService.h"

#include "server/Accounts.h"

namespace {

RatingAnswer AnswerOf(StoreResult result) {
    switch (result) {
        case StoreResult::Done:
            return RatingAnswerSuccess;
        case StoreResult::Exists:
            return RatingAnswerAlreadyStored;
        case StoreResult::Missing:
            return RatingAnswerNotStored;
        case StoreResult::Failed:
            break;
    }
    return RatingAnswerServerFailure;
}

RatingAnswer Post(RatingStore& store,
                  AccountGuard& guard,
                  RatingPost post,
                  std::string_view body,
                  const std::string& peer) {
    RatingPostFields fields;
    const RatingAnswer parsed = ParseRatingPost(post, body, fields);
    if (parsed != RatingAnswerSuccess) {
        return parsed;
    }
    if (CheckAccount(store, guard, fields.user, fields.password, peer) != AccountCheck::Passed) {
        return RatingAnswerAccessDenied;
    }
    switch (post) {
        case RatingPost::Insert:
            return AnswerOf(InsertStoredRating(store, fields.hash, fields.prop, fields.user));
        case RatingPost::Update:
            return AnswerOf(UpdateStoredRating(store, fields.hash, fields.prop, fields.user));
        case RatingPost::Delete:
            return AnswerOf(DeleteStoredRating(store, fields.hash, fields.user));
    }
    return RatingAnswerBadRequest;
}

}  // namespace

std::string AnswerRatingPost(RatingStore& store,
                             AccountGuard& guard,
                             RatingPost post,
                             std::string_view body,
                             const std::string& peer) {
    return std::to_string(Post(store, guard, post, body, peer));
}

std::string AnswerRatingQuery(RatingStore& store, std::string_view target) {
    std::string hash;
    const RatingAnswer parsed = ParseRatingQuery(target, hash);
    if (parsed != RatingAnswerSuccess) {
        return std::to_string(parsed);
    }
    std::string prop;
    switch (QueryStoredRating(store, hash, prop)) {
        case StoreResult::Done:
            return hash + prop;
        case StoreResult::Missing:
            return "0";
        default:
            return std::to_string(RatingAnswerServerFailure);
    }
}

#include "server/RatingForm.h"

#include "main/database/Base64.h"
#include "main/database/RatingCache.h"

namespace {

// Cuts the value of the field name off the front of rest; the value ends before "&" + next + "=",
// or at the end when next is empty.
bool TakeField(std::string_view& rest, std::string_view name, std::string_view next, std::string& value) {
    const std::string prefix = std::string(name) + "=";
    if (rest.substr(0, prefix.size()) != prefix) {
        return false;
    }
    rest.remove_prefix(prefix.size());
    if (next.empty()) {
        value = std::string(rest);
        rest = std::string_view();
        return true;
    }
    const std::string delimiter = "&" + std::string(next) + "=";
    const size_t end = rest.find(delimiter);
    if (end == std::string_view::npos) {
        return false;
    }
    value = std::string(rest.substr(0, end));
    rest.remove_prefix(end + 1);
    return true;
}

bool IsDescriptionByte(unsigned char c) {
    return c >= 0x20 || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

bool IsRatingHash(std::string_view text) {
    if (text.size() != kRatingHashLength) {
        return false;
    }
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) {
            return false;
        }
    }
    return true;
}

bool CanonicalRatingProp(std::string_view prop, std::string& canonical) {
    std::string text;
    if (prop.empty() || prop.size() > kRatingPropMaximumLength || !DecodeRatingProp(prop, text)) {
        return false;
    }
    if (text.size() < 2 || text[0] < '0' || text[0] > '2' || text[1] != '|') {
        return false;
    }
    for (size_t i = 2; i < text.size(); ++i) {
        if (!IsDescriptionByte(static_cast<unsigned char>(text[i]))) {
            return false;
        }
    }
    canonical = EncodeRatingProp(text);
    return true;
}

bool IsAccountName(std::string_view name) {
    if (name.empty() || name.size() > kAccountNameMaximumLength) {
        return false;
    }
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F) {
            return false;
        }
    }
    return true;
}

RatingAnswer ParseRatingPost(RatingPost post, std::string_view body, RatingPostFields& fields) {
    RatingPostFields read;
    std::string_view rest = body;
    const bool withProp = post != RatingPost::Delete;
    if (!TakeField(rest, "hash", withProp ? "prop" : "username", read.hash) ||
        (withProp && !TakeField(rest, "prop", "username", read.prop)) ||
        !TakeField(rest, "username", "password", read.user) || !TakeField(rest, "password", "", read.password)) {
        return RatingAnswerBadRequest;
    }
    if (!IsAccountName(read.user) || read.password.empty() || read.password.size() > kAccountPasswordMaximumLength) {
        return RatingAnswerBadRequest;
    }
    if (!IsRatingHash(read.hash)) {
        return RatingAnswerBadHash;
    }
    std::string canonical;
    if (withProp && !CanonicalRatingProp(read.prop, canonical)) {
        return RatingAnswerBadProp;
    }
    read.prop = std::move(canonical);
    fields = std::move(read);
    return RatingAnswerSuccess;
}

RatingAnswer ParseRatingQuery(std::string_view target, std::string& hash) {
    const size_t question = target.find('?');
    if (question == std::string_view::npos) {
        return RatingAnswerBadRequest;
    }
    std::string_view rest = target.substr(question + 1);
    std::string value;
    if (!TakeField(rest, "hash", "", value)) {
        return RatingAnswerBadRequest;
    }
    if (!IsRatingHash(value)) {
        return RatingAnswerBadHash;
    }
    hash = std::move(value);
    return RatingAnswerSuccess;
}

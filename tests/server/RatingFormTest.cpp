#include "server/RatingForm.h"

#include <gtest/gtest.h>

#include "main/database/Base64.h"

namespace {

const std::string kHash = "0123456789abcdef0123456789abcdef01234567";

std::string Body(const std::string& hash, const std::string& prop, const std::string& user, const std::string& pw) {
    return "hash=" + hash + "&prop=" + prop + "&username=" + user + "&password=" + pw;
}

TEST(RatingForm, ReadsTheClientsBodiesWithoutDecoding) {
    RatingPostFields fields;
    ASSERT_EQ(ParseRatingPost(RatingPost::Insert, Body(kHash, "MXxhYg~~", "anna", "p+w%20&x=y&password=z"), fields),
              RatingAnswerSuccess);
    EXPECT_EQ(fields.hash, kHash);
    EXPECT_EQ(fields.prop, "MXxhYg~~");
    EXPECT_EQ(fields.user, "anna");
    EXPECT_EQ(fields.password, "p+w%20&x=y&password=z") << "the password runs to the end of the body";

    ASSERT_EQ(ParseRatingPost(RatingPost::Delete, "hash=" + kHash + "&username=bob&password=a=b", fields),
              RatingAnswerSuccess);
    EXPECT_EQ(fields.user, "bob");
    EXPECT_EQ(fields.password, "a=b");
    EXPECT_EQ(fields.prop, "");
}

TEST(RatingForm, PropsAreStoredInTheirTildeForm) {
    RatingPostFields fields;
    // Padding sent as "=" (by hand, say) is kept as "~", the form the client reads back.
    ASSERT_EQ(ParseRatingPost(RatingPost::Update, Body(kHash, "MXxhYg==", "anna", "pw"), fields), RatingAnswerSuccess);
    EXPECT_EQ(fields.prop, "MXxhYg~~");
    // "+" and "/" in a prop are Base64 characters, not blanks.
    const std::string prop = EncodeRatingProp("2|x\xFB\xFF\xFF text");
    ASSERT_NE(prop.find_first_of("+/"), std::string::npos);
    ASSERT_EQ(ParseRatingPost(RatingPost::Insert, Body(kHash, prop, "anna", "pw"), fields), RatingAnswerSuccess);
    EXPECT_EQ(fields.prop, prop);
}

TEST(RatingForm, MalformedRequestsHaveTheirOwnNumbers) {
    const std::string prop = EncodeRatingProp("1|fine");
    const std::pair<std::string, RatingAnswer> cases[] = {
        {"", RatingAnswerBadRequest},
        {Body(kHash, prop, "anna", ""), RatingAnswerBadRequest},
        {Body(kHash, prop, "", "pw"), RatingAnswerBadRequest},
        {Body(kHash, prop, "an na", "pw"), RatingAnswerBadRequest},
        {Body(kHash, prop, std::string(65, 'u'), "pw"), RatingAnswerBadRequest},
        {Body(kHash, prop, "anna", std::string(257, 'p')), RatingAnswerBadRequest},
        {"prop=" + prop + "&hash=" + kHash + "&username=anna&password=pw", RatingAnswerBadRequest},
        {"hash=" + kHash + "&username=anna&password=pw", RatingAnswerBadRequest},
        {Body(kHash.substr(1), prop, "anna", "pw"), RatingAnswerBadHash},
        {Body(kHash + "0", prop, "anna", "pw"), RatingAnswerBadHash},
        {Body("0123456789ABCDEF0123456789abcdef01234567", prop, "anna", "pw"), RatingAnswerBadHash},
        {Body("0123456789abcdeg0123456789abcdef01234567", prop, "anna", "pw"), RatingAnswerBadHash},
        {Body(kHash, "", "anna", "pw"), RatingAnswerBadProp},
        {Body(kHash, "MXxhYg", "anna", "pw"), RatingAnswerBadProp},
        {Body(kHash, "MX xhYg~~", "anna", "pw"), RatingAnswerBadProp},
        {Body(kHash, EncodeRatingProp("3|rating out of range"), "anna", "pw"), RatingAnswerBadProp},
        {Body(kHash, EncodeRatingProp("1"), "anna", "pw"), RatingAnswerBadProp},
        {Body(kHash, EncodeRatingProp("12|two digits"), "anna", "pw"), RatingAnswerBadProp},
        {Body(kHash, EncodeRatingProp("1|with \x01 separator"), "anna", "pw"), RatingAnswerBadProp},
        {Body(kHash, EncodeRatingProp(std::string("1|nul\0byte", 10)), "anna", "pw"), RatingAnswerBadProp},
        {Body(kHash, EncodeRatingProp("1|" + std::string(2249, 'x')), "anna", "pw"), RatingAnswerBadProp},
    };
    for (const auto& [body, expected] : cases) {
        RatingPostFields fields;
        fields.hash = "untouched";
        EXPECT_EQ(ParseRatingPost(RatingPost::Insert, body, fields), expected) << body;
        EXPECT_EQ(fields.hash, "untouched");
    }
    RatingPostFields fields;
    EXPECT_EQ(ParseRatingPost(RatingPost::Insert,
                              Body(kHash, EncodeRatingProp("0|" + std::string(2248, 'x')), "a", "p"), fields),
              RatingAnswerSuccess)
        << "the longest prop that fits the client's answer block";
    EXPECT_EQ(fields.prop.size(), kRatingPropMaximumLength);
    EXPECT_EQ(ParseRatingPost(RatingPost::Insert,
                              Body(kHash, EncodeRatingProp("2|Tabs\tand\r\nlines | and bars"), "a", "p"), fields),
              RatingAnswerSuccess);
}

TEST(RatingForm, QueryTargets) {
    std::string hash;
    EXPECT_EQ(ParseRatingQuery("/vtldb/query.php?hash=" + kHash, hash), RatingAnswerSuccess);
    EXPECT_EQ(hash, kHash);
    EXPECT_EQ(ParseRatingQuery("/vtldb/query.php", hash), RatingAnswerBadRequest);
    EXPECT_EQ(ParseRatingQuery("/vtldb/query.php?other=1", hash), RatingAnswerBadRequest);
    EXPECT_EQ(ParseRatingQuery("/vtldb/query.php?hash=", hash), RatingAnswerBadHash);
    EXPECT_EQ(ParseRatingQuery("/vtldb/query.php?hash=" + kHash + "&x=1", hash), RatingAnswerBadHash);
    EXPECT_EQ(ParseRatingQuery("/vtldb/query.php?hash=0", hash), RatingAnswerBadHash);
}

}  // namespace

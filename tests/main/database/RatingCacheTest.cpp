#include "main/database/RatingCache.h"

#include <gtest/gtest.h>

namespace {

RatingEntry Entry(const std::string& hash, int32_t rating, const std::string& description = "") {
    RatingEntry entry;
    entry.hash = hash;
    entry.rating = rating;
    entry.description = description;
    return entry;
}

const std::string kHashA(40, 'a');
const std::string kHashB(40, 'b');
const std::string kHashC(40, 'c');

TEST(RatingCache, AppendMakesTheEntryCurrentAndReplacesItsHash) {
    RatingCache cache;
    AppendRating(cache, Entry(kHashA, 1, "first"));
    AppendRating(cache, Entry(kHashB, 2));
    AppendRating(cache, Entry(kHashA, 2, "second"));
    ASSERT_EQ(cache.entries.size(), 2u);
    EXPECT_EQ(cache.entries[0].hash, kHashB);
    EXPECT_EQ(cache.entries[1].description, "second");
    EXPECT_EQ(CurrentRating(cache), &cache.entries[1]);
}

TEST(RatingCache, KnownFollowsTheRating) {
    RatingCache cache;
    EXPECT_EQ(AppendRating(cache, Entry(kHashA, 0)).known, 0);
    EXPECT_EQ(AppendRating(cache, Entry(kHashA, 1)).known, 1);
    EXPECT_EQ(AppendRating(cache, Entry(kHashA, 2)).known, 1);
    EXPECT_EQ(AppendRating(cache, Entry(kHashA, 3)).known, 0);
    EXPECT_EQ(AppendRating(cache, Entry(kHashA, -1)).known, 0);
}

TEST(RatingCache, FindPrefersTheCurrentEntryAndMovesIt) {
    RatingCache cache;
    AppendRating(cache, Entry(kHashA, 1));
    AppendRating(cache, Entry(kHashB, 2));
    RatingEntry* a = FindRating(cache, kHashA);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->rating, 1);
    EXPECT_EQ(CurrentRating(cache), a);
    EXPECT_EQ(FindRating(cache, kHashC), nullptr);
    EXPECT_EQ(CurrentRating(cache), a) << "a failed search keeps the current entry";
}

TEST(RatingCache, RemoveKeepsTheCurrentEntryWhenItSurvives) {
    RatingCache cache;
    AppendRating(cache, Entry(kHashA, 1));
    AppendRating(cache, Entry(kHashB, 2));
    AppendRating(cache, Entry(kHashC, 0));
    FindRating(cache, kHashC);
    RemoveRating(cache, kHashA);
    ASSERT_NE(CurrentRating(cache), nullptr);
    EXPECT_EQ(CurrentRating(cache)->hash, kHashC);
    RemoveRating(cache, kHashC);
    EXPECT_EQ(CurrentRating(cache), nullptr);
    ASSERT_EQ(cache.entries.size(), 1u);
    EXPECT_EQ(cache.entries[0].hash, kHashB);
}

TEST(RatingCache, LongHashesAreCutTo40Characters) {
    RatingCache cache;
    AppendRating(cache, Entry(kHashA + "tail", 1));
    EXPECT_EQ(cache.entries[0].hash, kHashA);
    EXPECT_NE(FindRating(cache, kHashA + "other"), nullptr);
}

TEST(RatingCache, SeparatorBytesNeverReachTheEntries) {
    RatingCache cache;
    AppendRating(cache, Entry(kHashA, 1, std::string("x\x01y\x02z")));
    EXPECT_EQ(cache.entries[0].description, "x y z");
}

TEST(RatingCache, LeadingDecimalReadsSignedNumbersAndClamps) {
    EXPECT_EQ(LeadingDecimal("123"), 123);
    EXPECT_EQ(LeadingDecimal("-17|text"), -17);
    EXPECT_EQ(LeadingDecimal("+5"), 5);
    EXPECT_EQ(LeadingDecimal("abc"), 0);
    EXPECT_EQ(LeadingDecimal(""), 0);
    EXPECT_EQ(LeadingDecimal("-"), 0);
    EXPECT_EQ(LeadingDecimal(" 1"), 0);
    EXPECT_EQ(LeadingDecimal("2147483647"), INT32_MAX);
    EXPECT_EQ(LeadingDecimal("99999999999999999999"), INT32_MAX);
    EXPECT_EQ(LeadingDecimal("-2147483648"), INT32_MIN);
    EXPECT_EQ(LeadingDecimal("-99999999999999999999"), INT32_MIN);
}

}  // namespace

#include "foundation/DecimalText.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(DecimalText, ReadsTheLeadingIntegerAfterBlanks) {
    EXPECT_EQ(ReadLeadingInteger("2500"), 2500);
    EXPECT_EQ(ReadLeadingInteger("42abc"), 42);
    EXPECT_EQ(ReadLeadingInteger("-1"), -1);
    EXPECT_EQ(ReadLeadingInteger("+7 ms"), 7);
    EXPECT_EQ(ReadLeadingInteger("  12"), 12);
    EXPECT_EQ(ReadLeadingInteger("abc"), 0);
    EXPECT_EQ(ReadLeadingInteger("-"), 0);
    EXPECT_EQ(ReadLeadingInteger("--5"), 0);
    EXPECT_EQ(ReadLeadingInteger(""), 0);
    EXPECT_EQ(ReadLeadingInteger("1.5"), 1);
    EXPECT_EQ(ReadLeadingInteger("9223372036854775807"), LLONG_MAX);
    EXPECT_EQ(ReadLeadingInteger("99999999999999999999999"), LLONG_MAX);
    EXPECT_EQ(ReadLeadingInteger("-9223372036854775808"), LLONG_MIN);
    EXPECT_EQ(ReadLeadingInteger("-99999999999999999999999"), LLONG_MIN);
}

}  // namespace

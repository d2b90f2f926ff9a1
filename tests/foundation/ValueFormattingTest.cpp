#include "foundation/ValueFormatting.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "foundation/Language.h"

namespace {

class ValueFormatting : public ::testing::Test {
protected:
    void TearDown() override {
        SetDecimalComma(false);
        SetCurrentLanguage(MissingLanguageCatalogue());
    }
};

TEST_F(ValueFormatting, FormatsDecimalsLikeFixedPointPrintf) {
    EXPECT_EQ(FormatDecimal(3.14159f, 2), "3.14");
    EXPECT_EQ(FormatDecimal(2.675f, 2), "2.67");  // the float lies just below 2.675
    EXPECT_EQ(FormatDecimal(0.5f, 0), "0");       // an exact tie goes to the even neighbour
    EXPECT_EQ(FormatDecimal(1.5f, 0), "2");
    EXPECT_EQ(FormatDecimal(-0.004f, 2), "-0.00");
    EXPECT_EQ(FormatDecimal(7.0f, -3), "7");
    EXPECT_EQ(FormatDecimalDouble(1234567.891, 3), "1234567.891");
    EXPECT_EQ(FormatDecimalDouble(1e300, 1).size(), 303u);
    EXPECT_EQ(FormatDecimal(1.0f, 600).size(), 2u + 512u);  // decimals are capped
    SetDecimalComma(true);
    EXPECT_EQ(FormatDecimal(3.14159f, 2), "3,14");
    EXPECT_EQ(FormatDecimalDouble(0.5, 3), "0,500");
}

TEST_F(ValueFormatting, ParsesTheLeadingDecimal) {
    EXPECT_FLOAT_EQ(ParseDecimal("12.5 %"), 12.5f);
    EXPECT_FLOAT_EQ(ParseDecimal("-3.25"), -3.25f);
    EXPECT_FLOAT_EQ(ParseDecimal("+.5"), 0.5f);
    EXPECT_FLOAT_EQ(ParseDecimal(" 7."), 7.0f);
    EXPECT_FLOAT_EQ(ParseDecimal("12,5"), 12.0f);  // "," is no decimal point by default
    EXPECT_EQ(ParseDecimal(""), 0.0f);
    EXPECT_EQ(ParseDecimal("abc"), 0.0f);
    EXPECT_EQ(ParseDecimal("."), 0.0f);
    EXPECT_EQ(ParseDecimal("-"), 0.0f);
    EXPECT_EQ(ParseDecimal(std::string(60, '9')), FLT_MAX);
    EXPECT_EQ(ParseDecimal("0." + std::string(60, '0') + "1"), 0.0f);
    SetDecimalComma(true);
    EXPECT_FLOAT_EQ(ParseDecimal("12,5"), 12.5f);
    EXPECT_FLOAT_EQ(ParseDecimal("12.5"), 12.5f);
}

TEST_F(ValueFormatting, DecimalsReadBackWhatWasWritten) {
    for (bool comma : {false, true}) {
        SetDecimalComma(comma);
        for (float value : {0.0f, 0.25f, 1.5f, 99.99f, -42.75f, 12345.5f})
            EXPECT_FLOAT_EQ(ParseDecimal(FormatDecimal(value, 2)), value) << value << " comma " << comma;
    }
}

TEST_F(ValueFormatting, GroupsThousandsWithPoints) {
    EXPECT_EQ(GroupThousands(999), "999");
    EXPECT_EQ(GroupThousands(1000), "1.000");
    EXPECT_EQ(GroupThousands(0), "0");
    EXPECT_EQ(GroupThousands(1234567), "1.234.567");
    EXPECT_EQ(GroupThousands(-123), "-123");
    EXPECT_EQ(GroupThousands(-123456), "-123.456");
    EXPECT_EQ(GroupThousands(INT64_MIN), "-9.223.372.036.854.775.808");
    SetDecimalComma(true);  // the thousands separator stays a point
    EXPECT_EQ(GroupThousands(INT64_MAX), "9.223.372.036.854.775.807");
}

TEST_F(ValueFormatting, ParsesGroupedNumbers) {
    EXPECT_EQ(ParseGroupedNumber("12.345 KB"), 12345.0f);
    EXPECT_EQ(ParseGroupedNumber("1.234.567 KB"), 1234567.0f);
    EXPECT_EQ(ParseGroupedNumber("999"), 999.0f);
    EXPECT_EQ(ParseGroupedNumber("12,5"), 12.0f);
    EXPECT_EQ(ParseGroupedNumber(""), 0.0f);
    EXPECT_EQ(ParseGroupedNumber("KB"), 0.0f);
    for (int64_t value : {0LL, 7LL, 1000LL, 65536LL, 4194304LL, -2048LL})
        EXPECT_EQ(ParseGroupedNumber(GroupThousands(value) + " KB"), static_cast<float>(value)) << value;
}

TEST_F(ValueFormatting, FormatsByteCountsAtTheThresholds) {
    EXPECT_EQ(FormatBytes(1000, 2), "1000 Bytes");
    EXPECT_EQ(FormatBytes(1001, 2), "1.00 KB");
    EXPECT_EQ(FormatBytes(1000000, 2), "1000.00 KB");
    EXPECT_EQ(FormatBytes(1000001, 2), "1.00 MB");
    EXPECT_EQ(FormatBytes(0, 2), "0 Bytes");
    EXPECT_EQ(FormatBytes(-5000, 2), "-5000 Bytes");
    EXPECT_EQ(FormatBytes(INT32_MAX, 2), "2147.48 MB");
    EXPECT_EQ(FormatBytes(1536, 1), "1.5 KB");
    EXPECT_EQ(FormatBytes64(1000, 2), "1000 Bytes");
    EXPECT_EQ(FormatBytes64(1001, 2), "1.00 KB");
    EXPECT_EQ(FormatBytes64(1000000, 2), "1000.00 KB");
    EXPECT_EQ(FormatBytes64(5000000000LL, 2), "5000.00 MB");
    EXPECT_EQ(FormatBytes64(123456789012345LL, 2), "123456789.01 MB");  // beyond float precision
    SetDecimalComma(true);
    EXPECT_EQ(FormatBytes(1000001, 2), "1,00 MB");
    EXPECT_EQ(FormatBytes64(2500000, 1), "2,5 MB");
}

TEST_F(ValueFormatting, FormatsBitRatesRoundedHalfUp) {
    EXPECT_EQ(FormatBitRate(1500), "2 KBit");
    EXPECT_EQ(FormatBitRate(1499), "1 KBit");
    EXPECT_EQ(FormatBitRate(1000), "1000 Bit");
    EXPECT_EQ(FormatBitRate(0), "0 Bit");
    EXPECT_EQ(FormatBitRate(1000000), "1000 KBit");
    EXPECT_EQ(FormatBitRate(1000001), "1 MBit");
    EXPECT_EQ(FormatBitRate(2500000), "3 MBit");
    EXPECT_EQ(FormatBitRate(INT32_MAX), "2147 MBit");
}

TEST_F(ValueFormatting, FormatsClockTimes) {
    EXPECT_EQ(FormatClock(59), "0:00:59");
    EXPECT_EQ(FormatClock(3725), "1:02:05");
    EXPECT_EQ(FormatClock(90000), "25:00:00");
    EXPECT_EQ(FormatClock(0), "0:00:00");
    EXPECT_EQ(FormatClock(-5), "0:00:00");
}

TEST_F(ValueFormatting, FormatsDurationsWithCatalogueWords) {
    LanguageCatalogue english = MissingLanguageCatalogue();
    const std::pair<LanguageKey, const char*> words[] = {
        {LanguageKey::Day, "Day"},       {LanguageKey::Days, "Days"},       {LanguageKey::Hour, "Hour"},
        {LanguageKey::Hours, "Hours"},   {LanguageKey::Minute, "Minute"},   {LanguageKey::Minutes, "Minutes"},
        {LanguageKey::Second, "Second"}, {LanguageKey::Seconds, "Seconds"},
    };
    for (const auto& [key, word] : words)
        english.texts[static_cast<int>(key)] = word;
    SetCurrentLanguage(english);
    EXPECT_EQ(FormatDuration(86400), "1 Day");
    EXPECT_EQ(FormatDuration(3600), "1 Hour");
    EXPECT_EQ(FormatDuration(0), "");
    EXPECT_EQ(FormatDuration(90061), "1 Day, 1 Hour, 1 Minute, 1 Second");
    EXPECT_EQ(FormatDuration(2 * 86400 + 3 * 3600 + 5), "2 Days, 3 Hours, 5 Seconds");
    EXPECT_EQ(FormatDuration(120), "2 Minutes");
    EXPECT_EQ(FormatDuration(-30), "");
    SetCurrentLanguage(MissingLanguageCatalogue());
    EXPECT_EQ(FormatDuration(61), "1 \"Minute\" missing!, 1 \"Second\" missing!");
}

TEST_F(ValueFormatting, RoundsHalfUpAndClamps) {
    EXPECT_EQ(RoundHalfUp(1.5f), 2);
    EXPECT_EQ(RoundHalfUp(1.49f), 1);
    EXPECT_EQ(RoundHalfUp(2.0f), 2);
    EXPECT_EQ(RoundHalfUp(-1.5f), -1);  // toward zero for negative values
    EXPECT_EQ(RoundHalfUp(-1.7f), -1);
    EXPECT_EQ(RoundHalfUp(2.5), 3);
    EXPECT_EQ(RoundHalfUp(0.49999999), 0);
    EXPECT_EQ(RoundHalfUp(std::nanf("")), 0);
    EXPECT_EQ(RoundHalfUp(1e30f), INT64_MAX);
    EXPECT_EQ(RoundHalfUp(-1e300), INT64_MIN);
    EXPECT_EQ(Clamp(5, 0, 3), 3);
    EXPECT_EQ(Clamp(-2, 0, 3), 0);
    EXPECT_EQ(Clamp(2, 0, 3), 2);
    EXPECT_EQ(Clamp(0.5, 0.0, 1.0), 0.5);
}

TEST_F(ValueFormatting, BuildsTreePrefixesAndFileTitles) {
    EXPECT_EQ(TreePrefix(1), "|-  ");
    EXPECT_EQ(TreePrefix(3), "|   |   |-  ");
    EXPECT_EQ(TreePrefix(0), "|-  ");
    EXPECT_EQ(FileTitle("C:\\WINDOWS\\system32\\drivers\\ntfs.sys"), "ntfs");
    EXPECT_EQ(FileTitle("/usr/lib/a.b.c"), "a.b");
    EXPECT_EQ(FileTitle("folder.d\\noextension"), "noextension");
    EXPECT_EQ(FileTitle("plain.exe"), "plain");
    EXPECT_EQ(FileTitle(""), "");
}

TEST_F(ValueFormatting, ComparesSizeCellsPerList) {
    EXPECT_EQ(CompareFormattedSizes(SizeColumnList::Processes, "1.234 KB", "999 KB"), 1);
    EXPECT_EQ(CompareFormattedSizes(SizeColumnList::Processes, "999 KB", "1.234 KB"), -1);
    EXPECT_EQ(CompareFormattedSizes(SizeColumnList::Processes, "1.234 KB", "1.234 KB"), 0);
    EXPECT_EQ(CompareFormattedSizes(SizeColumnList::Drivers, "1.50 MB", "900.00 KB"), 1);
    EXPECT_EQ(CompareFormattedSizes(SizeColumnList::Drivers, "500 Bytes", "1.00 KB"), -1);
    EXPECT_EQ(CompareFormattedSizes(SizeColumnList::Networks, "2,00 MB", "1999,00 KB"), 1);
    EXPECT_EQ(CompareFormattedSizes(SizeColumnList::Networks, "", "0 Bytes"), 0);
    EXPECT_EQ(CompareFormattedSizes(SizeColumnList::Other, "2 MB", "1 KB"), 0);
}

TEST_F(ValueFormatting, SwapsPairsAndWritesHexBytes) {
    EXPECT_EQ(SwapCharPairs("aBcD"), "BaDc");
    EXPECT_EQ(SwapCharPairs("abc"), "ba");
    EXPECT_EQ(SwapCharPairs(""), "");
    EXPECT_EQ(HexByte(10), "0A");
    EXPECT_EQ(HexByte(0), "00");
    EXPECT_EQ(HexByte(255), "FF");
    EXPECT_EQ(HexByte(256), "");
    EXPECT_EQ(HexByte(-1), "");
}

}  // namespace

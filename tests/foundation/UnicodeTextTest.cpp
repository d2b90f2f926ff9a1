#include "foundation/UnicodeText.h"

#include <gtest/gtest.h>

#include "foundation/CodePage.h"

namespace {

TEST(UnicodeText, Utf8DecodingReplacesWhatIsNoUtf8) {
    EXPECT_EQ(Utf8ToUtf16("a\xC3\x9C\xE4\xB8\xAD\xF0\x9F\x98\x80"), u"a\u00DC\u4E2D\U0001F600");
    // Overlong forms, a lone continuation byte, a cut-off sequence, beyond U+10FFFF, a byte never used.
    EXPECT_EQ(Utf8ToUtf16("\xC0\x80|\xE0\x80\x80|\x80|\xE4\xB8|\xF4\x90\x80\x80|\xFF"),
              u"\uFFFD\uFFFD|\uFFFD\uFFFD\uFFFD|\uFFFD|\uFFFD\uFFFD|\uFFFD\uFFFD\uFFFD\uFFFD|\uFFFD");
}

TEST(UnicodeText, AnyUtf16SurvivesTheTripThroughUtf8) {
    const std::u16string units = u"\U0001F600 \xD800 \xDC00 \xDC00\xD800 \xFFFF";
    EXPECT_EQ(Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(units)), units);
}

TEST(UnicodeText, FilesAreToldByTheirMark) {
    EXPECT_EQ(EncodingOfFile("\xEF\xBB\xBFx"), TextEncoding::Utf8);
    EXPECT_EQ(EncodingOfFile("\xFF\xFEx"), TextEncoding::Utf16LittleEndian);
    EXPECT_EQ(EncodingOfFile("\xFE\xFFx"), TextEncoding::Utf16BigEndian);
    EXPECT_EQ(EncodingOfFile("\xEF\xBB"), TextEncoding::CodePage);
    EXPECT_EQ(TextOfFile(std::string("\xFE\xFF\0A\x4E\x2D\0", 7)), "A\xE4\xB8\xAD");  // the odd byte left out
    EXPECT_FALSE(FileTextIsWhole(std::string("\xFE\xFF\0A\0", 5)));
    EXPECT_TRUE(FileTextIsWhole("\xEF\xBB\xBFx"));
}

TEST(CodePage, NativeDefaultIsWindows1252) {
    EXPECT_EQ(CodePageToUtf8("\x80\x81\x8A\x9F\xDC\xFF"), "\xE2\x82\xAC\xC2\x81\xC5\xA0\xC5\xB8\xC3\x9C\xC3\xBF");
    EXPECT_EQ(Utf8ToCodePage("\xE2\x82\xAC\xC2\x81\xC5\xA0\xC5\xB8\xC3\x9C\xC3\xBF"), "\x80\x81\x8A\x9F\xDC\xFF");
    EXPECT_EQ(Utf8ToCodePage("\xC5\x81\xE4\xB8\xAD"), "??");  // no look-alike "L" for the Polish one
}

}  // namespace

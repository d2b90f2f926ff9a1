#include "foundation/IniDocument.h"

#include <gtest/gtest.h>

namespace {

std::string ValueOr(const IniDocument& document, const char* group, const char* key, const char* fallback) {
    const std::string* value = FindIniValue(document, group, key);
    return value ? *value : fallback;
}

TEST(IniDocument, AcceptsEveryLineEnding) {
    IniDocument document = ParseIniDocument("[A]\rone=1\ntwo=2\r\nthree=3\n\r\n\rfour=4");
    EXPECT_EQ(ValueOr(document, "A", "one", "-"), "1");
    EXPECT_EQ(ValueOr(document, "A", "two", "-"), "2");
    EXPECT_EQ(ValueOr(document, "A", "three", "-"), "3");
    EXPECT_EQ(ValueOr(document, "A", "four", "-"), "4");
    EXPECT_EQ(document.lines.size(), 5u);  // the empty lines are dropped
}

TEST(IniDocument, SplitsKeyLinesAsTheDialectSays) {
    IniDocument document = ParseIniDocument(
        "  \t[General] trailing text\n"
        "\t  Key \t=  \tvalue with blanks  \n"
        "Equation = a=b\n"
        "NoEquals   \n"
        "= nameless\n"
        "   ; a comment\n"
        "[Unclosed\n"
        "x=y\n");
    EXPECT_EQ(ValueOr(document, "General", "Key", "-"), "value with blanks  ");
    EXPECT_EQ(ValueOr(document, "General", "Equation", "-"), "a=b");
    EXPECT_EQ(ValueOr(document, "General", "NoEquals", "-"), "");  // a key with an empty value
    EXPECT_EQ(ValueOr(document, "General", "", "-"), "nameless");
    EXPECT_EQ(ValueOr(document, "Unclosed", "x", "-"), "y");
    ASSERT_EQ(document.lines[5].kind, IniLineKind::Comment);
    EXPECT_EQ(document.lines[5].name, "a comment");
}

TEST(IniDocument, MatchesNamesWithoutLetterCase) {
    IniDocument document = ParseIniDocument("[GeNeRaL]\npreferencesremain=0\n");
    EXPECT_EQ(ValueOr(document, "General", "PreferencesRemain", "-"), "0");
    EXPECT_EQ(ValueOr(document, "GENERAL", "PREFERENCESREMAIN", "-"), "0");
    EXPECT_EQ(ValueOr(document, "Generals", "PreferencesRemain", "-"), "-");
    EXPECT_TRUE(SameIniName("Drive5", "dRIVE5"));
    EXPECT_FALSE(SameIniName("Drive5", "Drive"));
}

TEST(IniDocument, KeysBeforeTheFirstGroupBelongToNoGroup) {
    IniDocument document = ParseIniDocument("loose=1\n[]\nempty=2\n[A]\nloose=3\n");
    EXPECT_EQ(ValueOr(document, "", "loose", "-"), "-");
    EXPECT_EQ(ValueOr(document, "", "empty", "-"), "2");
    EXPECT_EQ(ValueOr(document, "A", "loose", "-"), "3");
    EXPECT_NE(SerializeIniDocument(document).find("loose = 1\r\n"), std::string::npos);
}

TEST(IniDocument, WritesItsOwnLayout) {
    IniDocument document = ParseIniDocument(";first\n[A]\n\n\nk=v  \n;   second\n[B]\nx\n");
    EXPECT_EQ(SerializeIniDocument(document), "; first\r\n\r\n[A]\r\nk = v  \r\n; second\r\n\r\n[B]\r\nx = \r\n");
    // Writing what was read gives the same file again, so repeated saves do not drift.
    std::string once = SerializeIniDocument(document);
    EXPECT_EQ(SerializeIniDocument(ParseIniDocument(once)), once);
}

TEST(IniDocument, Utf8FileIsCodePageTextInsideAndUtf8Outside) {
    // "Über" ("\334ber" in Windows-1252, "\303\234ber" in UTF-8), a character the code page lacks,
    // bytes that are no UTF-8, and a zero byte.
    IniDocument document =
        ParseIniDocument("\xEF\xBB\xBF[A]\nk=\303\234ber\nfar=\xE4\xB8\xAD\nbad=\xC3(\n" + std::string("z=a\0b\n", 6));
    EXPECT_EQ(document.encoding, TextEncoding::Utf8);
    EXPECT_EQ(ValueOr(document, "A", "k", "-"), "\334ber");
    EXPECT_EQ(ValueOr(document, "A", "far", "-"), "?");
    EXPECT_EQ(ValueOr(document, "A", "z", "-"), std::string("a\0b", 3));

    SetIniValue(document, "A", "k", "\334bel");
    SetIniValue(document, "A", "far", "?");  // what was read, written back
    SetIniValue(document, "A", "new", "\xFC");
    EXPECT_EQ(SerializeIniDocument(document),
              "\xEF\xBB\xBF[A]\r\nk = \303\234bel\r\nfar = \xE4\xB8\xAD\r\nbad = \xC3(\r\n" +
                  std::string("z = a\0b\r\n", 9) + "new = \xC3\xBC\r\n");
    SetIniValue(document, "A", "far", "x");
    EXPECT_NE(SerializeIniDocument(document).find("\r\nfar = x\r\n"), std::string::npos);
}

// UTF-16 in the given byte order, behind its mark.
std::string Utf16File(std::u16string_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

TEST(IniDocument, Utf16FileIsReadAndWrittenInItsOwnByteOrder) {
    for (bool bigEndian : {false, true}) {
        // Characters beyond the code page, one of them a surrogate pair, and an unpaired surrogate.
        const std::u16string text = u"[A]\r\nk = \u00DCber\r\nfar = \u4E2D\U0001F600\r\nodd = \xDC00!\r\n";
        IniDocument document = ParseIniDocument(Utf16File(text, bigEndian));
        EXPECT_EQ(document.encoding, bigEndian ? TextEncoding::Utf16BigEndian : TextEncoding::Utf16LittleEndian);
        EXPECT_EQ(ValueOr(document, "A", "k", "-"), "\334ber");
        EXPECT_EQ(SerializeIniDocument(document), Utf16File(text, bigEndian));

        SetIniValue(document, "A", "k", "\334bel");
        EXPECT_EQ(SerializeIniDocument(document),
                  Utf16File(u"[A]\r\nk = \u00DCbel\r\nfar = \u4E2D\U0001F600\r\nodd = \xDC00!\r\n", bigEndian));
    }
}

TEST(IniDocument, CodePageFileStaysCodePageText) {
    const std::string text = "[A]\r\nk = \334ber \xC3\x9C\r\n";
    EXPECT_EQ(SerializeIniDocument(ParseIniDocument(text)), text);
    EXPECT_EQ(ParseIniDocument("[A]\nk=\xEF\xBB\xBF").encoding, TextEncoding::CodePage);
    // A mark's bytes at the start of a first key line (after a blank) must not turn into a mark.
    for (std::string mark : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"}) {
        IniDocument lookalike = ParseIniDocument(" " + mark + ";x=1");
        EXPECT_EQ(lookalike.encoding, TextEncoding::CodePage);
        IniDocument reread = ParseIniDocument(SerializeIniDocument(lookalike));
        EXPECT_EQ(reread.encoding, TextEncoding::CodePage);
        ASSERT_EQ(reread.lines.size(), 1u);
        EXPECT_EQ(reread.lines[0].kind, IniLineKind::Key);
        EXPECT_EQ(reread.lines[0].name, mark + ";x");
    }
}

TEST(IniDocument, UpdatingKeepsEverythingElse) {
    IniDocument document = ParseIniDocument(
        "; settings\n[General]\nPreferencesRemain=1\n; about the next\nOther=x\n[Systray]\nPreferencesColorCPU=5\n"
        "[Unknown]\nKeep=me\n");
    SetIniValue(document, "general", "preferencesremain", "0");
    std::string written = SerializeIniDocument(document);
    EXPECT_EQ(written,
              "; settings\r\n\r\n[General]\r\nPreferencesRemain = 0\r\n; about the next\r\nOther = x\r\n\r\n"
              "[Systray]\r\nPreferencesColorCPU = 5\r\n\r\n[Unknown]\r\nKeep = me\r\n");
}

TEST(IniDocument, NewKeysGoAfterTheLastKeyOfTheirGroup) {
    IniDocument document = ParseIniDocument("[A]\na=1\n; trailing comment\n[B]\nb=2\n");
    SetIniValue(document, "A", "c", "3");
    SetIniValue(document, "New", "n", "4");
    EXPECT_EQ(SerializeIniDocument(document),
              "[A]\r\na = 1\r\nc = 3\r\n; trailing comment\r\n\r\n[B]\r\nb = 2\r\n\r\n[New]\r\nn = 4\r\n");
    IniDocument empty;
    SetIniValue(empty, "G", "k", "v");
    EXPECT_EQ(SerializeIniDocument(empty), "[G]\r\nk = v\r\n");
    IniDocument groupOnly = ParseIniDocument("[G]\n; note\n");
    SetIniValue(groupOnly, "G", "k", "v");
    EXPECT_EQ(SerializeIniDocument(groupOnly), "[G]\r\nk = v\r\n; note\r\n");
}

TEST(IniDocument, RepeatedGroupsActAsOne) {
    IniDocument document = ParseIniDocument("[A]\na=1\n[B]\nb=1\n[a]\nlate=2\na=3\n");
    EXPECT_EQ(ValueOr(document, "A", "late", "-"), "2");
    EXPECT_EQ(ValueOr(document, "A", "a", "-"), "1");  // the first wins
    SetIniValue(document, "A", "late", "5");
    EXPECT_EQ(ValueOr(document, "A", "late", "-"), "5");
    RemoveIniKey(document, "A", "a");
    EXPECT_EQ(ValueOr(document, "A", "a", "-"), "-");  // no older copy shows through
    RemoveIniGroup(document, "A");
    EXPECT_FALSE(HasIniGroup(document, "a"));
    EXPECT_EQ(SerializeIniDocument(document), "[B]\r\nb = 1\r\n");
}

TEST(IniDocument, RemovingLeavesOtherGroupsAndComments) {
    IniDocument document =
        ParseIniDocument("[Database]\nDatabaseAccountName=me\n; keep this\n[Other]\nDatabaseAccountName=x\n");
    RemoveIniKey(document, "Other", "missing");
    RemoveIniGroup(document, "Missing");
    EXPECT_EQ(document.lines.size(), 5u);
    RemoveIniKey(document, "database", "databaseaccountname");
    EXPECT_TRUE(HasIniGroup(document, "Database"));
    EXPECT_EQ(ValueOr(document, "Other", "DatabaseAccountName", "-"), "x");
    SetIniValue(document, "Database", "DatabaseAccountName", "me");
    RemoveIniGroup(document, "DATABASE");
    EXPECT_EQ(SerializeIniDocument(document), "; keep this\r\n\r\n[Other]\r\nDatabaseAccountName = x\r\n");
}

TEST(IniDocument, WrittenValuesStayOnTheirLine) {
    IniDocument document;
    SetIniValue(document, "A", "k", "first\r\n[Injected]\nevil=1");
    IniDocument reread = ParseIniDocument(SerializeIniDocument(document));
    EXPECT_FALSE(HasIniGroup(reread, "Injected"));
    EXPECT_EQ(reread.lines.size(), 2u);
    EXPECT_EQ(ValueOr(reread, "A", "k", "-"), "first  [Injected] evil=1");
}

}  // namespace

#include "main/autoruns/RegistryPath.h"

#include <gtest/gtest.h>

#include <string>

TEST(RegistryPath, RootNamesMatchInAnyCaseAndNothingElse) {
    EXPECT_EQ(RegistryRootOfPath("HKEY_CLASSES_ROOT\\CLSID"), RegistryRoot::ClassesRoot);
    EXPECT_EQ(RegistryRootOfPath("hkey_current_user\\Software"), RegistryRoot::CurrentUser);
    EXPECT_EQ(RegistryRootOfPath("Hkey_Local_Machine\\SYSTEM"), RegistryRoot::LocalMachine);
    EXPECT_EQ(RegistryRootOfPath("HKEY_USERS\\.DEFAULT"), RegistryRoot::Users);
    EXPECT_EQ(RegistryRootOfPath("HKEY_CURRENT_CONFIG\\Software"), RegistryRoot::CurrentConfig);
    // A bare root name still names its root; the subkey is then the whole text (see below).
    EXPECT_EQ(RegistryRootOfPath("HKEY_USERS"), RegistryRoot::Users);

    EXPECT_EQ(RegistryRootOfPath("HKLM\\Software"), RegistryRoot::None);
    EXPECT_EQ(RegistryRootOfPath("HKCU\\Software"), RegistryRoot::None);
    EXPECT_EQ(RegistryRootOfPath("HKEY_LOCAL_MACHINEX\\Software"), RegistryRoot::None);
    EXPECT_EQ(RegistryRootOfPath(" HKEY_LOCAL_MACHINE\\Software"), RegistryRoot::None);
    EXPECT_EQ(RegistryRootOfPath("\\HKEY_LOCAL_MACHINE\\Software"), RegistryRoot::None);
    EXPECT_EQ(RegistryRootOfPath(""), RegistryRoot::None);
}

TEST(RegistryPath, SubKeyIsAfterTheFirstBackslashWithOneExtraBackslashDropped) {
    EXPECT_EQ(SubKeyOfPath("HKEY_CURRENT_USER\\Software\\Run"), "Software\\Run");
    EXPECT_EQ(SubKeyOfPath("HKEY_CURRENT_USER\\\\Software\\Run"), "Software\\Run");
    // Only one extra backslash goes.
    EXPECT_EQ(SubKeyOfPath("HKEY_CURRENT_USER\\\\\\Software"), "\\Software");
    EXPECT_EQ(SubKeyOfPath("HKEY_CURRENT_USER\\"), "");
    EXPECT_EQ(SubKeyOfPath("HKEY_CURRENT_USER"), "HKEY_CURRENT_USER");
    EXPECT_EQ(SubKeyOfPath(""), "");
}

TEST(RegistryPath, DwordTextIsSignedDecimal) {
    EXPECT_EQ(RegistryDwordText(4), "4");
    EXPECT_EQ(RegistryDwordText(0), "0");
    EXPECT_EQ(RegistryDwordText(0xFFFFFFFFu), "-1");
    EXPECT_EQ(RegistryDwordText(0x7FFFFFFFu), "2147483647");
    EXPECT_EQ(RegistryDwordText(0x80000000u), "-2147483648");
}

TEST(RegistryPath, DwordFromTextTakesBothSignsAndClampsOutOfRange) {
    EXPECT_EQ(RegistryDwordFromText("4"), 4u);
    EXPECT_EQ(RegistryDwordFromText("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(RegistryDwordFromText("4294967295"), 0xFFFFFFFFu);
    EXPECT_EQ(RegistryDwordFromText("-2147483648"), 0x80000000u);
    EXPECT_EQ(RegistryDwordFromText("+17"), 17u);
    EXPECT_EQ(RegistryDwordFromText("  12abc"), 12u);
    EXPECT_EQ(RegistryDwordFromText(""), 0u);
    EXPECT_EQ(RegistryDwordFromText("abc"), 0u);
    EXPECT_EQ(RegistryDwordFromText("-"), 0u);
    EXPECT_EQ(RegistryDwordFromText("-0"), 0u);
    EXPECT_EQ(RegistryDwordFromText("4294967296"), 0xFFFFFFFFu);
    EXPECT_EQ(RegistryDwordFromText("99999999999999999999999999"), 0xFFFFFFFFu);
    EXPECT_EQ(RegistryDwordFromText("-2147483649"), 0x80000000u);
    EXPECT_EQ(RegistryDwordFromText("-99999999999999999999999999"), 0x80000000u);
    // Round trip through the text form for the values the start types and flags use.
    for (std::uint32_t value : {0u, 1u, 4u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFEu, 0xFFFFFFFFu}) {
        EXPECT_EQ(RegistryDwordFromText(RegistryDwordText(value)), value) << value;
    }
}

TEST(RegistryPath, BinaryTextIsUpperCaseHexPairs) {
    const unsigned char bytes[] = {0x0A, 0x1F, 0x00, 0xFF};
    EXPECT_EQ(RegistryBinaryText(bytes, 2), "0A1F");
    EXPECT_EQ(RegistryBinaryText(bytes, 4), "0A1F00FF");
    EXPECT_EQ(RegistryBinaryText(bytes, 0), "");

    auto parsed = RegistryBinaryFromText("0aFF");
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(*parsed, (std::vector<unsigned char>{0x0A, 0xFF}));
    parsed = RegistryBinaryFromText("0a1");  // the odd last digit is dropped
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(*parsed, (std::vector<unsigned char>{0x0A}));
    parsed = RegistryBinaryFromText("");
    ASSERT_TRUE(parsed.has_value());
    EXPECT_TRUE(parsed->empty());

    EXPECT_FALSE(RegistryBinaryFromText("0G").has_value());
    EXPECT_FALSE(RegistryBinaryFromText("0A 1F").has_value());
    EXPECT_FALSE(RegistryBinaryFromText("0x0A").has_value());
}

TEST(RegistryPath, StringDataLosesOnlyItsTerminatingZero) {
    EXPECT_EQ(RegistryStringFromData("abc\0", 4), "abc");
    EXPECT_EQ(RegistryStringFromData("%SystemRoot%\\x.exe", 19), "%SystemRoot%\\x.exe");  // no zero stored
    EXPECT_EQ(RegistryStringFromData("", 0), "");
    EXPECT_EQ(RegistryStringFromData("\0", 1), "");
    EXPECT_EQ(RegistryStringFromData("ab\0cd\0", 6), "ab");
}

TEST(RegistryPath, IndirectTextsNameAFileAndAStringNumber) {
    auto reference = ParseIndirectText("@%SystemRoot%\\system32\\spoolsv.exe,-2");
    ASSERT_TRUE(reference);
    EXPECT_EQ(reference->file, "%SystemRoot%\\system32\\spoolsv.exe");
    EXPECT_EQ(reference->id, 2u);
    // The last ",-" counts, and a comment after ";" is no part of the number.
    reference = ParseIndirectText("@C:\\a,-b\\x.dll,-65535;fallback, text");
    ASSERT_TRUE(reference);
    EXPECT_EQ(reference->file, "C:\\a,-b\\x.dll");
    EXPECT_EQ(reference->id, 65535u);

    for (const char* other : {"Loads files to memory for later printing", "", "@", "@x.dll", "@x.dll,101", "@x.dll,-",
                              "@,-101", "@x.dll,-10a", "@x.dll,-65536", " @x.dll,-1", "x.dll,-1"}) {
        EXPECT_FALSE(ParseIndirectText(other)) << other;
    }
}

TEST(RegistryPath, ValueDataAndTextConvertByType) {
    const unsigned char dword[] = {0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    EXPECT_EQ(RegistryValueText(kRegistryDword, dword, 4), "-1");
    EXPECT_EQ(RegistryValueText(kRegistryDword, dword, 5), "0");  // too long for a DWORD
    EXPECT_EQ(RegistryValueText(kRegistryDword, dword + 3, 2), "255");
    const unsigned char text[] = {'a', 'b', 0};
    EXPECT_EQ(RegistryValueText(kRegistryExpandString, text, 3), "ab");
    EXPECT_EQ(RegistryValueText(kRegistryBinary, text, 2), "6162");
    EXPECT_EQ(RegistryValueText(7, text, 3), "");

    EXPECT_EQ(RegistryValueData(kRegistryString, "ab"), (std::vector<unsigned char>{'a', 'b', 0}));
    EXPECT_EQ(RegistryValueData(kRegistryDword, "258"), (std::vector<unsigned char>{2, 1, 0, 0}));
    EXPECT_EQ(RegistryValueData(kRegistryBinary, "0aFF"), (std::vector<unsigned char>{0x0A, 0xFF}));
    EXPECT_FALSE(RegistryValueData(kRegistryBinary, "zz"));
    EXPECT_FALSE(RegistryValueData(7, "1"));

    EXPECT_EQ(RegistryViewAccessFlag(RegistryView::Bits64), 0x0100u);
    EXPECT_EQ(RegistryViewAccessFlag(RegistryView::Bits32), 0x0200u);
}

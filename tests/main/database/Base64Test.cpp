#include "main/database/Base64.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/main/database/DatabaseTestSupport.h"

namespace {

TEST(Base64, MatchesTheStandardVectors) {
    const std::pair<const char*, const char*> vectors[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
    };
    for (const auto& [plain, encoded] : vectors) {
        EXPECT_EQ(EncodeBase64(plain), encoded);
        std::string decoded;
        ASSERT_TRUE(DecodeBase64(encoded, decoded)) << encoded;
        EXPECT_EQ(decoded, plain);
    }
}

TEST(Base64, AgreesWithTheBase64ToolOnRandomBytes) {
    TemporaryFolder folder;
    std::mt19937 random(7);
    for (size_t length : {1u, 2u, 3u, 4u, 5u, 57u, 58u, 59u, 1000u, 4097u}) {
        std::string bytes(length, '\0');
        for (char& byte : bytes) {
            byte = static_cast<char>(random() & 0xFF);
        }
        WriteWholeFile(folder.File("bytes"), bytes);
        const std::string reference = CommandOutput("base64 -w0 '" + folder.File("bytes") + "'");
        ASSERT_FALSE(reference.empty()) << "the base64 tool is missing";
        EXPECT_EQ(EncodeBase64(bytes), reference) << length << " bytes";
        std::string decoded;
        ASSERT_TRUE(DecodeBase64(reference, decoded));
        EXPECT_EQ(decoded, bytes);
    }
}

TEST(Base64, RefusesMalformedText) {
    for (const char* text : {"Zg=", "Zg", "Z===", "Zg==Zg==", "Zm9v!A==", "Zm 9", "=Zm9", "Zm=v", "Zg\n=="}) {
        std::string decoded = "unchanged";
        EXPECT_FALSE(DecodeBase64(text, decoded)) << text;
        EXPECT_EQ(decoded, "unchanged");
    }
}

TEST(Base64, PropsTravelWithTildesForPadding) {
    EXPECT_EQ(EncodeBase64("1|ab"), "MXxhYg==");
    EXPECT_EQ(EncodeRatingProp("1|ab"), "MXxhYg~~");
    EXPECT_EQ(EncodeRatingProp("1|abc"), "MXxhYmM~");
    std::string decoded;
    ASSERT_TRUE(DecodeRatingProp("MXxhYg~~", decoded));
    EXPECT_EQ(decoded, "1|ab");
    // "+" and "/" are Base64 characters and pass unchanged.
    EXPECT_EQ(EncodeRatingProp("\xFB\xFF"), "+/8~");
    ASSERT_TRUE(DecodeRatingProp("+/8~", decoded));
    EXPECT_EQ(decoded, "\xFB\xFF");
}

}  // namespace

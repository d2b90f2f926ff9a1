#include "resources/PngBitmap_win.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/harness/WineTestSupport.h"

namespace {

TEST(PngBitmap, BannerBecomesATopDownDibWithTheDecodedPixels) {
    std::ifstream file(SourceFile("resources/images/banner.png"), std::ios::binary);
    std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    PngImage image;
    ASSERT_TRUE(DecodePng(bytes.data(), bytes.size(), image));

    HBITMAP bitmap = CreatePngBitmap(image);
    ASSERT_NE(bitmap, nullptr) << LastError();
    BITMAP info{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof(info), &info), static_cast<int>(sizeof(info))) << LastError();
    EXPECT_EQ(info.bmWidth, 640);
    EXPECT_EQ(info.bmHeight, 25);
    EXPECT_EQ(info.bmBitsPixel, 32);
    ASSERT_NE(info.bmBits, nullptr);
    const uint32_t* bits = static_cast<const uint32_t*>(info.bmBits);
    EXPECT_EQ(bits[0], image.pixels[0]);
    EXPECT_EQ(bits[640 * 24 + 639], image.pixels[640 * 24 + 639]);
    DeleteObject(bitmap);
}

TEST(PngBitmap, MissingResourceOrEmptyImageGivesNoBitmap) {
    PngImage image;
    EXPECT_FALSE(LoadPngResource(GetModuleHandleA(nullptr), 4711, image));
    EXPECT_EQ(LoadPngBitmap(GetModuleHandleA(nullptr), 4711, nullptr), nullptr);
    EXPECT_EQ(CreatePngBitmap(image), nullptr);
}

}  // namespace

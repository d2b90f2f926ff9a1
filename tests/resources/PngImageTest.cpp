#include "resources/PngImage.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::vector<unsigned char> ReadSourceFile(const std::string& relative) {
    const char* top = std::getenv("VANTREL_SOURCE");
    std::ifstream file(std::string(top != nullptr ? top : ".") + "/" + relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void AppendChunk(std::vector<unsigned char>& png, const char* kind, const std::vector<unsigned char>& data) {
    auto put32 = [&png](uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            png.push_back(static_cast<unsigned char>(v >> shift));
        }
    };
    put32(static_cast<uint32_t>(data.size()));
    size_t start = png.size();
    png.insert(png.end(), kind, kind + 4);
    png.insert(png.end(), data.begin(), data.end());
    put32(static_cast<uint32_t>(crc32(0, png.data() + start, static_cast<uInt>(png.size() - start))));
}

// An RGBA PNG of one row, written here so the expected pixels are known exactly.
std::vector<unsigned char> MakeRgbaPng(uint32_t width, uint32_t height, const std::vector<unsigned char>& rgba) {
    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<unsigned char> header = {static_cast<unsigned char>(width >> 24),
                                         static_cast<unsigned char>(width >> 16),
                                         static_cast<unsigned char>(width >> 8),
                                         static_cast<unsigned char>(width),
                                         static_cast<unsigned char>(height >> 24),
                                         static_cast<unsigned char>(height >> 16),
                                         static_cast<unsigned char>(height >> 8),
                                         static_cast<unsigned char>(height),
                                         8,
                                         6,
                                         0,
                                         0,
                                         0};
    AppendChunk(png, "IHDR", header);
    std::vector<unsigned char> raw;
    size_t rowBytes = static_cast<size_t>(width) * 4;
    for (size_t offset = 0; offset + rowBytes <= rgba.size(); offset += rowBytes) {
        raw.push_back(0);
        raw.insert(raw.end(), rgba.begin() + offset, rgba.begin() + offset + rowBytes);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<unsigned char> packed(packedSize);
    compress(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()));
    packed.resize(packedSize);
    AppendChunk(png, "IDAT", packed);
    AppendChunk(png, "IEND", {});
    return png;
}

TEST(PngImage, DecodesTheBannerShippedInResources) {
    std::vector<unsigned char> file = ReadSourceFile("resources/images/banner.png");
    ASSERT_FALSE(file.empty());
    PngImage image;
    ASSERT_TRUE(DecodePng(file.data(), file.size(), image));
    EXPECT_EQ(image.width, 640);
    EXPECT_EQ(image.height, 25);
    ASSERT_EQ(image.pixels.size(), 640u * 25u);
    // Top-left is the band's left colour (28, 74, 132), fully opaque.
    EXPECT_EQ(image.pixels[0], 0xFF1C4A84u);
}

TEST(PngImage, ChannelsArePremultipliedAndStoredAsBgra) {
    // Opaque red, half-transparent white, fully transparent green.
    std::vector<unsigned char> png = MakeRgbaPng(3, 1, {255, 0, 0, 255, 255, 255, 255, 128, 0, 255, 0, 0});
    PngImage image;
    ASSERT_TRUE(DecodePng(png.data(), png.size(), image));
    ASSERT_EQ(image.pixels.size(), 3u);
    EXPECT_EQ(image.pixels[0], 0xFFFF0000u);
    EXPECT_EQ(image.pixels[1], 0x80808080u);
    EXPECT_EQ(image.pixels[2], 0x00000000u);
}

TEST(PngImage, FlatteningLaysTheImageOverTheBackgroundAndMakesItOpaque) {
    // Opaque red, half-transparent white, fully transparent green, half-transparent black.
    std::vector<unsigned char> png =
        MakeRgbaPng(4, 1, {255, 0, 0, 255, 255, 255, 255, 128, 0, 255, 0, 0, 0, 0, 0, 128});
    PngImage image;
    ASSERT_TRUE(DecodePng(png.data(), png.size(), image));
    FlattenPngOnto(image, 0x3366CC);
    EXPECT_EQ(image.pixels[0], 0xFFFF0000u);  // opaque pixels keep their colour
    EXPECT_EQ(image.pixels[1], 0xFF99B3E6u);  // half white over the background
    EXPECT_EQ(image.pixels[2], 0xFF3366CCu);  // transparent shows the background alone
    EXPECT_EQ(image.pixels[3], 0xFF193366u);  // half black darkens it to half
}

TEST(PngImage, DamagedInputIsRefusedAndLeavesTheImageAlone) {
    std::vector<unsigned char> good = MakeRgbaPng(2, 2, std::vector<unsigned char>(16, 200));
    PngImage image;
    image.width = 7;

    EXPECT_FALSE(DecodePng(nullptr, 0, image));
    EXPECT_FALSE(DecodePng(good.data(), 7, image));
    std::vector<unsigned char> truncated(good.begin(), good.end() - 20);
    EXPECT_FALSE(DecodePng(truncated.data(), truncated.size(), image));
    std::vector<unsigned char> badCrc = good;
    badCrc[30] ^= 0xFF;  // inside IHDR: its checksum no longer matches
    EXPECT_FALSE(DecodePng(badCrc.data(), badCrc.size(), image));
    std::string text = "this is not a picture at all";
    EXPECT_FALSE(DecodePng(reinterpret_cast<const unsigned char*>(text.data()), text.size(), image));
    EXPECT_EQ(image.width, 7);
    EXPECT_TRUE(image.pixels.empty());
}

TEST(PngImage, OversizedDimensionsAreRefusedBeforeAllocating) {
    // The header claims 9000 x 9000; the data would never be read.
    std::vector<unsigned char> png = MakeRgbaPng(9000, 9000, {});
    PngImage image;
    EXPECT_FALSE(DecodePng(png.data(), png.size(), image));
}

}  // namespace

// The harness's own PNG files, read back by the reference library.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "harness/png_encoder.h"

namespace {

// Decodes a PNG held in memory into an RgbImage; empty when libpng refuses it.
RgbImage decode(const std::vector<std::uint8_t>& bytes) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        return RgbImage{};
    }
    image.format = PNG_FORMAT_RGB;
    RgbImage out(static_cast<int>(image.width), static_cast<int>(image.height));
    if (!png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        return RgbImage{};
    }
    return out;
}

RgbImage gradient(int width, int height) {
    RgbImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y,
                           static_cast<std::uint32_t>((x * 7) & 0xFF) << 16 |
                               static_cast<std::uint32_t>((y * 13) & 0xFF) << 8 |
                               static_cast<std::uint32_t>((x + y) & 0xFF));
        }
    }
    return image;
}

TEST(PngChecksums, MatchTheFormatsPublishedValues) {
    const char* type = "IEND";
    // Every PNG file ends with this CRC of the empty IEND chunk.
    EXPECT_EQ(crc32Of(reinterpret_cast<const std::uint8_t*>(type), 4), 0xAE426082u);
    const char* text = "Wikipedia";
    EXPECT_EQ(adler32Of(reinterpret_cast<const std::uint8_t*>(text), std::strlen(text)),
              0x11E60398u);
    EXPECT_EQ(adler32Of(nullptr, 0), 1u);
}

TEST(PngEncoder, SmallPictureReadsBackExactly) {
    const RgbImage original = gradient(3, 2);
    const RgbImage read = decode(encodePng(original));
    ASSERT_EQ(read.width, 3);
    ASSERT_EQ(read.height, 2);
    EXPECT_EQ(read.rgb, original.rgb);
}

// 268 by 107 pixels is more than one stored block (65535 bytes) holds.
TEST(PngEncoder, PictureSpanningSeveralStoredBlocksReadsBackExactly) {
    const RgbImage original = gradient(268, 107);
    const std::vector<std::uint8_t> bytes = encodePng(original);
    EXPECT_GT(bytes.size(), 65535u);
    const RgbImage read = decode(bytes);
    ASSERT_EQ(read.width, 268);
    ASSERT_EQ(read.height, 107);
    EXPECT_EQ(read.rgb, original.rgb);
    EXPECT_EQ(read.pixel(267, 106), original.pixel(267, 106));
}

TEST(PngEncoder, WritesFilesAndRefusesEmptyPictures) {
    const std::string path = ::testing::TempDir() + "png_encoder_test.png";
    ASSERT_TRUE(writePng(gradient(5, 4), path));
    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::vector<std::uint8_t> bytes(1 << 12);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    std::fclose(file);
    std::remove(path.c_str());
    EXPECT_EQ(decode(bytes).rgb, gradient(5, 4).rgb);

    EXPECT_FALSE(writePng(RgbImage{}, path));
    RgbImage truncated = gradient(5, 4);
    truncated.rgb.pop_back();
    EXPECT_FALSE(writePng(truncated, path));
    EXPECT_FALSE(writePng(gradient(2, 2), "/nonexistent-folder/picture.png"));
}

} // namespace

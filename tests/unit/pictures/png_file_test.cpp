// PNG files: our own stored encoder (what the Windows builds write), read
// back by libpng, and the libpng writer and reader of the native builds.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "pictures/png_file.h"

namespace {

using pictures::Image;

// Decodes a PNG held in memory into an Image; empty when libpng refuses it.
Image decode(const std::vector<std::uint8_t>& bytes) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        return Image{};
    }
    image.format = PNG_FORMAT_RGB;
    Image out(static_cast<int>(image.width), static_cast<int>(image.height));
    if (!png_image_finish_read(&image, nullptr, out.bytes(), 0, nullptr)) {
        png_image_free(&image);
        return Image{};
    }
    return out;
}

Image gradient(int width, int height) {
    Image image(width, height);
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
    EXPECT_EQ(pictures::crc32Of(reinterpret_cast<const std::uint8_t*>(type), 4), 0xAE426082u);
    const char* text = "Wikipedia";
    EXPECT_EQ(pictures::adler32Of(reinterpret_cast<const std::uint8_t*>(text), std::strlen(text)),
              0x11E60398u);
    EXPECT_EQ(pictures::adler32Of(nullptr, 0), 1u);
}

TEST(PngEncoder, SmallPictureReadsBackExactly) {
    const Image original = gradient(3, 2);
    const Image read = decode(pictures::encodeStoredPng(original));
    EXPECT_EQ(read, original);
}

// 268 by 107 pixels is more than one stored block (65535 bytes) holds.
TEST(PngEncoder, PictureSpanningSeveralStoredBlocksReadsBackExactly) {
    const Image original = gradient(268, 107);
    const std::vector<std::uint8_t> bytes = pictures::encodeStoredPng(original);
    EXPECT_GT(bytes.size(), 65535u);
    const Image read = decode(bytes);
    ASSERT_EQ(read.width(), 268);
    ASSERT_EQ(read.height(), 107);
    EXPECT_EQ(read, original);
    EXPECT_EQ(read.pixel(267, 106), original.pixel(267, 106));
}

// The native writer is libpng's; what it writes our reader gives back.
TEST(PngFile, WritesFilesThatReadBackAndRefusesEmptyPictures) {
    const std::string path = ::testing::TempDir() + "png_file_test.png";
    ASSERT_TRUE(pictures::writePng(gradient(5, 4), path));
    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::vector<std::uint8_t> bytes(1 << 12);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    std::fclose(file);
    EXPECT_EQ(decode(bytes), gradient(5, 4));
    Image read;
    EXPECT_TRUE(pictures::readPng(path, read));
    EXPECT_EQ(read, gradient(5, 4));
    std::remove(path.c_str());

    EXPECT_FALSE(pictures::writePng(Image{}, path));
    EXPECT_FALSE(pictures::writePng(gradient(2, 2), "/nonexistent-folder/picture.png"));
}

TEST(PngFile, ReadingSaysWhyItFailed) {
    Image read(2, 2);
    std::string error;
    EXPECT_FALSE(pictures::readPng("/nonexistent-folder/picture.png", read, &error));
    EXPECT_NE(error.find("/nonexistent-folder/picture.png"), std::string::npos);
    EXPECT_EQ(read.width(), 2); // untouched
}

} // namespace

// Bitmap files written from surfaces read back as the same pixels: rows in
// the right order, padded to whole words, channels in the file's order.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/software/pictures/bmp_reader.h"

namespace {

std::vector<unsigned char> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)),
                                      std::istreambuf_iterator<char>());
}

TEST(BmpWriter, AnOddWidthSurfaceReadsBackPixelForPixel) {
    // Five pixels of three bytes: each row is padded by one byte.
    raster::Surface surface(5, 3, false);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            surface.set(x, y,
                        platform::rgb(static_cast<std::uint8_t>(40 * x),
                                      static_cast<std::uint8_t>(100 * y), 7));
    const std::string path = ::testing::TempDir() + "bmp_writer_test.bmp";
    ASSERT_TRUE(headless::saveBmp(surface, path.c_str()));
    const std::vector<unsigned char> bytes = readFile(path);
    EXPECT_EQ(bytes.size(), 54u + 16u * 3u);
    raster::Surface back;
    ASSERT_TRUE(software::decodeBmp(bytes.data(), bytes.size(), back));
    ASSERT_EQ(back.width(), 5);
    ASSERT_EQ(back.height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(back.get(x, y), surface.get(x, y)) << x << "," << y;
    std::remove(path.c_str());
}

TEST(BmpWriter, RefusesAnEmptySurfaceOrAPathItCannotWrite) {
    EXPECT_FALSE(headless::saveBmp(raster::Surface(), "unused.bmp"));
    EXPECT_FALSE(headless::saveBmp(raster::Surface(2, 2, false), "/nonexistent-folder/x.bmp"));
    EXPECT_FALSE(headless::saveBmp(raster::Surface(2, 2, false), nullptr));
}

} // namespace

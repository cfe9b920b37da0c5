// The width --dll reads from a Windows library's header, which picks the
// plug-in server and the Wine loader.
#include "windows_library.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace {

// A file with a DOS header pointing at a PE header 0x80 bytes in, whose
// machine field is `machine`; `signature` replaces "PE\0\0".
std::string writeLibrary(const std::string& name, std::uint16_t machine,
                         const char* signature = "PE\0\0") {
    std::vector<unsigned char> bytes(0x100, 0);
    bytes[0] = 'M';
    bytes[1] = 'Z';
    bytes[0x3c] = 0x80;
    for (int i = 0; i < 4; ++i) {
        bytes[0x80 + i] = static_cast<unsigned char>(signature[i]);
    }
    bytes[0x84] = static_cast<unsigned char>(machine & 0xff);
    bytes[0x85] = static_cast<unsigned char>(machine >> 8);
    const std::string path = testing::TempDir() + name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

TEST(WindowsLibraryWidth, ReadsTheMachineOfBothWidths) {
    std::string error;
    EXPECT_EQ(windowsLibraryWidth(writeLibrary("x86.dll", 0x014c), error), 32);
    EXPECT_EQ(windowsLibraryWidth(writeLibrary("x64.dll", 0x8664), error), 64);
    EXPECT_TRUE(error.empty()) << error;
}

TEST(WindowsLibraryWidth, RefusesWhatItCannotRun) {
    std::string error;
    EXPECT_EQ(windowsLibraryWidth(writeLibrary("arm64.dll", 0xaa64), error), 0);
    EXPECT_NE(error.find("neither x86 nor x86-64"), std::string::npos) << error;

    error.clear();
    EXPECT_EQ(windowsLibraryWidth(writeLibrary("elf.so", 0x8664, "ELF\0"), error), 0);
    EXPECT_NE(error.find("not a Windows library"), std::string::npos) << error;

    // A header offset past the end of a short file.
    const std::string shortFile = testing::TempDir() + "short.dll";
    std::ofstream(shortFile, std::ios::binary) << "MZ";
    error.clear();
    EXPECT_EQ(windowsLibraryWidth(shortFile, error), 0);
    EXPECT_FALSE(error.empty());

    error.clear();
    EXPECT_EQ(windowsLibraryWidth(testing::TempDir() + "missing.dll", error), 0);
    EXPECT_NE(error.find("cannot open"), std::string::npos) << error;
}

} // namespace

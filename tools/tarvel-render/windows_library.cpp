#include "windows_library.h"

#include <cstdint>
#include <fstream>

namespace {

// Where the PE header starts is stored at this offset of the DOS header; the
// header is the signature "PE\0\0" followed by the machine type.
constexpr std::streamoff kHeaderOffsetField = 0x3c;
constexpr std::uint16_t kMachineX86 = 0x014c;
constexpr std::uint16_t kMachineX64 = 0x8664;

std::uint32_t littleEndian(const unsigned char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

} // namespace

int windowsLibraryWidth(const std::string& path, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot open " + path;
        return 0;
    }
    unsigned char field[4] = {};
    unsigned char header[6] = {};
    file.seekg(kHeaderOffsetField);
    file.read(reinterpret_cast<char*>(field), sizeof field);
    if (file) {
        file.seekg(static_cast<std::streamoff>(littleEndian(field, 4)));
        file.read(reinterpret_cast<char*>(header), sizeof header);
    }
    if (!file || header[0] != 'P' || header[1] != 'E' || header[2] != 0 || header[3] != 0) {
        error = path + " is not a Windows library";
        return 0;
    }
    switch (littleEndian(header + 4, 2)) {
    case kMachineX86:
        return 32;
    case kMachineX64:
        return 64;
    default:
        error = path + " is a Windows library for neither x86 nor x86-64";
        return 0;
    }
}

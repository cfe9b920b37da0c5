// gallery-pictures: draws the control gallery's pictures as 24-bit BMP files.
//
//   gallery-pictures DIR           writes every picture into DIR
//   gallery-pictures --check DIR   compares DIR's files with fresh drawings;
//                                  exits 1 and names the files that differ
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bmp_file.h"
#include "control_pictures.h"

namespace {

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
}

} // namespace

int main(int argc, char** argv) {
    const bool check = argc == 3 && std::strcmp(argv[1], "--check") == 0;
    if (argc != 2 && !check) {
        std::fprintf(stderr, "usage: gallery-pictures [--check] DIR\n");
        return 2;
    }
    const std::string dir = argv[argc - 1];
    int failures = 0;
    for (const gallery::NamedPicture& p : gallery::controlPictures()) {
        const std::vector<std::uint8_t> bytes = pictures::encodeBmp(p.image);
        const std::string path = dir + "/" + p.fileName;
        if (check) {
            if (readFile(path) != bytes) {
                std::fprintf(stderr, "differs: %s\n", path.c_str());
                ++failures;
            }
        } else if (!pictures::writeFile(path, bytes)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

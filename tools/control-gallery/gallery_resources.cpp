#include "gallery_resources.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/software/software.h"

bool addPictureFile(std::uint16_t id, const std::string& path) {
    std::ifstream picture(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(picture)),
                                     std::istreambuf_iterator<char>());
    if (bytes.empty()) {
        std::fprintf(stderr, "control-gallery: cannot read %s\n", path.c_str());
        return false;
    }
    software::addResourcePicture(id, std::move(bytes));
    return true;
}

bool loadGalleryPictures(const std::string& script) {
    std::ifstream in(script);
    if (!in) {
        std::fprintf(stderr, "control-gallery: cannot read %s\n", script.c_str());
        return false;
    }
    const std::string folder = script.substr(0, script.find_last_of('/') + 1);
    std::string line;
    bool ok = true;
    while (std::getline(in, line)) {
        unsigned id = 0;
        char file[512] = "";
        if (std::sscanf(line.c_str(), " %u BITMAP \"%511[^\"]\"", &id, file) != 2)
            continue;
        ok = addPictureFile(static_cast<std::uint16_t>(id), folder + file) && ok;
    }
    return ok;
}

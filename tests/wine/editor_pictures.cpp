#include "editor_pictures.h"

namespace {

std::string& folder() {
    static std::string value = ".";
    return value;
}

} // namespace

const std::string& pictureFolder() {
    return folder();
}

void setPictureFolder(const std::string& newFolder) {
    folder() = newFolder;
}

std::string picturePath(const std::string& name) {
    return folder() + "\\" + name;
}

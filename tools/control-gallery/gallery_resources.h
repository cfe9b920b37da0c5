// The gallery's pictures, read from the files its resource script names and
// added to the program's resources on the software-drawn backends.
#pragma once

#include <cstdint>
#include <string>

// Adds the bitmap file at `path` to the resources as picture `id`.
bool addPictureFile(std::uint16_t id, const std::string& path);
// Adds every picture the resource script names.
bool loadGalleryPictures(const std::string& script);

// The plug-in's pictures, built into the program from resources/ and named
// by the numbers the resource script gives them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace software {

struct EmbeddedPicture {
    std::uint16_t id;
    const unsigned char* data; // the whole bitmap file
    std::size_t size;
};

const EmbeddedPicture* embeddedPictures(std::size_t& count);

} // namespace software

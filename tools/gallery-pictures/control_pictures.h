// The pictures of the control gallery: picture stacks, knob parts, digits,
// the splash picture and the meter's two bars, all drawn from shapes so
// they need no fonts.
#pragma once

#include <string>
#include <vector>

#include "image.h"

namespace gallery {

struct NamedPicture {
    std::string fileName;
    pictures::Image image;
};

std::vector<NamedPicture> controlPictures();

} // namespace gallery

// The harness's pictures (window captures, resources read from a library)
// are the picture library's.
#pragma once

#include "pictures/image.h"

using RgbImage = pictures::Image;

// Draws resource 128, the editor's panel: outline, lettering and grooves.
#pragma once

#include "image.h"

#include <string>
#include <vector>

namespace pictures {

struct PanelPicture {
    Image image{0, 0, white};
    // The pixel size chosen for each line of lettering, in layout order.
    std::vector<int> pixelSizes;
    // Empty on success; otherwise why the panel could not be drawn.
    std::string error;
};

// At scale s (one of scale::kOffered) every box of the layout covers the
// pixels its units cover; the lettering is set again at the scale's size.
PanelPicture drawPanel(const std::string& fontDir, double s = 1.0);

} // namespace pictures

// Finds where the slider handle picture (resource 129) was drawn: the
// columns at which every pixel of its disc (all but its white corners)
// matches, with the picture's top at a given row.
#pragma once

#include <vector>

#include "gui/bitmap.h"
#include "platform/headless/headless.h"

inline std::vector<int> handleColumns(const raster::Surface& drawn, int top) {
    Bitmap* handle = new Bitmap(129);
    const raster::Surface& picture = *headless::surfaceOf(handle->getHandle());
    std::vector<int> columns;
    for (int left = 0; left + picture.width() <= drawn.width(); ++left) {
        bool matches = true;
        for (int y = 0; y < picture.height() && matches; ++y)
            for (int x = 0; x < picture.width() && matches; ++x) {
                const raster::Pixel p = picture.get(x, y);
                if (p != raster::kWhite && drawn.get(left + x, top + y) != p)
                    matches = false;
            }
        if (matches)
            columns.push_back(left);
    }
    handle->release();
    return columns;
}

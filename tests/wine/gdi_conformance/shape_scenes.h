// Scenes drawn the same way on both sides. Exact scenes must match pixel
// for pixel; measured ones report how many pixels differ and must stay
// under their allowance.
#pragma once

#include <functional>
#include <vector>

#include "canvas_ops.h"

struct Scene {
    const char* name;
    std::function<void(CanvasOps&)> draw;
    int allowedDifference; // 0: exact
};

std::vector<Scene> shapeScenes();

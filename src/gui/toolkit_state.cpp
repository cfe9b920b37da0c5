#include "gui/toolkit_state.h"

#include "platform/system.h"

bool swappedButtons = false;
platform::TransparentBlitFunction transparentBltFunction = nullptr;
platform::AlphaBlendFunction alphaBlendFunction = nullptr;

platform::Module loadBlendServices() {
    transparentBltFunction = nullptr;
    alphaBlendFunction = nullptr;
    platform::Module library = platform::loadLibrary("msimg32.dll");
    if (!library)
        return nullptr;
    alphaBlendFunction = reinterpret_cast<platform::AlphaBlendFunction>(
        platform::procAddress(library, "AlphaBlend"));
    if (platform::platformFamily() >= 2)
        transparentBltFunction = reinterpret_cast<platform::TransparentBlitFunction>(
            platform::procAddress(library, "TransparentBlt"));
    return library;
}

void recordButtonSwap() {
    swappedButtons = platform::systemMetric(platform::kMetricSwapButton) > 0;
}

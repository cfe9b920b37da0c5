#include "gui/toolkit_state.h"

#include "platform/system.h"

bool swappedButtons = false;
platform::TransparentBlitFunction transparentBltFunction = nullptr;
platform::AlphaBlendFunction alphaBlendFunction = nullptr;

platform::Module startBlendServices() {
    const platform::BlendServices services = platform::loadBlendServices();
    transparentBltFunction = services.transparentBlit;
    alphaBlendFunction = services.alphaBlend;
    return services.library;
}

void recordButtonSwap() {
    swappedButtons = platform::systemMetric(platform::kMetricSwapButton) > 0;
}

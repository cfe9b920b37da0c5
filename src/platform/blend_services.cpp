// Finds the optional blending services through the backend's library calls:
// the library is the system's "msimg32.dll" on every backend.
#include "platform/system.h"

namespace platform {

namespace {

// Platform families from 2 on are the NT family, the one with a working
// colour-keyed copy.
constexpr int kFirstNtFamily = 2;

} // namespace

BlendServices loadBlendServices() {
    BlendServices services;
    services.library = loadLibrary("msimg32.dll");
    if (!services.library)
        return services;
    services.alphaBlend =
        reinterpret_cast<AlphaBlendFunction>(procAddress(services.library, "AlphaBlend"));
    if (platformFamily() >= kFirstNtFamily)
        services.transparentBlit = reinterpret_cast<TransparentBlitFunction>(
            procAddress(services.library, "TransparentBlt"));
    return services;
}

} // namespace platform

// The services every software-drawn backend offers alike: the blending
// library emulated on the rasteriser, the plug-in's pictures (built in or
// added at run time) and the system colours of menus and selections.
#include <cctype>
#include <cstring>
#include <map>
#include <vector>

#include "counted.h"
#include "kept.h"
#include "objects.h"
#include "pictures/bmp_reader.h"
#include "pictures/embedded_pictures.h"
#include "platform/graphics.h"
#include "platform/software/software.h"
#include "platform/system.h"
#include "raster/blit.h"

namespace software {
namespace {
bool blendLibraryAvailable = true;
int reportedFamily = 2;
struct BlendLibraryTag {
} blendLibrary;

int TARVEL_SYSCALL transparentBlit(platform::DeviceContext dest, int x, int y, int width,
                                   int height, platform::DeviceContext source, int sourceX,
                                   int sourceY, int sourceWidth, int sourceHeight,
                                   unsigned transparent) {
    TARVEL_COUNTED_CALL("TransparentBlt");
    if (!dest || !source)
        return 0;
    return raster::transparentBlt(blitEndOf(dest), x, y, width, height, blitEndOf(source), sourceX,
                                  sourceY, sourceWidth, sourceHeight, transparent & 0xFFFFFF);
}

int TARVEL_SYSCALL alphaBlendBlit(platform::DeviceContext dest, int x, int y, int width, int height,
                                  platform::DeviceContext source, int sourceX, int sourceY,
                                  int sourceWidth, int sourceHeight,
                                  platform::BlendFunction blend) {
    TARVEL_COUNTED_CALL("AlphaBlend");
    if (!dest || !source || blend.operation != 0 || blend.alphaFormat != 0)
        return 0;
    return raster::alphaBlend(blitEndOf(dest), x, y, width, height, blitEndOf(source), sourceX,
                              sourceY, sourceWidth, sourceHeight, blend.constantAlpha);
}

bool sameName(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b)
        if (std::tolower(static_cast<unsigned char>(*a)) !=
            std::tolower(static_cast<unsigned char>(*b)))
            return false;
    return *a == *b;
}
} // namespace

namespace {
std::map<std::uint16_t, std::vector<unsigned char>>& addedPictures() {
    static Kept<std::map<std::uint16_t, std::vector<unsigned char>>> pictures;
    return *pictures;
}
} // namespace

void addResourcePicture(std::uint16_t id, std::vector<unsigned char> bytes) {
    addedPictures()[id] = std::move(bytes);
}

void setBlendLibrary(bool available, int family) {
    blendLibraryAvailable = available;
    reportedFamily = family;
}

namespace {
// The classic desktop scheme's colours of menus and selections.
struct SystemColors {
    platform::ColorValue menu = platform::rgb(240, 240, 240);
    platform::ColorValue menuText = platform::rgb(0, 0, 0);
    platform::ColorValue highlight = platform::rgb(0, 120, 215);
    platform::ColorValue highlightText = platform::rgb(255, 255, 255);
    platform::ColorValue grayText = platform::rgb(109, 109, 109);
    platform::ColorValue* find(platform::SystemColor which) {
        switch (which) {
        case platform::kColorMenu:
            return &menu;
        case platform::kColorMenuText:
            return &menuText;
        case platform::kColorHighlight:
            return &highlight;
        case platform::kColorHighlightText:
            return &highlightText;
        case platform::kColorGrayText:
            return &grayText;
        }
        return nullptr;
    }
};
SystemColors& systemColors() {
    static SystemColors colors;
    return colors;
}
} // namespace

void setSystemColor(platform::SystemColor which, platform::ColorValue value) {
    if (platform::ColorValue* c = systemColors().find(which))
        *c = value & 0xFFFFFF;
}

void resetSystemColors() {
    systemColors() = SystemColors{};
}

} // namespace software

namespace platform {

using namespace software;

Module loadLibrary(const char* name) {
    TARVEL_COUNTED_CALL("LoadLibraryA");
    if (!name || !blendLibraryAvailable || !sameName(name, "msimg32.dll"))
        return nullptr;
    return reinterpret_cast<Module>(&blendLibrary);
}

ProcAddress procAddress(Module module, const char* name) {
    TARVEL_COUNTED_CALL("GetProcAddress");
    if (module != reinterpret_cast<Module>(&blendLibrary) || !name)
        return nullptr;
    if (std::strcmp(name, "TransparentBlt") == 0)
        return reinterpret_cast<ProcAddress>(&transparentBlit);
    if (std::strcmp(name, "AlphaBlend") == 0)
        return reinterpret_cast<ProcAddress>(&alphaBlendBlit);
    return nullptr;
}

void freeLibrary(Module) {
    TARVEL_COUNTED_CALL("FreeLibrary");
}

int platformFamily() {
    TARVEL_COUNTED_CALL("GetVersionExA");
    return reportedFamily;
}

GraphicsObject loadBitmapResource(Module, std::uint16_t id) {
    TARVEL_COUNTED_CALL("LoadBitmapA");
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    std::size_t count = 0;
    const EmbeddedPicture* pictures = embeddedPictures(count);
    for (std::size_t i = 0; i < count && !data; ++i)
        if (pictures[i].id == id) {
            data = pictures[i].data;
            size = pictures[i].size;
        }
    const auto added = addedPictures().find(id);
    if (!data && added != addedPictures().end()) {
        data = added->second.data();
        size = added->second.size();
    }
    raster::Surface decoded;
    if (!data || !decodeBmp(data, size, decoded))
        return nullptr;
    BitmapObject* b = newObject<BitmapObject>();
    b->surface = std::move(decoded);
    return handle(b);
}

ColorValue systemColor(SystemColor which) {
    TARVEL_COUNTED_CALL("GetSysColor");
    const ColorValue* c = systemColors().find(which);
    return c ? *c : 0;
}

} // namespace platform

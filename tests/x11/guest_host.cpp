#include "guest_host.h"

#include <X11/Xutil.h>
#include <dlfcn.h>
#include <lv2/ui/ui.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>

#include "harness/plugin_host.h"
#include "host/vst_opcodes.h"
#include "lv2_ports.h"

namespace guest {

namespace {
std::string vstPath = TARVEL_VST_LIBRARY;
std::string panelPath = TARVEL_LV2_UI_LIBRARY;

void* openLibrary(const std::string& path) {
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        std::fprintf(stderr, "%s\n", dlerror());
    return library;
}

// The VST 2.x library: effEditOpen, effEditIdle, effEditClose.
class VstGuest : public Guest {
public:
    bool load() {
        void* library = openLibrary(vstPath);
        auto entry =
            library ? reinterpret_cast<PluginEntry>(dlsym(library, "VSTPluginMain")) : nullptr;
        if (!entry || !host.load(entry))
            return false;
        effect = host.effect();
        dispatch(effOpen);
        return true;
    }
    bool open(::Window parent) override {
        return dispatch(effEditOpen,
                        reinterpret_cast<void*>(static_cast<std::uintptr_t>(parent))) == 1;
    }
    void idle(int times) override {
        for (int i = 0; i < times; ++i) {
            effect->setParameter(effect, 0, static_cast<float>(i % 2));
            dispatch(effEditIdle);
            usleep(2000);
        }
    }
    void close() override { dispatch(effEditClose); }

private:
    VstWord dispatch(int32 opcode, void* ptr = nullptr) {
        return effect->dispatcher(effect, opcode, 0, 0, ptr, 0.0f);
    }
    PluginHost host;
    AEffect* effect = nullptr;
};

// The LV2 panel: instantiated with the parent window, idle through its
// idle interface, cleaned up.
class PanelGuest : public Guest {
public:
    bool load() {
        void* library = openLibrary(panelPath);
        auto entry = library ? reinterpret_cast<const LV2UI_Descriptor* (*)(uint32_t)>(
                                   dlsym(library, "lv2ui_descriptor"))
                             : nullptr;
        descriptor = entry ? entry(0) : nullptr;
        idle_ = descriptor ? static_cast<const LV2UI_Idle_Interface*>(
                                 descriptor->extension_data(LV2_UI__idleInterface))
                           : nullptr;
        return idle_ != nullptr;
    }
    bool open(::Window parent) override {
        const LV2_Feature parentFeature{
            LV2_UI__parent, reinterpret_cast<void*>(static_cast<std::uintptr_t>(parent))};
        const LV2_Feature* features[] = {&parentFeature, nullptr};
        LV2UI_Widget widget = nullptr;
        handle = descriptor->instantiate(descriptor, tarvel_lv2::kPluginUri, "", write, this,
                                         &widget, features);
        return handle != nullptr;
    }
    void idle(int times) override {
        for (int i = 0; i < times; ++i) {
            if (handle) {
                const float value = static_cast<float>(i % 2);
                descriptor->port_event(handle, tarvel_lv2::kNcvolume, sizeof value, 0, &value);
                idle_->idle(handle);
            }
            usleep(2000);
        }
    }
    void close() override {
        if (handle)
            descriptor->cleanup(handle);
        handle = nullptr;
    }

private:
    static void write(LV2UI_Controller, uint32_t, uint32_t, uint32_t, const void*) {}
    const LV2UI_Descriptor* descriptor = nullptr;
    const LV2UI_Idle_Interface* idle_ = nullptr;
    LV2UI_Handle handle = nullptr;
};

// Where a colour channel sits in a pixel of the visual.
struct Channel {
    int shift = 0;
    int bits = 0;
};

Channel channelOf(unsigned long mask) {
    Channel c;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++c.shift;
    }
    while (mask & 1) {
        mask >>= 1;
        ++c.bits;
    }
    return c;
}

unsigned take(unsigned long pixel, const Channel& c) {
    const unsigned long v = (pixel >> c.shift) & ((1ul << c.bits) - 1);
    return static_cast<unsigned>(c.bits >= 8 ? v >> (c.bits - 8) : v << (8 - c.bits));
}
} // namespace

void setLibraryPaths(const std::string& vst, const std::string& panel) {
    vstPath = vst;
    panelPath = panel;
}

std::unique_ptr<Guest> Guest::load(Kind kind) {
    if (kind == Kind::VstLibrary) {
        auto guest = std::make_unique<VstGuest>();
        return guest->load() ? std::move(guest) : nullptr;
    }
    auto guest = std::make_unique<PanelGuest>();
    return guest->load() ? std::move(guest) : nullptr;
}

int asHost(const std::function<int()>& host) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const int answer = host();
        std::fflush(nullptr);
        _exit(answer);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return -1;
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

HostDisplay::HostDisplay() : display_(XOpenDisplay(nullptr)) {}

HostDisplay::~HostDisplay() {
    if (display_)
        XCloseDisplay(display_);
}

::Window HostDisplay::createWindow(int x, int y, int width, int height, bool alphaVisual,
                                   long events) {
    if (!display_)
        return 0;
    const int screen = DefaultScreen(display_);
    XVisualInfo alpha{};
    const bool withAlpha =
        alphaVisual && XMatchVisualInfo(display_, screen, 32, TrueColor, &alpha) != 0;
    if (alphaVisual && !withAlpha)
        return 0;
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.event_mask = events;
    attributes.background_pixel = 0;
    attributes.border_pixel = 0;
    unsigned long mask = CWOverrideRedirect | CWEventMask | CWBackPixel;
    int depth = CopyFromParent;
    Visual* visual = CopyFromParent;
    if (withAlpha) {
        // A visual other than the root's needs its own colormap and border.
        attributes.colormap =
            XCreateColormap(display_, RootWindow(display_, screen), alpha.visual, AllocNone);
        mask |= CWColormap | CWBorderPixel;
        depth = alpha.depth;
        visual = alpha.visual;
    }
    const ::Window id = XCreateWindow(display_, RootWindow(display_, screen), x, y,
                                      static_cast<unsigned>(width), static_cast<unsigned>(height),
                                      0, depth, InputOutput, visual, mask, &attributes);
    XMapRaised(display_, id);
    XSync(display_, False);
    return id;
}

::Window HostDisplay::onlyChild(::Window window) {
    ::Window root = 0;
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, window, &root, &parent, &children, &count))
        return 0;
    const ::Window only = count == 1 ? children[0] : 0;
    if (children)
        XFree(children);
    return only;
}

Picture HostDisplay::capture(::Window window) {
    XSync(display_, False);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, window, &attributes))
        return Picture();
    XImage* image = XGetImage(display_, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!image)
        return Picture();
    const Channel red = channelOf(attributes.visual->red_mask);
    const Channel green = channelOf(attributes.visual->green_mask);
    const Channel blue = channelOf(attributes.visual->blue_mask);
    Picture out{attributes.width, attributes.height, {}};
    for (int y = 0; y < attributes.height; ++y)
        for (int x = 0; x < attributes.width; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            out.pixels.push_back(take(p, red) | take(p, green) << 8 | take(p, blue) << 16);
        }
    XDestroyImage(image);
    return out;
}

int litPixels(const Picture& picture) {
    int lit = 0;
    for (std::uint32_t p : picture.pixels)
        lit += p != 0;
    return lit;
}

} // namespace guest

// A Linux host that keeps its plug-in in a global object and closes it from
// that object's destructor, while the process exits, as hosts with a global
// plug-in registry do:
//
//   exit_close_host never|opened|open LIBRARY
//
// never:  the editor is never opened; the destructor sends effClose.
// opened: the editor was opened into the host's window, idled and closed
//         again before the exit.
// open:   the editor is still open at the exit; the destructor sends
//         effClose without effEditClose, then destroys the host's window.
//
// The library is loaded after the global was made, so whatever the library
// registers to run at exit runs before the destructor below: a library with
// statics that have destructors is used after they ran, which the sanitizers,
// valgrind or the C library's heap checks report (or the process aborts).
// Exits 0 when all went well, 2 when the library or the display was missing.
#include <X11/Xlib.h>
#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "host/vst_opcodes.h"

namespace {

VstWord VSTCALL hostCallback(AEffect*, int32 opcode, int32, VstWord, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

// The host's plug-in registry: one instance, its library and the window its
// editor lives in.
struct PluginRegistry {
    void* library = nullptr;
    AEffect* effect = nullptr;
    Display* display = nullptr;
    ::Window window = 0;

    VstWord dispatch(int32 opcode, VstWord value = 0, void* ptr = nullptr) const {
        return effect->dispatcher(effect, opcode, 0, value, ptr, 0.0f);
    }

    ~PluginRegistry() {
        if (effect)
            dispatch(effClose);
        if (display) {
            if (window)
                XDestroyWindow(display, window);
            XCloseDisplay(display);
        }
        if (library)
            dlclose(library);
        std::fprintf(stderr, "exit_close_host: closed at exit\n");
    }
} registry;

bool openEditor() {
    registry.display = XOpenDisplay(nullptr);
    if (!registry.display)
        return false;
    Display* d = registry.display;
    registry.window = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 300, 140, 0, 0, 0);
    XMapWindow(d, registry.window);
    XSync(d, False);
    void* parent = reinterpret_cast<void*>(static_cast<std::uintptr_t>(registry.window));
    if (registry.dispatch(effEditOpen, 0, parent) != 1)
        return false;
    for (int i = 0; i < 5; ++i)
        registry.dispatch(effEditIdle);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[1], "never") != 0 && std::strcmp(argv[1], "opened") != 0 &&
                      std::strcmp(argv[1], "open") != 0)) {
        std::fprintf(stderr, "usage: exit_close_host never|opened|open LIBRARY\n");
        return 2;
    }
    const char* mode = argv[1];
    registry.library = dlopen(argv[2], RTLD_NOW | RTLD_LOCAL);
    if (!registry.library) {
        std::fprintf(stderr, "exit_close_host: %s\n", dlerror());
        return 2;
    }
    using Entry = AEffect* (*)(audioMasterCallback);
    auto entry = reinterpret_cast<Entry>(dlsym(registry.library, "VSTPluginMain"));
    registry.effect = entry ? entry(hostCallback) : nullptr;
    if (!registry.effect || registry.effect->magic != kEffectMagic) {
        std::fprintf(stderr, "exit_close_host: no plug-in made by %s\n", argv[2]);
        return 2;
    }
    registry.dispatch(effOpen);
    if (std::strcmp(mode, "never") != 0) {
        if (!openEditor()) {
            std::fprintf(stderr, "exit_close_host: no editor in a window of the display\n");
            return 2;
        }
        if (std::strcmp(mode, "opened") == 0)
            registry.dispatch(effEditClose);
    }
    return 0;
}

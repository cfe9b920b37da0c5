// The hostile-host tests of the native library, loaded as a host loads it
// (its path comes from the command line), its editor opened in a window of
// the host's own display connection where the library has an editor.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "dll_under_test.h"
#include "hostile/hostile_support.h"

#if TARVEL_VST_EDITOR
#include <X11/Xlib.h>

#include "server_state.h"
#endif

PluginEntry hostile::entryUnderTest() {
    // Loaded once and unloaded at exit, before the leak checker runs: what
    // the library allocated and did not give back by then shows as a leak.
    static const std::unique_ptr<PluginModule> library = [] {
        std::string error;
        std::unique_ptr<PluginModule> module = openPluginModule(dllPath(), error);
        if (module == nullptr) {
            std::fprintf(stderr, "%s\n", error.c_str());
            std::exit(1);
        }
        return module;
    }();
    return library->entry();
}

#if TARVEL_VST_EDITOR
namespace {
// The host's connection, open from the first parent to the program's end.
Display* hostDisplay = nullptr;
} // namespace

void* hostile::createEditorParent() {
    if (!hostDisplay)
        hostDisplay = XOpenDisplay(nullptr);
    if (!hostDisplay)
        return nullptr;
    const ::Window window =
        XCreateSimpleWindow(hostDisplay, DefaultRootWindow(hostDisplay), 0, 0, 400, 300, 0, 0, 0);
    XMapWindow(hostDisplay, window);
    XSync(hostDisplay, False);
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window));
}

void hostile::destroyEditorParent(void* parent) {
    XDestroyWindow(hostDisplay, static_cast<::Window>(reinterpret_cast<std::uintptr_t>(parent)));
    XSync(hostDisplay, False);
}

void hostile::handleEditorEvents() {
    // The host's own requests reach the server; the editor's events are the
    // editor's to handle, in its idle call.
    XSync(hostDisplay, False);
}

std::string hostile::editorHoldings() {
    const ServerHoldings held = serverHoldingsOfThisProcess();
    const int files = openFileCount();
    return "connections " + std::to_string(held.clients) + ", server resources " +
           std::to_string(held.resources) + ", open files " + std::to_string(files);
}
#else
// A library without an editor: nothing to open it in.
void* hostile::createEditorParent() {
    return nullptr;
}
void hostile::destroyEditorParent(void*) {}
void hostile::handleEditorEvents() {}
std::string hostile::editorHoldings() {
    return std::string();
}
#endif

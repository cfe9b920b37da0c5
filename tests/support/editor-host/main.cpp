// editor-host.exe: opens a plug-in's editor as a host does and writes what
// it shows as a PNG picture.
//
//   editor-host screenshot PATH\TARVEL.dll OUT.png [--ncvolume V] [--ipvolume V] [--hold MS]
//
// The parameters are set before the editor opens; --hold keeps the window
// up (pumping and idling) that many milliseconds before the screenshot.
// Needs a display: under Xvfb, run it inside xvfb-run.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "harness/editor_window.h"
#include "harness/plugin_host.h"
#include "harness/plugin_module.h"

namespace {

struct Options {
    std::string library;
    std::string output;
    float values[2] = {-1.0f, -1.0f}; // negative: the plug-in's own value
    unsigned hold = 0;
};

bool parse(int argc, char** argv, Options& options) {
    if (argc < 4 || std::strcmp(argv[1], "screenshot") != 0) {
        return false;
    }
    options.library = argv[2];
    options.output = argv[3];
    for (int i = 4; i < argc; i += 2) {
        if (i + 1 >= argc) {
            return false;
        }
        char* end = nullptr;
        const double value = std::strtod(argv[i + 1], &end);
        if (end == argv[i + 1] || *end != '\0' || value < 0.0) {
            return false;
        }
        if (std::strcmp(argv[i], "--ncvolume") == 0 && value <= 1.0) {
            options.values[0] = static_cast<float>(value);
        } else if (std::strcmp(argv[i], "--ipvolume") == 0 && value <= 1.0) {
            options.values[1] = static_cast<float>(value);
        } else if (std::strcmp(argv[i], "--hold") == 0) {
            options.hold = static_cast<unsigned>(value);
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: editor-host screenshot PATH\\TARVEL.dll OUT.png"
                             " [--ncvolume V] [--ipvolume V] [--hold MS]\n");
        return 2;
    }
    std::string error;
    std::unique_ptr<PluginModule> module = openPluginModule(options.library, error);
    if (module == nullptr) {
        std::fprintf(stderr, "editor-host: %s\n", error.c_str());
        return 1;
    }
    int status = 1;
    {
        PluginHost host;
        if (!host.load(module->entry())) {
            std::fprintf(stderr, "editor-host: the plug-in refused to load\n");
            return 1;
        }
        host.open();
        host.resume();
        for (int index = 0; index < 2; ++index) {
            if (options.values[index] >= 0.0f) {
                host.setParameter(index, options.values[index]);
            }
        }
        EditorWindow editor(host);
        if (!editor.open()) {
            std::fprintf(stderr, "editor-host: %s\n", editor.error().c_str());
        } else {
            editor.run(options.hold + 4 * kIdleInterval);
            if (editor.saveScreenshot(options.output)) {
                std::printf("editor-host: %dx%d editor (ncvolume %g, ipvolume %g) written to %s\n",
                            editor.width(), editor.height(),
                            static_cast<double>(host.getParameter(0)),
                            static_cast<double>(host.getParameter(1)), options.output.c_str());
                status = 0;
            } else {
                std::fprintf(stderr, "editor-host: cannot write %s\n", options.output.c_str());
            }
            editor.close();
        }
        host.suspend();
        host.close();
    }
    return status;
}

// The hostile-host tests of the native library, loaded as a host loads it
// (its path comes from the command line).
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "dll_under_test.h"
#include "hostile/hostile_support.h"

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

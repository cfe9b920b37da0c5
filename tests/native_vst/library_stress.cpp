// Stress runs of the native library as a Linux host loads it:
//
//   library_stress cycles N LIBRARY     N instances (main, open, one block with
//                                       a note, effClose) in the loaded
//                                       library; then N times dlopen, one
//                                       instance, dlclose, each time making
//                                       sure the library is really unloaded
//   library_stress instances N BLOCKS LIBRARY
//                                       N instances processing side by side,
//                                       each compared with the same run alone
//   library_stress long-run BLOCKS LIBRARY
//                                       one instance for BLOCKS blocks of 64
//                                       frames, compared with the plug-in
//                                       linked into this program
//
// Open files must return to where they were and the library must really be
// gone after dlclose; the sanitizer build's leak checker covers the heap at
// exit.
#include <dirent.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "harness/plugin_module.h"
#include "host/vst_opcodes.h"
#include "host_rounds.h"
#include "long_run.h"

namespace {

// Open files: what a plug-in could leak besides heap memory, which the
// sanitizer build's leak checker covers.
int countFileDescriptors() {
    int count = 0;
    if (DIR* folder = opendir("/proc/self/fd")) {
        while (readdir(folder) != nullptr) {
            ++count;
        }
        closedir(folder);
    }
    return count;
}

void compareFileDescriptors(int before, int after) {
    std::printf("open files before: %d, after: %d\n", before, after);
    if (after != before) {
        fail("open files did not return to where they were");
    }
}

// Whether the library is still loaded: the loader still knows it, or any of
// its file is still mapped.
bool isLoaded(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr) {
        dlclose(handle);
        return true;
    }
    char* real = realpath(path.c_str(), nullptr);
    const std::string file = real != nullptr ? real : path;
    std::free(real);
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        if (line.find(file) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// Instances created and closed in the loaded library, then the library
// loaded and unloaded again and again: a host rescanning its plug-ins does
// that, and a library that cannot be unloaded (or leaves anything behind)
// grows the host each time.
int runCycles(int cycles, const std::string& path) {
    {
        std::unique_ptr<PluginModule> module = loadLibrary(path);
        if (module == nullptr) {
            return 1;
        }
        int before = 0;
        instanceCycles(module->entry(), cycles,
                       {[&] { before = countFileDescriptors(); },
                        [&] { compareFileDescriptors(before, countFileDescriptors()); }});
    }
    if (isLoaded(path)) {
        fail(path + " stayed loaded after dlclose");
    }
    int before = 0;
    for (int i = -10; i < cycles && !anyFailure(); ++i) {
        if (i == 0) {
            before = countFileDescriptors();
        }
        std::unique_ptr<PluginModule> module = loadLibrary(path);
        if (module == nullptr) {
            break;
        }
        oneInstance(module->entry());
        module.reset();
        if (isLoaded(path)) {
            fail(path + " stayed loaded after dlclose");
        }
    }
    std::printf("library cycles (dlopen, main, effClose, dlclose): %d\n", cycles);
    compareFileDescriptors(before, countFileDescriptors());
    return anyFailure() ? 1 : 0;
}

// Each of `count` instances side by side must produce exactly what it
// produces alone.
int runInstances(int count, long long blocks, const std::string& path) {
    std::unique_ptr<PluginModule> module = loadLibrary(path);
    if (module == nullptr) {
        return 1;
    }
    sideBySideAsAlone(module->entry(), count, blocks);
    return anyFailure() ? 1 : 0;
}

// The same long run through the library and through the plug-in linked into
// this program: the same samples (by their hash), events and peak.
int runLong(long long blocks, const std::string& path) {
    std::unique_ptr<PluginModule> library = loadLibrary(path);
    std::unique_ptr<PluginModule> linked = loadLibrary("");
    if (library == nullptr || linked == nullptr) {
        return 1;
    }
    const LongRunResult fromLibrary = runAlone(library->entry(), blocks);
    const LongRunResult fromLinked = runAlone(linked->entry(), blocks);
    std::printf("library: %s\nlinked:  %s\n", describe(fromLibrary).c_str(),
                describe(fromLinked).c_str());
    if (describe(fromLibrary) != describe(fromLinked)) {
        fail("the library's run differs from the linked-in plug-in's");
    }
    checkSound(fromLibrary, blocks);
    return anyFailure() ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    nameStressProgram("library_stress");
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "cycles" && argc == 4) {
        return runCycles(std::atoi(argv[2]), argv[3]);
    }
    if (mode == "instances" && argc == 5) {
        return runInstances(std::atoi(argv[2]), std::atoll(argv[3]), argv[4]);
    }
    if (mode == "long-run" && argc == 4) {
        return runLong(std::atoll(argv[2]), argv[3]);
    }
    std::fprintf(stderr, "usage: library_stress cycles N LIBRARY | instances N BLOCKS LIBRARY | "
                         "long-run BLOCKS LIBRARY\n");
    return 2;
}

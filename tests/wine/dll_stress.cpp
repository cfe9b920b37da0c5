// Stress runs of the real TARVEL.dll as a Windows host loads it:
//
//   dll_stress cycles N DLL BASELINE   N instances (main, open, one block
//                                      with a note, effClose) in the loaded
//                                      library; then N times LoadLibrary, one
//                                      instance, FreeLibrary, compared with N
//                                      loads of the bare-runtime BASELINE
//   dll_stress instances N BLOCKS DLL  N instances processing side by side,
//                                      each compared with the same run alone
//   dll_stress long-run BLOCKS DLL     one instance for BLOCKS blocks of 64
//                                      frames; prints the figures the native
//                                      build must reproduce
//   dll_stress editors CYCLES N BLOCKS DLL
//                                      CYCLES editor open and close cycles on
//                                      one instance, then N instances
//                                      processing BLOCKS blocks each with
//                                      their editors open at once (needs a
//                                      display)
//
// Each run counts the process's handles, GDI and USER objects and committed
// memory before and after (after a warm-up, so that what the C runtime and
// Wine set up once is not counted) and fails when handles or objects do not
// return to where they started or memory grows by more than the allowance.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "harness/editor_window.h"
#include "harness/message_pump.h"
#include "harness/plugin_module.h"
#include "host/vst_opcodes.h"
#include "host_rounds.h"
#include "long_run.h"
#include "process_resources.h"
#include "resource_counts.h"

namespace {

// One leaked instance is about 54 KB; a growth below this over a whole run
// means less than one instance's worth was lost in all of it.
constexpr std::size_t kMemoryAllowance = 48 * 1024;

// Handles and objects must return exactly; committed memory must stay within
// the allowance unless `checkMemory` is false (where the host's heap may keep
// what the plug-in gave back for later use).
void compareResources(const ProcessResources& before, const ProcessResources& after,
                      bool checkMemory = true) {
    std::printf("resources before: %s\nresources after:  %s\n", describe(before).c_str(),
                describe(after).c_str());
    if (after.handles != before.handles) {
        fail("handle count changed");
    }
    if (after.gdiObjects != before.gdiObjects || after.userObjects != before.userObjects) {
        fail("GDI or USER object count changed");
    }
    if (checkMemory && after.committedBytes > before.committedBytes + kMemoryAllowance) {
        fail("committed memory grew by " +
             std::to_string((after.committedBytes - before.committedBytes) / 1024) + " KB");
    }
}

PluginEntry entryOf(HMODULE module) {
    // The generic function pointer type first: the entry's real type is only
    // known by convention.
    return reinterpret_cast<PluginEntry>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, "main")));
}

// The library's file name, for asking whether it is still loaded.
std::string baseName(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

struct CycleCost {
    ProcessResources before;
    ProcessResources after;
};

// `cycles` times: LoadLibrary, `use` the library, FreeLibrary, and make sure
// it is gone. Counted after ten cycles of warm-up.
template <typename Use> CycleCost loadCycles(int cycles, const std::string& path, Use use) {
    const std::string name = baseName(path);
    CycleCost cost;
    for (int i = -10; i < cycles && !anyFailure(); ++i) {
        if (i == 0) {
            cost.before = measureProcess();
        }
        HMODULE module = LoadLibraryA(path.c_str());
        if (module == nullptr) {
            fail("cannot load " + path);
            break;
        }
        use(module);
        FreeLibrary(module);
        if (GetModuleHandleA(name.c_str()) != nullptr) {
            fail(name + " stayed loaded after FreeLibrary");
        }
    }
    cost.after = measureProcess();
    return cost;
}

long perCycle(std::size_t before, std::size_t after, int cycles) {
    return static_cast<long>((static_cast<long long>(after) - static_cast<long long>(before)) /
                             cycles);
}

// Instances created and closed with the library loaded must leave nothing
// behind. Loading and unloading the library must leave no memory behind and
// no more handles than loading and unloading a library of the bare C++
// runtime does (the static runtime's unwinder creates a lock for each loaded
// copy and never closes it).
int runCycles(int cycles, const std::string& path, const std::string& baselinePath) {
    {
        std::unique_ptr<PluginModule> module = loadLibrary(path);
        if (module == nullptr) {
            return 1;
        }
        ProcessResources before;
        DWORD started = 0;
        instanceCycles(module->entry(), cycles,
                       {[&] {
                            before = measureProcess();
                            started = GetTickCount();
                        },
                        [&] {
                            std::printf("seconds=%.1f\n", (GetTickCount() - started) / 1000.0);
                            compareResources(before, measureProcess());
                        }});
    }

    std::printf("library cycles (LoadLibrary, main, effClose, FreeLibrary): %d\n", cycles);
    const DWORD started = GetTickCount();
    const CycleCost plugin =
        loadCycles(cycles, path, [](HMODULE module) { oneInstance(entryOf(module)); });
    std::printf("seconds=%.1f\n", (GetTickCount() - started) / 1000.0);
    std::printf("resources before: %s\nresources after:  %s\n", describe(plugin.before).c_str(),
                describe(plugin.after).c_str());

    // Per load the baseline costs the same every time; fewer loads tell it.
    const int baselineCycles = std::max(10, cycles / 10);
    std::printf("baseline library cycles (the bare C++ runtime): %d\n", baselineCycles);
    const CycleCost baseline = loadCycles(baselineCycles, baselinePath, [](HMODULE) {});
    std::printf("resources before: %s\nresources after:  %s\n", describe(baseline.before).c_str(),
                describe(baseline.after).c_str());

    const long pluginHandles = perCycle(plugin.before.handles, plugin.after.handles, cycles);
    const long baselineHandles =
        perCycle(baseline.before.handles, baseline.after.handles, baselineCycles);
    const long pluginBytes =
        perCycle(plugin.before.committedBytes, plugin.after.committedBytes, cycles);
    const long baselineBytes =
        perCycle(baseline.before.committedBytes, baseline.after.committedBytes, baselineCycles);
    std::printf("per load: plug-in %ld handles %ld bytes, baseline %ld handles %ld bytes\n",
                pluginHandles, pluginBytes, baselineHandles, baselineBytes);
    if (pluginHandles > baselineHandles) {
        fail("each load leaves more handles behind than the bare runtime does");
    }
    // Less than one instance's worth over all the cycles together.
    if (plugin.after.committedBytes > plugin.before.committedBytes + kMemoryAllowance) {
        fail("loading and unloading the library leaves memory behind");
    }
    if (plugin.after.gdiObjects != plugin.before.gdiObjects ||
        plugin.after.userObjects != plugin.before.userObjects) {
        fail("GDI or USER object count changed");
    }
    return anyFailure() ? 1 : 0;
}

struct Counts {
    ProcessResources beforeOpening;
    ProcessResources processing; // all instances open, after the warm-up
    ProcessResources endOfRun;   // all instances still open
    ProcessResources afterClosing;
};

// `count` instances side by side, with the process counted around them.
std::vector<LongRunResult> runTogether(PluginEntry entry, int count, long long blocks,
                                       Counts& counts) {
    counts.beforeOpening = measureProcess();
    const std::vector<LongRunResult> results =
        runSideBySide(entry, count, blocks,
                      {[&] { counts.processing = measureProcess(); },
                       [&] { counts.endOfRun = measureProcess(); }});
    counts.afterClosing = measureProcess();
    return results;
}

// Memory must not grow while the instances process side by side, closing
// them must give back every handle and object they took, and each must have
// produced exactly what it produces alone.
int runInstances(int count, long long blocks, const std::string& path) {
    std::unique_ptr<PluginModule> module = loadLibrary(path);
    if (module == nullptr) {
        return 1;
    }
    // A short round first: what the first instances set up once (and the
    // heap room for all of them) is in place before counting.
    Counts counts;
    runTogether(module->entry(), count, 16, counts);
    const std::vector<LongRunResult> together = runTogether(module->entry(), count, blocks, counts);
    if (together.size() != static_cast<std::size_t>(count)) {
        return 1;
    }

    // Each instance must have done exactly what it does alone: nothing is
    // shared between instances but the library.
    for (const std::string& problem : compareWithRunsAlone(module->entry(), together, blocks)) {
        fail(problem);
    }
    std::printf("instances=%d blocks_each=%lld\n", count, blocks);
    std::printf("while processing (after the first tenth, and at the end):\n");
    compareResources(counts.processing, counts.endOfRun);
    std::printf("before opening and after closing:\n");
    compareResources(counts.beforeOpening, counts.afterClosing, false);
    return anyFailure() ? 1 : 0;
}

int runLong(long long blocks, const std::string& path) {
    std::unique_ptr<PluginModule> module = loadLibrary(path);
    if (module == nullptr) {
        return 1;
    }
    // A minute of audio first: whatever is set up once is in place by then.
    const long long warmUp = std::min(blocks, 44100LL * 60 / kLongRunBlockFrames);
    ProcessResources before;
    ProcessResources after;
    DWORD started = 0;
    double seconds = 0.0;
    const LongRunResult result = runAlone(module->entry(), blocks, warmUp,
                                          {[&] {
                                               before = measureProcess();
                                               started = GetTickCount();
                                           },
                                           [&] {
                                               after = measureProcess();
                                               seconds = (GetTickCount() - started) / 1000.0;
                                           }});

    std::printf("%s\n", describe(result).c_str());
    std::printf("seconds=%.1f (after the warm-up)\n", seconds);
    checkSound(result, blocks);
    compareResources(before, after);
    return anyFailure() ? 1 : 0;
}

void compareCounts(const ResourceCounts& before, const ResourceCounts& after) {
    std::printf("system resources before: %s\nsystem resources after:  %s\n",
                before.describe().c_str(), after.describe().c_str());
    if (before.gdiObjects < 0 || before.kernelHandles < 0) {
        fail("the system resources could not be counted");
    }
    if (!(after == before)) {
        fail("GDI objects, windows or kernel handles did not return to where they were");
    }
}

// One host cycle of the editor: open, let it paint and idle, close.
bool editorCycle(EditorWindow& editor) {
    if (!editor.open()) {
        fail("the editor did not open: " + editor.error());
        return false;
    }
    editor.run(2 * kIdleInterval);
    editor.close();
    return true;
}

// `count` instances, each with its editor open in a host window of its own,
// processing `blocks` blocks each in turn with the host's idle calls between.
void editorsTogether(PluginModule& module, int count, long long blocks, bool report) {
    const ResourceCounts before = countResources();
    {
        std::vector<std::unique_ptr<PluginHost>> hosts;
        std::vector<std::unique_ptr<EditorWindow>> editors;
        std::vector<std::unique_ptr<LongRun>> runs;
        for (int i = 0; i < count && !anyFailure(); ++i) {
            hosts.push_back(std::make_unique<PluginHost>());
            if (!start(*hosts.back(), module.entry())) {
                return;
            }
            // Side by side in rows across the screen.
            editors.push_back(std::make_unique<EditorWindow>(*hosts.back(), 10 + (i % 3) * 300,
                                                             10 + (i / 3) * 130));
            if (!editors.back()->open()) {
                fail("editor " + std::to_string(i) + " did not open: " + editors.back()->error());
            }
            runs.push_back(std::make_unique<LongRun>(*hosts.back(), static_cast<unsigned>(i)));
        }
        const ResourceCounts open = countResources();
        if (report) {
            std::printf("with %d editors open: %s\n", count, open.describe().c_str());
        }
        if (open.userObjects < before.userObjects + 2 * count) {
            fail("not every editor has its window");
        }
        const DWORD started = GetTickCount();
        for (long long block = 0; block < blocks && !anyFailure(); ++block) {
            for (auto& run : runs) {
                run->run(1);
            }
            // The host's user-interface thread gets its turn every 16 blocks.
            if (block % 16 == 0) {
                for (auto& editor : editors) {
                    editor->idle();
                }
                pumpMessages(0, nullptr);
            }
        }
        if (report) {
            std::printf("instances=%d with editors open, blocks_each=%lld seconds=%.1f\n", count,
                        blocks, (GetTickCount() - started) / 1000.0);
        }
        for (std::size_t i = 0; i < runs.size(); ++i) {
            const LongRunResult& result = runs[i]->result();
            if (result.nonFinite != 0 || result.channelsDiffer != 0) {
                fail("instance " + std::to_string(i) + " produced unsound output");
            }
        }
        editors.clear();
        runs.clear();
    }
}

// Editors opened and closed many times on one instance, then many instances
// processing with their editors open at once: what the process holds of
// the system (GDI objects, windows, kernel handles) must return exactly, and
// the window class must be gone once the last editor is closed.
int runEditors(int cycles, int count, long long blocks, const std::string& path) {
    std::unique_ptr<PluginModule> module = loadLibrary(path);
    if (module == nullptr) {
        return 1;
    }
    HMODULE library = GetModuleHandleA(baseName(path).c_str());
    {
        PluginHost host;
        if (!start(host, module->entry())) {
            return 1;
        }
        EditorWindow editor(host);
        // The first cycles fill the window system's caches, which then stay.
        editorCycle(editor);
        editorCycle(editor);
        const ResourceCounts before = countResources();
        const DWORD started = GetTickCount();
        for (int i = 0; i < cycles && !anyFailure(); ++i) {
            editorCycle(editor);
        }
        std::printf("editor cycles=%d seconds=%.1f\n", cycles, (GetTickCount() - started) / 1000.0);
        compareCounts(before, countResources());
        if (editorClassRegistered(library)) {
            fail("the editor window class stayed registered");
        }
    }

    // A first round with all the editors open fills the window system's
    // caches for that many windows at once (device contexts and their
    // regions), which then stay; the second round is counted.
    editorsTogether(*module, count, 64, false);
    const ResourceCounts before = countResources();
    editorsTogether(*module, count, blocks, true);
    compareCounts(before, countResources());
    if (editorClassRegistered(library)) {
        fail("the editor window class stayed registered");
    }
    return anyFailure() ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    // Counting the first time sets up what counting needs (the windowing
    // library behind the GDI and USER counts among it); none of that may
    // land inside a measured run.
    measureProcess();
    nameStressProgram("dll_stress");
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "cycles" && argc == 5) {
        return runCycles(std::atoi(argv[2]), argv[3], argv[4]);
    }
    if (mode == "instances" && argc == 5) {
        return runInstances(std::atoi(argv[2]), std::atoll(argv[3]), argv[4]);
    }
    if (mode == "long-run" && argc == 4) {
        return runLong(std::atoll(argv[2]), argv[3]);
    }
    if (mode == "editors" && argc == 6) {
        return runEditors(std::atoi(argv[2]), std::atoi(argv[3]), std::atoll(argv[4]), argv[5]);
    }
    std::fprintf(stderr, "usage: dll_stress cycles N DLL BASELINE_DLL | instances N BLOCKS DLL | "
                         "long-run BLOCKS DLL | editors CYCLES N BLOCKS DLL\n");
    return 2;
}

// The long run natively, with the plug-in linked in: prints the figures the
// Windows build must reproduce.   long_run [blocks]   (default: an hour)
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "harness/plugin_module.h"
#include "long_run.h"

int main(int argc, char** argv) {
    const long long blocks = argc > 1 ? std::atoll(argv[1]) : kHourOfBlocks;
    std::string error;
    std::unique_ptr<PluginModule> module = openPluginModule("", error);
    PluginHost host;
    if (module == nullptr || !host.load(module->entry())) {
        std::fprintf(stderr, "long_run: cannot load the plug-in %s\n", error.c_str());
        return 1;
    }
    host.setSampleRate(44100.0f);
    host.setBlockSize(kLongRunBlockFrames);
    host.resume();
    LongRun run(host);
    run.run(blocks);
    host.suspend();
    host.close();
    const LongRunResult& result = run.result();
    std::printf("%s\n", describe(result).c_str());
    return result.nonFinite == 0 && result.channelsDiffer == 0 ? 0 : 1;
}

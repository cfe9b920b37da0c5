// What the stress runs do with an instance, the same for every build of the
// plug-in (the Windows libraries under Wine, the native library): each says
// what went wrong, or nothing.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "harness/plugin_host.h"
#include "harness/plugin_module.h"
#include "long_run.h"

// Opens an instance as a host does before processing: main, open, sample
// rate, block size, resume. False when main refused.
bool startInstance(PluginHost& host, PluginEntry entry);

// One instance as a host uses it: main, open, one block with a note, a
// parameter change, suspend, effClose. What went wrong, or empty.
std::string useOneInstance(PluginEntry entry);

// Each instance of a side-by-side run (`together[i]`, `blocks` blocks each)
// against the same instance run alone, with a line printed per instance:
// nothing is shared between instances but the library. What differed.
std::vector<std::string> compareWithRunsAlone(PluginEntry entry,
                                              const std::vector<LongRunResult>& together,
                                              long long blocks);

// The run's failures: each is printed on standard error as "PROGRAM: what"
// (PROGRAM as named at the start of main) and makes the run fail.
void nameStressProgram(const char* program);
void fail(const std::string& what);
bool anyFailure();

// The library at `path`, or null after a failure saying why.
std::unique_ptr<PluginModule> loadLibrary(const std::string& path);
// startInstance, with a failure when main refused.
bool start(PluginHost& host, PluginEntry entry);
// useOneInstance, with a failure for what went wrong.
void oneInstance(PluginEntry entry);

// The rounds every stress program runs, whatever it counts of the process
// around them. `warmedUp` is called once what the first instances set up
// once is in place, `done` at the round's end (with the instances of a
// side-by-side round still open); either may be empty.
struct RoundMarks {
    std::function<void()> warmedUp;
    std::function<void()> done;
};

// Ten instances of warm-up, then `cycles` instances made, used and closed
// in the loaded library, as a host rescanning its plug-ins does.
void instanceCycles(PluginEntry entry, int cycles, const RoundMarks& marks = {});

// `count` instances side by side, processing block by block, every instance
// in turn, as a host with several tracks runs them; warmed up after the
// first tenth of the blocks. Their results, or none after a failure.
std::vector<LongRunResult> runSideBySide(PluginEntry entry, int count, long long blocks,
                                         const RoundMarks& marks = {});
// runSideBySide, then each instance against the same instance run alone.
void sideBySideAsAlone(PluginEntry entry, int count, long long blocks,
                       const RoundMarks& marks = {});

// One instance's long run of `blocks` blocks, warmed up after `warmUp` of them.
LongRunResult runAlone(PluginEntry entry, long long blocks, long long warmUp = 0,
                       const RoundMarks& marks = {});
// A failure for a run that is short of `blocks` or has unsound output.
void checkSound(const LongRunResult& result, long long blocks);

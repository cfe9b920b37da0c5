// What the stress runs do with an instance, the same for every build of the
// plug-in (the Windows libraries under Wine, the native library): each says
// what went wrong, or nothing.
#pragma once

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

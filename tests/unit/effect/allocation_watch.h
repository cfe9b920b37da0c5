// Counts allocations while `watching` is set: every operator new (this
// program's replacements) and every malloc (through the sanitizer's hook, or
// standing in front of the C library's). Link allocation_watch.cpp into a
// test executable of its own: it replaces the global operator new and delete.
#pragma once

#include <atomic>

namespace allocation_watch {

extern std::atomic<bool> watching;
extern std::atomic<long> newCalls;
extern std::atomic<long> mallocCalls;
// At least 1 once the malloc counter is in place.
extern const int mallocHookInstalled;

} // namespace allocation_watch

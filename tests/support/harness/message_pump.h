// The host's user-interface thread (Windows only): it dispatches the
// thread's window messages and gives the editor idle time at a steady rate,
// as hosts do with effEditIdle.
#pragma once

#include <functional>

// How often a host's idle timer fires, in milliseconds.
constexpr unsigned kIdleInterval = 20;

// Dispatches messages for `milliseconds`, calling `idle` (when given) every
// kIdleInterval milliseconds.
void pumpMessages(unsigned milliseconds, const std::function<void()>& idle);

// Dispatches messages and calls `idle` until the waitable object `handle`
// (a HANDLE) is signalled, at most `timeoutMilliseconds`. True when it was.
bool pumpUntilSignalled(void* handle, unsigned timeoutMilliseconds,
                        const std::function<void()>& idle);

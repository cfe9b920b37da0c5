// How often a drag loop's idle processing does its full work (redraws, a
// paint, the host's idle): every kIntervalMs at most, but as early as
// kEarlyRunMs before that; every call in between sleeps kSleepMs instead of
// spinning, so a loop sees a run about every 50 ms.
#pragma once

#include <cstdint>

namespace idle_throttle {

constexpr std::int32_t kIntervalMs = 100;
constexpr std::int32_t kEarlyRunMs = 50;
constexpr std::int32_t kSleepMs = 4;

// True when the run planned for `nextRun` is due, with `now` the clock to
// plan the next one from (nextRun = now + kIntervalMs after the work); false
// after a short sleep when it is not.
bool due(std::uint32_t nextRun, std::uint32_t& now);

} // namespace idle_throttle

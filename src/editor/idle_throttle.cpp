#include "editor/idle_throttle.h"

#include "platform/system.h"

namespace idle_throttle {

bool due(std::uint32_t nextRun, std::uint32_t& now) {
    now = platform::tickCount();
    // Signed distance to the next run: the 32-bit millisecond count wraps
    // every 49.7 days, and a plain comparison would then throttle (or stop
    // throttling) until it comes round again.
    std::int32_t untilDue = static_cast<std::int32_t>(nextRun - now);
    if (untilDue > 0) {
        platform::sleep(kSleepMs);
        now += kSleepMs;
        untilDue -= kSleepMs;
        if (untilDue > kEarlyRunMs)
            return false;
    }
    return true;
}

} // namespace idle_throttle

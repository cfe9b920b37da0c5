// The ledger of platform calls and drawing objects the tests read.
#include <map>
#include <string>

#include "call_log.h"
#include "headless.h"

namespace {
std::map<std::string, int>& counts() {
    static std::map<std::string, int> table;
    return table;
}
long long total = 0;
int liveObjects = 0;
} // namespace

void software::countCall(const char* name) {
    ++counts()[name];
    ++total;
}

void software::countObjects(int change) {
    liveObjects += change;
}

namespace headless {

void resetCallCounts() {
    counts().clear();
    total = 0;
}

int callCount(const char* name) {
    const auto it = counts().find(name);
    return it == counts().end() ? 0 : it->second;
}

int totalCallCount() {
    return static_cast<int>(total);
}

int liveObjectCount() {
    return liveObjects;
}

} // namespace headless

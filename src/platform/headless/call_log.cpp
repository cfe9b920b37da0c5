#include <map>
#include <string>

#include "call_log.h"
#include "headless.h"
#include "objects.h"

namespace headless {
namespace {
std::map<std::string, int>& counts() {
    static std::map<std::string, int> table;
    return table;
}
int total = 0;
} // namespace

void countCall(const char* name) {
    ++counts()[name];
    ++total;
}

void resetCallCounts() {
    counts().clear();
    total = 0;
}

int callCount(const char* name) {
    const auto it = counts().find(name);
    return it == counts().end() ? 0 : it->second;
}

int totalCallCount() {
    return total;
}

int liveObjectCount() {
    return liveObjects;
}

} // namespace headless

#include "process_resources.h"

#include "resource_counts.h"

#include <windows.h>

#include <psapi.h>

#include <cstdint>
#include <cstdio>

namespace {

// Handle values are multiples of four in a table that starts small. Every
// value is asked for its flags: that works on Windows and under Wine alike,
// whose GetProcessHandleCount answers 0.
unsigned long countHandles() {
    unsigned long count = 0;
    for (std::uintptr_t value = 4; value < 0x100000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
            ++count;
        }
    }
    return count;
}

} // namespace

ProcessResources measureProcess() {
    ProcessResources resources;
    HANDLE process = GetCurrentProcess();
    resources.handles = countHandles();
    // Wine answers 0 to GetGuiResources: these come from the tables behind it.
    const ResourceCounts system = countResources();
    resources.gdiObjects = static_cast<unsigned long>(system.gdiObjects);
    resources.userObjects = static_cast<unsigned long>(system.userObjects);
    // The commit charge is the process's private memory; Wine reports it
    // here but leaves PrivateUsage at 0.
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, &memory, sizeof memory)) {
        resources.committedBytes = memory.PagefileUsage;
        resources.workingSetBytes = memory.WorkingSetSize;
    }
    return resources;
}

std::string describe(const ProcessResources& resources) {
    char line[192];
    std::snprintf(line, sizeof line,
                  "handles=%lu gdi=%lu user=%lu committed=%luKB working_set=%luKB",
                  resources.handles, resources.gdiObjects, resources.userObjects,
                  static_cast<unsigned long>(resources.committedBytes / 1024),
                  static_cast<unsigned long>(resources.workingSetBytes / 1024));
    return line;
}

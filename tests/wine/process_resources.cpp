#include "process_resources.h"

#include "resource_counts.h"

#include <windows.h>

#include <psapi.h>

#include <cstdio>

ProcessResources measureProcess() {
    ProcessResources resources;
    HANDLE process = GetCurrentProcess();
    // Wine answers 0 to GetProcessHandleCount and GetGuiResources: these
    // come from the tables behind them.
    const ResourceCounts system = countResources();
    resources.handles = static_cast<unsigned long>(system.kernelHandles);
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

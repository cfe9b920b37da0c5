// What a plug-in could leak into its host's process, counted through the
// platform: kernel handles, GDI and USER objects, and committed memory.
#pragma once

#include <cstddef>
#include <string>

struct ProcessResources {
    unsigned long handles = 0;
    unsigned long gdiObjects = 0;
    unsigned long userObjects = 0;
    std::size_t committedBytes = 0;
    std::size_t workingSetBytes = 0;
};

ProcessResources measureProcess();

// "handles=... gdi=... user=... committed=...KB working_set=...KB"
std::string describe(const ProcessResources& resources);

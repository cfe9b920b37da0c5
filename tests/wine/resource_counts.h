// What a process holds of the system's resources, for leak checks around
// editor cycles: GDI objects, USER objects and kernel handles. Where the
// system does not answer the documented queries (Wine answers 0 for all
// three) the counts come from the tables behind them instead.
#pragma once

#include <string>

struct ResourceCounts {
    long gdiObjects = -1;  // -1: could not be counted
    long userObjects = -1; // where not countable: the process's windows
    long kernelHandles = -1;

    bool operator==(const ResourceCounts& other) const {
        return gdiObjects == other.gdiObjects && userObjects == other.userObjects &&
               kernelHandles == other.kernelHandles;
    }
    std::string describe() const;
};

ResourceCounts countResources();

// Whether the editor window class of the library `module` (an HMODULE) is
// registered: it is while one of the library's editors is open, and only then.
bool editorClassRegistered(void* module);

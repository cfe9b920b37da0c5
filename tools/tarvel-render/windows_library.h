// What tarvel-render needs to know of a Windows library before running it
// under Wine: its width, read from the file, picks the plug-in server and the
// Wine loader.
#pragma once

#include <string>

// 32 or 64 for an x86 or x86-64 Windows library or program; 0 with `error`
// set for a file that cannot be read or is neither.
int windowsLibraryWidth(const std::string& path, std::string& error);

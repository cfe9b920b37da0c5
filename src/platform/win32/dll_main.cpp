// The library's load notification: remembers the module handle for every
// instance (pictures and the window class are found through it).
#include <windows.h>

#include "host/module.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID /*reserved*/) {
    hInstance = instance;
    return TRUE;
}

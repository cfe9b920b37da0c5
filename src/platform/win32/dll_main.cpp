// The library's load notification: remembers the module handle for every
// instance (pictures and the window class are found through it).
#include <windows.h>

#include "platform/system.h"

#if defined(__GLIBCXX__)
// The static C++ runtime's release of what it keeps for the life of the
// library: its emergency pool for exceptions thrown when memory runs out.
namespace __gnu_cxx {
void __freeres() noexcept;
}
#endif

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    platform::setModuleHandle(reinterpret_cast<platform::Module>(instance));
#if defined(__GLIBCXX__)
    // Unloaded by the host (reserved is null for FreeLibrary, not for the
    // end of the process): without this, every unload would leave the pool
    // behind in the host's heap, about 19 KB each time.
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        __gnu_cxx::__freeres();
    }
#else
    (void)reason;
    (void)reserved;
#endif
    return TRUE;
}

// Runs the editor tests: editor_tests [gtest options] PATH\TARVEL.dll PICTURE_FOLDER
// The folder receives the screenshots the tests take.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "dll_under_test.h"
#include "editor_pictures.h"

int main(int argc, char** argv) {
    // As a host that draws at the display's scale: Windows then tells the
    // process the display's real dots per inch instead of 96.
    using DpiAware = BOOL(WINAPI*)();
    if (HMODULE user = GetModuleHandleA("user32.dll"))
        if (auto aware = reinterpret_cast<DpiAware>(
                reinterpret_cast<void*>(GetProcAddress(user, "SetProcessDPIAware"))))
            aware();
    testing::InitGoogleTest(&argc, argv);
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: editor_tests [gtest options] PATH\\TARVEL.dll PICTURE_FOLDER\n");
        return 2;
    }
    setDllPath(argv[1]);
    setPictureFolder(argv[2]);
    return RUN_ALL_TESTS();
}

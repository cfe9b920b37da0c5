// Runs the editor tests: editor_tests [gtest options] PATH\TARVEL.dll PICTURE_FOLDER
// The folder receives the screenshots the tests take.
#include <gtest/gtest.h>

#include <cstdio>

#include "dll_under_test.h"
#include "editor_pictures.h"

int main(int argc, char** argv) {
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

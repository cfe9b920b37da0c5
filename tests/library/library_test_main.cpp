// Runs the tests of the real library: dll_tests [gtest options] PATH\TARVEL.dll
#include <gtest/gtest.h>

#include <cstdio>

#include "dll_under_test.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: dll_tests [gtest options] PATH\\TARVEL.dll\n");
        return 2;
    }
    setDllPath(argv[1]);
    return RUN_ALL_TESTS();
}

# Cross-compiles the 64-bit Windows library with mingw-w64. x86-64 does its
# float arithmetic in SSE2 already: the library computes exactly what the
# native build and the 32-bit library compute.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TARVEL_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)

# Cross-compiles the 32-bit Windows library with mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TARVEL_MINGW_TRIPLET i686-w64-mingw32)
# SSE2 arithmetic, not the x87 unit: the library computes exactly what the
# native build computes.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)

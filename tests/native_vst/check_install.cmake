# Installs the build tree's native library with `cmake --install` into an
# empty prefix and checks that exactly the library arrives, in the VST folder
# under that prefix, and still loads: its file is the built one.
#   cmake -D BUILD_DIR=build/native -D PREFIX=dir -D VST_DIR=lib/vst
#         -D LIBRARY=libtarvel-vst.so -P check_install.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                        --component vst
                OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${status}):\n${output}${errors}")
endif()
get_filename_component(name "${LIBRARY}" NAME)
file(GLOB_RECURSE installed RELATIVE "${PREFIX}" "${PREFIX}/*")
if(NOT installed STREQUAL "${VST_DIR}/${name}")
    message(FATAL_ERROR "expected only ${VST_DIR}/${name} under the prefix, found: ${installed}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${LIBRARY}" "${PREFIX}/${VST_DIR}/${name}"
                RESULT_VARIABLE different)
if(different)
    message(FATAL_ERROR "the installed library is not the built one")
endif()

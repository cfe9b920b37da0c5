# Registers the tests of the real TARVEL.dll in the native tree's CTest, so
# that one run covers everything. They need the Windows build tree
# (TARVEL_WIN32_DIR); every test that starts Wine holds the "wine" lock, so
# that no two share the prefix at once.
if(NOT TARVEL_WIN32_DIR OR NOT EXISTS "${TARVEL_WIN32_DIR}")
    message(STATUS "No Windows build tree at '${TARVEL_WIN32_DIR}': the Wine tests are left out")
    return()
endif()

set(_dll "${TARVEL_WIN32_DIR}/src/TARVEL.dll")
set(_server "${TARVEL_WIN32_DIR}/tools/plugin-server/plugin-server.exe")
set(_wine_run "${PROJECT_SOURCE_DIR}/scripts/wine-run")
string(REPLACE "/" "\\" _dll_windows "Z:${_dll}")
find_program(TARVEL_MINGW_OBJDUMP i686-w64-mingw32-objdump REQUIRED)

foreach(_suite DllRecord DllIdentity)
    add_test(NAME wine.${_suite}
             COMMAND ${_wine_run} "${TARVEL_WIN32_DIR}/tests/wine/dll_tests.exe"
                     --gtest_filter=${_suite}.* "${_dll_windows}")
    set_tests_properties(wine.${_suite} PROPERTIES RESOURCE_LOCK wine TIMEOUT 120)
endforeach()

# The frame and the editor bridge on the real window system, on a virtual display.
add_test(NAME wine.frame_window
         COMMAND "${PROJECT_SOURCE_DIR}/scripts/wine-run-windowed"
                 "${TARVEL_WIN32_DIR}/tests/wine/frame_window_tests.exe")
set_tests_properties(wine.frame_window PROPERTIES RESOURCE_LOCK wine TIMEOUT 120)

# The text field and the pop-up menu taking input from the window system.
add_test(NAME wine.text_controls
         COMMAND "${PROJECT_SOURCE_DIR}/scripts/wine-run-windowed"
                 "${TARVEL_WIN32_DIR}/tests/wine/text_controls_tests.exe")
set_tests_properties(wine.text_controls PROPERTIES RESOURCE_LOCK wine TIMEOUT 180)

# The control gallery in a real window: every control draws, its owner-drawn
# pop-up menu opens, and the picture controls look exactly as the native
# build draws them.
set(_gallery_shot "${CMAKE_CURRENT_BINARY_DIR}/gallery-wine.bmp")
add_test(NAME wine.control_gallery
         COMMAND "${PROJECT_SOURCE_DIR}/scripts/wine-run-windowed"
                 "${TARVEL_WIN32_DIR}/tools/control-gallery/control-gallery.exe" --check
                 --screenshot "${_gallery_shot}"
                 --menu-screenshot "${CMAKE_CURRENT_BINARY_DIR}/gallery-menu-wine.bmp")
set_tests_properties(wine.control_gallery PROPERTIES RESOURCE_LOCK wine TIMEOUT 120
                     FIXTURES_SETUP wine_gallery_screenshot)
add_test(NAME wine.control_gallery_matches_native
         COMMAND control-gallery --compare "${_gallery_shot}"
                 "${CMAKE_CURRENT_BINARY_DIR}/gallery-native.png")
set_tests_properties(wine.control_gallery_matches_native
                     PROPERTIES FIXTURES_REQUIRED wine_gallery_screenshot)

add_test(NAME wine.dll_exports_and_imports
         COMMAND ${CMAKE_COMMAND} -D OBJDUMP=${TARVEL_MINGW_OBJDUMP} -D DLL=${_dll}
                 -P ${CMAKE_CURRENT_LIST_DIR}/check_exports.cmake)

# The same renders natively and through the DLL, compared byte for byte.
set(_render_cases
    "default|"
    "default_cc1|--cc1 0:127 --cc1 11025:0 --cc1 11026:64 --cc1 40000:100 --cc1 88199:1"
    "default_random_blocks|--random-blocks 11 --block-size 1000 --cc1 30000:10 --cc1 30001:120"
    "noise_accumulating|--signal noise --accumulating --random-blocks 3 --ipvolume 0.3"
    "slow_small_blocks|--signal slow --block-size 100 --ncvolume 0.7 --ipvolume 0.2"
    "noise_file|--block-size 64 --cc1 500:20")
foreach(_case IN LISTS _render_cases)
    string(FIND "${_case}" "|" _bar)
    string(SUBSTRING "${_case}" 0 ${_bar} _name)
    math(EXPR _bar "${_bar} + 1")
    string(SUBSTRING "${_case}" ${_bar} -1 _args)
    set(_input "")
    if(_name STREQUAL "noise_file")
        set(_input -D INPUT_SIGNAL=noise)
    endif()
    add_test(NAME wine.render_matches_native.${_name}
             COMMAND ${CMAKE_COMMAND} -D RENDER=$<TARGET_FILE:tarvel-render> -D DLL=${_dll}
                     -D SERVER=${_server} -D WORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/wine-renders
                     -D NAME=${_name} "-DARGS=${_args}" ${_input}
                     -P ${CMAKE_CURRENT_LIST_DIR}/compare_render.cmake)
    set_tests_properties(wine.render_matches_native.${_name}
                         PROPERTIES RESOURCE_LOCK wine TIMEOUT 300)
endforeach()

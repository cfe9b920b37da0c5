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

# The block path against the frame-by-frame steps in the 32-bit build.
add_test(NAME wine.block_path
         COMMAND ${_wine_run} "${TARVEL_WIN32_DIR}/tests/wine/block_path_tests.exe")
set_tests_properties(wine.block_path PROPERTIES RESOURCE_LOCK wine TIMEOUT 300)

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

# Stress runs of the real library (tests/wine/dll_stress.cpp): 1000 instances
# and 1000 library loads with their resources counted, 16 instances side by
# side, an hour of audio in 64-frame blocks that must match the native build
# sample for sample, and editors opened and closed and open side by side.
set(_stress "${TARVEL_WIN32_DIR}/tests/wine/dll_stress.exe")
set(_baseline "${TARVEL_WIN32_DIR}/tests/wine/runtime_probe.dll")
string(REPLACE "/" "\\" _baseline_windows "Z:${_baseline}")
set(TARVEL_LONG_RUN_BLOCKS 2480625 CACHE STRING
    "Blocks of 64 frames in the long stress run (2480625: an hour at 44.1 kHz)")
add_test(NAME wine.stress.load_close_cycles
         COMMAND ${_wine_run} ${_stress} cycles 1000 "${_dll_windows}" "${_baseline_windows}")
add_test(NAME wine.stress.sixteen_instances
         COMMAND ${_wine_run} ${_stress} instances 16 5000 "${_dll_windows}")
add_test(NAME wine.stress.hour_matches_native
         COMMAND ${CMAKE_COMMAND} -D NATIVE=$<TARGET_FILE:long_run> -D WINE_RUN=${_wine_run}
                 -D STRESS=${_stress} "-DDLL=${_dll_windows}" -D BLOCKS=${TARVEL_LONG_RUN_BLOCKS}
                 -P ${CMAKE_CURRENT_LIST_DIR}/compare_long_run.cmake)
# 200 editor open and close cycles, then 16 instances processing with their
# editors open at once, on a virtual display.
add_test(NAME wine.stress.editors
         COMMAND "${PROJECT_SOURCE_DIR}/scripts/wine-run-windowed" ${_stress} editors 200 16 10000
                 "${_dll_windows}")
set_tests_properties(wine.stress.load_close_cycles wine.stress.sixteen_instances
                     wine.stress.hour_matches_native wine.stress.editors
                     PROPERTIES RESOURCE_LOCK wine TIMEOUT 600 LABELS stress)

# The editor in host windows on a virtual display. The suites that take
# screenshots write them into _pictures, where the native side compares
# them with headless renders of the same parameter values and with the
# stored reference picture (made with the same values, 0.75 and 0.25).
set(_pictures "${CMAKE_CURRENT_BINARY_DIR}/editor-pictures")
string(REPLACE "/" "\\" _pictures_windows "Z:${_pictures}")
add_test(NAME editor.clear_pictures
         COMMAND sh -c "rm -rf \"$0\" && mkdir -p \"$0\"" "${_pictures}")
set_tests_properties(editor.clear_pictures PROPERTIES FIXTURES_SETUP editor_pictures_folder)
foreach(_suite HarnessWindow EditorTest EditorShotTest EditorLifecycle)
    add_test(NAME wine.editor.${_suite}
             COMMAND "${PROJECT_SOURCE_DIR}/scripts/wine-run-windowed"
                     "${TARVEL_WIN32_DIR}/tests/wine/editor_tests.exe"
                     --gtest_filter=${_suite}.* "${_dll_windows}" "${_pictures_windows}")
    set_tests_properties(wine.editor.${_suite} PROPERTIES RESOURCE_LOCK wine TIMEOUT 300
                         FIXTURES_REQUIRED editor_pictures_folder)
endforeach()
set_tests_properties(wine.editor.EditorTest wine.editor.EditorShotTest
                     PROPERTIES FIXTURES_SETUP editor_screenshots)

foreach(_values "default|1|1" "0.75_0.25|0.75|0.25")
    string(REPLACE "|" ";" _values "${_values}")
    list(GET _values 0 _name)
    list(GET _values 1 _ncvolume)
    list(GET _values 2 _ipvolume)
    add_test(NAME editor.headless_render.${_name}
             COMMAND render-editor "${_pictures}/headless_${_name}.png" ${_ncvolume} ${_ipvolume})
    set_tests_properties(editor.headless_render.${_name} PROPERTIES
                         FIXTURES_SETUP editor_headless_renders
                         FIXTURES_REQUIRED editor_pictures_folder)
    # Bitmaps are only copied to the window, so the pictures agree exactly.
    add_test(NAME wine.editor.screenshot_matches_headless.${_name}
             COMMAND compare-pictures "${_pictures}/editor_${_name}.png"
                     "${_pictures}/headless_${_name}.png")
    set_tests_properties(wine.editor.screenshot_matches_headless.${_name} PROPERTIES
                         FIXTURES_REQUIRED "editor_screenshots;editor_headless_renders")
endforeach()
add_test(NAME wine.editor.screenshot_matches_reference
         COMMAND compare-pictures "${_pictures}/editor_0.75_0.25.png"
                 "${PROJECT_SOURCE_DIR}/tests/data/editor_panel.png")
set_tests_properties(wine.editor.screenshot_matches_reference PROPERTIES
                     FIXTURES_REQUIRED editor_screenshots)

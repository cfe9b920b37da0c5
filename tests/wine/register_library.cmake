# Registers the tests of one TARVEL.dll (one Windows build tree) in the native
# tree's CTest. Included by register.cmake once per width, with _tree (the
# build tree), _width (32 or 64), _prefix (wine32 or wine64), _guard (a
# command that skips a test where that width cannot run; empty for 64) and
# _objdump. Every test that starts Wine holds the lock of its width's prefix,
# so that no two share a prefix at once; a test of a width this machine cannot
# run exits 77, which CTest reports as skipped.
set(_dll "${_tree}/src/TARVEL.dll")
set(_server "${_tree}/tools/plugin-server/plugin-server.exe")
set(_wine_run "${PROJECT_SOURCE_DIR}/scripts/wine-run")
set(_windowed "${PROJECT_SOURCE_DIR}/scripts/wine-run-windowed")
set(_lock wine${_width})
string(REPLACE "/" "\\" _dll_windows "Z:${_dll}")

foreach(_suite DllRecord DllIdentity)
    add_test(NAME ${_prefix}.${_suite}
             COMMAND ${_wine_run} "${_tree}/tests/wine/dll_tests.exe"
                     --gtest_filter=${_suite}.* "${_dll_windows}")
    set_tests_properties(${_prefix}.${_suite} PROPERTIES RESOURCE_LOCK ${_lock} TIMEOUT 120)
endforeach()

# The block path against the frame-by-frame steps as the library is compiled.
add_test(NAME ${_prefix}.block_path
         COMMAND ${_wine_run} "${_tree}/tests/wine/block_path_tests.exe")
set_tests_properties(${_prefix}.block_path PROPERTIES RESOURCE_LOCK ${_lock} TIMEOUT 300)

# Tarvel.clap as a Windows host loads it, against the VST 2.x effect.
if(EXISTS "${_tree}/tests/wine/clap_tests.exe")
    add_test(NAME ${_prefix}.clap COMMAND ${_wine_run} "${_tree}/tests/wine/clap_tests.exe")
    set_tests_properties(${_prefix}.clap PROPERTIES RESOURCE_LOCK ${_lock} TIMEOUT 300
                         WORKING_DIRECTORY "${_tree}/tests/wine")
endif()

# The frame and the editor bridge on the real window system, on a virtual display.
add_test(NAME ${_prefix}.frame_window
         COMMAND ${_windowed} "${_tree}/tests/wine/frame_window_tests.exe")
set_tests_properties(${_prefix}.frame_window PROPERTIES RESOURCE_LOCK ${_lock} TIMEOUT 120)

# The text field and the pop-up menu taking input from the window system.
add_test(NAME ${_prefix}.text_controls
         COMMAND ${_windowed} "${_tree}/tests/wine/text_controls_tests.exe")
set_tests_properties(${_prefix}.text_controls PROPERTIES RESOURCE_LOCK ${_lock} TIMEOUT 180)
# Where the editor's scale comes from: at the prefix's 96 dots per inch, the
# display scale, the message of a new monitor, the settings folder and the
# zoom menu with real input; then the display scale again in copies of the
# prefix set to 144 and 192.
set(_scale_sources "${_tree}/tests/wine/scale_sources_tests.exe")
add_test(NAME ${_prefix}.scale_sources COMMAND ${_windowed} "${_scale_sources}")
set_tests_properties(${_prefix}.scale_sources PROPERTIES RESOURCE_LOCK ${_lock} TIMEOUT 180)
foreach(_dpi "144|1.5" "192|2")
    string(REPLACE "|" ";" _dpi "${_dpi}")
    list(GET _dpi 0 _dots)
    list(GET _dpi 1 _scale)
    add_test(NAME ${_prefix}.display_scale.${_dots}
             COMMAND env TARVEL_EXPECTED_DISPLAY_SCALE=${_scale}
                     "${PROJECT_SOURCE_DIR}/scripts/wine-run-at-dpi" ${_dots} "${_scale_sources}"
                     --gtest_filter=ScaleSourcesUnderWine.TheDisplayScale*)
    set_tests_properties(${_prefix}.display_scale.${_dots} PROPERTIES RESOURCE_LOCK ${_lock}
                         TIMEOUT 300)
endforeach()

# The window seam's rules, the list the headless and X11 backends run too.
add_test(NAME ${_prefix}.window_conformance
         COMMAND ${_windowed} "${_tree}/tests/wine/window_conformance_tests.exe")
set_tests_properties(${_prefix}.window_conformance PROPERTIES RESOURCE_LOCK ${_lock} TIMEOUT 120)

# The control gallery in a real window: every control draws, its owner-drawn
# pop-up menu opens, and the picture controls look exactly as the native
# build draws them.
set(_gallery_shot "${CMAKE_CURRENT_BINARY_DIR}/gallery-wine${_width}.bmp")
add_test(NAME ${_prefix}.control_gallery
         COMMAND ${_windowed} "${_tree}/tools/control-gallery/control-gallery.exe" --check
                 --screenshot "${_gallery_shot}"
                 --menu-screenshot "${CMAKE_CURRENT_BINARY_DIR}/gallery-menu-wine${_width}.bmp")
set_tests_properties(${_prefix}.control_gallery PROPERTIES RESOURCE_LOCK ${_lock} TIMEOUT 120
                     FIXTURES_SETUP ${_prefix}_gallery_screenshot)
add_test(NAME ${_prefix}.control_gallery_matches_native
         COMMAND ${_guard} $<TARGET_FILE:control-gallery> --compare "${_gallery_shot}"
                 "${CMAKE_CURRENT_BINARY_DIR}/gallery-native${_width}.png")
set_tests_properties(${_prefix}.control_gallery_matches_native
                     PROPERTIES FIXTURES_REQUIRED ${_prefix}_gallery_screenshot)

# What the library shows the loader; read from the file, so it runs on every
# machine. The 64-bit library exports its entry under both names 64-bit hosts
# look for.
if(_width EQUAL 64)
    set(_exports "VSTPluginMain,main")
else()
    set(_exports "main")
endif()
add_test(NAME ${_prefix}.dll_exports_and_imports
         COMMAND ${CMAKE_COMMAND} -D OBJDUMP=${_objdump} -D DLL=${_dll} -D EXPORTS=${_exports}
                 -P ${CMAKE_CURRENT_LIST_DIR}/check_exports.cmake)

# The same renders natively and through the DLL, compared byte for byte.
tarvel_render_comparisons(${_prefix}.render_matches_native
                          ${CMAKE_CURRENT_BINARY_DIR}/wine${_width}-renders "${_guard}"
                          --dll ${_dll} --server ${_server})
set_tests_properties(${TARVEL_RENDER_COMPARISON_TESTS} PROPERTIES RESOURCE_LOCK ${_lock}
                     TIMEOUT 300)

# Stress runs of the real library (tests/wine/dll_stress.cpp): 1000 instances
# and 1000 library loads with their resources counted, 16 instances side by
# side, an hour of audio in 64-frame blocks that must match the native build
# sample for sample, and editors opened and closed and open side by side.
set(_stress "${_tree}/tests/wine/dll_stress.exe")
set(_baseline "${_tree}/tests/wine/runtime_probe.dll")
string(REPLACE "/" "\\" _baseline_windows "Z:${_baseline}")
set(TARVEL_LONG_RUN_BLOCKS 2480625 CACHE STRING
    "Blocks of 64 frames in the long stress run (2480625: an hour at 44.1 kHz)")
add_test(NAME ${_prefix}.stress.load_close_cycles
         COMMAND ${_wine_run} ${_stress} cycles 1000 "${_dll_windows}" "${_baseline_windows}")
add_test(NAME ${_prefix}.stress.sixteen_instances
         COMMAND ${_wine_run} ${_stress} instances 16 5000 "${_dll_windows}")
add_test(NAME ${_prefix}.stress.hour_matches_native
         COMMAND ${_guard} ${CMAKE_COMMAND} -D NATIVE=$<TARGET_FILE:long_run>
                 -D WINE_RUN=${_wine_run} -D STRESS=${_stress} "-DDLL=${_dll_windows}"
                 -D BLOCKS=${TARVEL_LONG_RUN_BLOCKS}
                 -P ${CMAKE_CURRENT_LIST_DIR}/compare_long_run.cmake)
# 200 editor open and close cycles, then 16 instances processing with their
# editors open at once, on a virtual display.
add_test(NAME ${_prefix}.stress.editors
         COMMAND ${_windowed} ${_stress} editors 200 16 10000 "${_dll_windows}")
set_tests_properties(${_prefix}.stress.load_close_cycles ${_prefix}.stress.sixteen_instances
                     ${_prefix}.stress.hour_matches_native ${_prefix}.stress.editors
                     PROPERTIES RESOURCE_LOCK ${_lock} TIMEOUT 600 LABELS stress)

# The editor in host windows on a virtual display. The suites that take
# screenshots write them into _pictures, where the native side compares
# them with headless renders of the same parameter values and with the
# stored reference picture (made with the same values, 0.75 and 0.25).
set(_pictures "${CMAKE_CURRENT_BINARY_DIR}/editor-pictures")
set(_shots "${_pictures}/wine${_width}")
string(REPLACE "/" "\\" _shots_windows "Z:${_shots}")
add_test(NAME ${_prefix}.editor.clear_pictures
         COMMAND sh -c "rm -rf \"$0\" && mkdir -p \"$0\"" "${_shots}")
set_tests_properties(${_prefix}.editor.clear_pictures PROPERTIES
                     FIXTURES_SETUP ${_prefix}_editor_pictures_folder)
# The shared editor scenarios are the suite Wine/EditorScenario.
foreach(_suite HarnessWindow EditorTest EditorShotTest EditorLifecycle Wine/EditorScenario)
    string(REPLACE "Wine/EditorScenario" "scenarios" _name "${_suite}")
    add_test(NAME ${_prefix}.editor.${_name}
             COMMAND ${_windowed} "${_tree}/tests/wine/editor_tests.exe"
                     --gtest_filter=${_suite}.* "${_dll_windows}" "${_shots_windows}")
    set_tests_properties(${_prefix}.editor.${_name} PROPERTIES RESOURCE_LOCK ${_lock}
                         TIMEOUT 300 FIXTURES_REQUIRED ${_prefix}_editor_pictures_folder)
endforeach()
set_tests_properties(${_prefix}.editor.EditorTest ${_prefix}.editor.EditorShotTest
                     PROPERTIES FIXTURES_SETUP ${_prefix}_editor_screenshots)

foreach(_name default 0.75_0.25)
    # Bitmaps are only copied to the window, so the pictures agree exactly.
    add_test(NAME ${_prefix}.editor.screenshot_matches_headless.${_name}
             COMMAND ${_guard} $<TARGET_FILE:compare-pictures> "${_shots}/editor_${_name}.png"
                     "${_pictures}/headless/headless_${_name}.png")
    set_tests_properties(${_prefix}.editor.screenshot_matches_headless.${_name} PROPERTIES
                         FIXTURES_REQUIRED "${_prefix}_editor_screenshots;editor_headless_renders")
endforeach()
add_test(NAME ${_prefix}.editor.screenshot_matches_reference
         COMMAND ${_guard} $<TARGET_FILE:compare-pictures> "${_shots}/editor_0.75_0.25.png"
                 "${PROJECT_SOURCE_DIR}/tests/data/editor_panel.png")
set_tests_properties(${_prefix}.editor.screenshot_matches_reference PROPERTIES
                     FIXTURES_REQUIRED ${_prefix}_editor_screenshots)

# The editor drawn by GDI at 2 and 1.5: pixel for pixel the headless
# renders stored at those scales.
add_test(NAME ${_prefix}.editor.scaled
         COMMAND ${_windowed} "${_tree}/tests/wine/editor_scale_tests.exe" "${_shots_windows}")
set_tests_properties(${_prefix}.editor.scaled PROPERTIES RESOURCE_LOCK ${_lock} TIMEOUT 120
                     FIXTURES_REQUIRED ${_prefix}_editor_pictures_folder
                     FIXTURES_SETUP ${_prefix}_editor_scaled_shots)
# TARVEL.dll's editor on displays of 144 and 192 dots per inch, opened as a
# host opens it: its screenshot is the headless render at 1.5 and at 2.
foreach(_dpi "144|150|1.5" "192|200|2")
    string(REPLACE "|" ";" _dpi "${_dpi}")
    list(GET _dpi 0 _dots)
    list(GET _dpi 1 _percent)
    list(GET _dpi 2 _scale)
    add_test(NAME ${_prefix}.editor.display_scale.${_dots}
             COMMAND env TARVEL_EXPECTED_DISPLAY_SCALE=${_scale}
                     "${PROJECT_SOURCE_DIR}/scripts/wine-run-at-dpi" ${_dots}
                     "${_tree}/tests/wine/editor_tests.exe" --gtest_filter=EditorAtDisplayScale.*
                     "${_dll_windows}" "${_shots_windows}")
    set_tests_properties(${_prefix}.editor.display_scale.${_dots} PROPERTIES
                         RESOURCE_LOCK ${_lock} TIMEOUT 180
                         FIXTURES_REQUIRED ${_prefix}_editor_pictures_folder
                         FIXTURES_SETUP ${_prefix}_editor_dpi_${_dots})
    add_test(NAME ${_prefix}.editor.display_scale.${_dots}_matches_headless
             COMMAND ${_guard} $<TARGET_FILE:compare-pictures> "${_shots}/editor_dpi_${_percent}.png"
                     "${PROJECT_SOURCE_DIR}/tests/data/editor_panel-${_percent}.png")
    set_tests_properties(${_prefix}.editor.display_scale.${_dots}_matches_headless PROPERTIES
                         FIXTURES_REQUIRED ${_prefix}_editor_dpi_${_dots})
endforeach()
foreach(_percent 200 150)
    add_test(NAME ${_prefix}.editor.scaled_matches_headless.${_percent}
             COMMAND ${_guard} $<TARGET_FILE:compare-pictures> "${_shots}/editor_scale_${_percent}.png"
                     "${PROJECT_SOURCE_DIR}/tests/data/editor_panel-${_percent}.png")
    set_tests_properties(${_prefix}.editor.scaled_matches_headless.${_percent} PROPERTIES
                         FIXTURES_REQUIRED ${_prefix}_editor_scaled_shots)
endforeach()

# Tarvel.clap's editor in a Win32 host window; its screenshot is the VST
# 2.x editor's at the same (default) values.
if(EXISTS "${_tree}/tests/wine/clap_gui_tests.exe")
    add_test(NAME ${_prefix}.clap.gui
             COMMAND ${_windowed} "${_tree}/tests/wine/clap_gui_tests.exe" "${_dll_windows}"
                     "${_shots_windows}")
    set_tests_properties(${_prefix}.clap.gui PROPERTIES RESOURCE_LOCK ${_lock} TIMEOUT 300
                         WORKING_DIRECTORY "${_tree}/tests/wine"
                         FIXTURES_REQUIRED ${_prefix}_editor_pictures_folder
                         FIXTURES_SETUP ${_prefix}_clap_screenshot)
    add_test(NAME ${_prefix}.clap.gui_screenshot_matches_vst_editor
             COMMAND ${_guard} $<TARGET_FILE:compare-pictures> "${_shots}/clap_default.png"
                     "${_shots}/editor_default.png")
    set_tests_properties(${_prefix}.clap.gui_screenshot_matches_vst_editor PROPERTIES
                         FIXTURES_REQUIRED "${_prefix}_clap_screenshot;${_prefix}_editor_screenshots")
endif()

# Every test of the 32-bit library is skipped where 32-bit programs cannot run.
get_property(_tests DIRECTORY PROPERTY TESTS)
foreach(_test IN LISTS _tests)
    if(_test MATCHES "^${_prefix}\\.")
        set_tests_properties(${_test} PROPERTIES SKIP_RETURN_CODE 77)
    endif()
endforeach()

# Where 32-bit programs cannot run, tarvel-render says so before starting Wine,
# with the reason and the library to use instead (the answer is forced here,
# so this runs on every machine).
if(_width EQUAL 32)
    add_test(NAME ${_prefix}.render_explains_a_machine_without_32_bit
             COMMAND tarvel-render --dll "${_dll}" -q
                     "${CMAKE_CURRENT_BINARY_DIR}/refused-32-bit.wav")
    set_tests_properties(${_prefix}.render_explains_a_machine_without_32_bit PROPERTIES
        ENVIRONMENT "TARVEL_RUN_32BIT=Exec format error (forced by the test)"
        PASS_REGULAR_EXPRESSION
        "cannot run 32-bit programs \\(Exec format error \\(forced by the test\\)\\), so Wine cannot run .*TARVEL.dll; render with the 64-bit TARVEL.dll")
endif()

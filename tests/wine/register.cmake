# Registers the tests of the real TARVEL.dll in the native tree's CTest, so
# that one run covers everything: every test once against the 64-bit library
# (wine64.*) and once against the 32-bit one (wine32.*), each from its own
# Windows build tree (TARVEL_WIN64_DIR, TARVEL_WIN32_DIR). The 32-bit tests
# are skipped where this machine cannot execute 32-bit programs.
include(${CMAKE_CURRENT_LIST_DIR}/../render_comparison/render_comparisons.cmake)
find_program(TARVEL_MINGW_OBJDUMP i686-w64-mingw32-objdump REQUIRED)
find_program(TARVEL_MINGW64_OBJDUMP x86_64-w64-mingw32-objdump REQUIRED)

# The editor as the headless backend draws it, with the values the Wine runs
# take screenshots with: both widths compare their screenshots with these.
set(_pictures "${CMAKE_CURRENT_BINARY_DIR}/editor-pictures")
add_test(NAME editor.clear_headless_pictures
         COMMAND sh -c "rm -rf \"$0\" && mkdir -p \"$0\"" "${_pictures}/headless")
set_tests_properties(editor.clear_headless_pictures PROPERTIES
                     FIXTURES_SETUP editor_headless_folder)
foreach(_values "default|1|1" "0.75_0.25|0.75|0.25")
    string(REPLACE "|" ";" _values "${_values}")
    list(GET _values 0 _name)
    list(GET _values 1 _ncvolume)
    list(GET _values 2 _ipvolume)
    add_test(NAME editor.headless_render.${_name}
             COMMAND render-editor "${_pictures}/headless/headless_${_name}.png" ${_ncvolume}
                     ${_ipvolume})
    set_tests_properties(editor.headless_render.${_name} PROPERTIES
                         FIXTURES_SETUP editor_headless_renders
                         FIXTURES_REQUIRED editor_headless_folder)
endforeach()

foreach(_width 64 32)
    set(_tree "${TARVEL_WIN${_width}_DIR}")
    if(NOT _tree OR NOT EXISTS "${_tree}/src/TARVEL.dll")
        message(STATUS "No ${_width}-bit Windows build at '${_tree}': its Wine tests are left out")
        continue()
    endif()
    set(_prefix wine${_width})
    if(_width EQUAL 64)
        set(_guard "")
        set(_objdump "${TARVEL_MINGW64_OBJDUMP}")
    else()
        set(_guard "${PROJECT_SOURCE_DIR}/scripts/if-32bit")
        set(_objdump "${TARVEL_MINGW_OBJDUMP}")
    endif()
    include(${CMAKE_CURRENT_LIST_DIR}/register_library.cmake)
    include(${CMAKE_CURRENT_LIST_DIR}/gdi_conformance/register.cmake)
endforeach()

# The package a user installs from holds both libraries, and both load.
if(EXISTS "${TARVEL_WIN32_DIR}/src/TARVEL.dll" AND EXISTS "${TARVEL_WIN64_DIR}/src/TARVEL.dll")
    add_test(NAME package.windows_zip
             COMMAND "${PROJECT_SOURCE_DIR}/tests/package/check_windows_zip.sh"
                     "${TARVEL_WIN32_DIR}" "${TARVEL_WIN64_DIR}"
                     "${CMAKE_CURRENT_BINARY_DIR}/package-windows")
    set_tests_properties(package.windows_zip PROPERTIES RESOURCE_LOCK "wine32;wine64;windows_release"
                         TIMEOUT 300)
    # The installer, run silently in a Wine prefix of its own; the installed
    # 32-bit library renders in the project's 32-bit prefix.
    add_test(NAME package.windows_installer
             COMMAND "${PROJECT_SOURCE_DIR}/tests/package/check_windows_installer.sh"
                     "${TARVEL_WIN32_DIR}" "${TARVEL_WIN64_DIR}" "${CMAKE_BINARY_DIR}"
                     "${CMAKE_CURRENT_BINARY_DIR}/package-installer")
    set_tests_properties(package.windows_installer PROPERTIES
                         RESOURCE_LOCK "wine32;windows_release" TIMEOUT 600)
endif()

# Included by the native tree, once per Windows build tree: runs that tree's
# GDI conformance program under Wine, when the tree has built it. Expects
# _tree, _width and _prefix (the test name prefix) from register.cmake.
set(_gdi_conformance "${_tree}/tests/wine/gdi_conformance/gdi_conformance.exe")
if(NOT EXISTS "${_gdi_conformance}")
    return()
endif()
set(_samples "${CMAKE_BINARY_DIR}/tests/gdi_text_samples_${_width}.txt")
add_test(NAME ${_prefix}.gdi_conformance
         COMMAND "${PROJECT_SOURCE_DIR}/scripts/wine-run" "${_gdi_conformance}" "${_samples}")
# Wine runs share one display: one at a time.
set_tests_properties(${_prefix}.gdi_conformance PROPERTIES RESOURCE_LOCK wine TIMEOUT 300
                     SKIP_RETURN_CODE 77 FIXTURES_SETUP gdi_text_samples_${_width})
# The native side compares its own text with the samples GDI wrote.
if(NOT TARGET gdi_text_comparison)
    add_executable(gdi_text_comparison
        "${CMAKE_CURRENT_LIST_DIR}/text_comparison_test.cpp")
    target_include_directories(gdi_text_comparison PRIVATE "${CMAKE_CURRENT_LIST_DIR}"
                               "${PROJECT_SOURCE_DIR}/tests/unit")
    target_link_libraries(gdi_text_comparison PRIVATE tarvel_gui GTest::gtest GTest::gtest_main)
endif()
add_test(NAME ${_prefix}.gdi_text_comparison COMMAND ${_guard} $<TARGET_FILE:gdi_text_comparison>)
set_tests_properties(${_prefix}.gdi_text_comparison PROPERTIES
                     FIXTURES_REQUIRED gdi_text_samples_${_width} SKIP_RETURN_CODE 77
                     ENVIRONMENT "TARVEL_GDI_TEXT_SAMPLES=${_samples}")

# Included by the native tree: runs the GDI conformance program of the
# Windows build tree under Wine, when that tree has built it.
set(_gdi_conformance "${TARVEL_WIN32_DIR}/tests/wine/gdi_conformance/gdi_conformance.exe")
if(TARVEL_WIN32_DIR AND EXISTS "${_gdi_conformance}")
    set(TARVEL_GDI_TEXT_SAMPLES "${CMAKE_BINARY_DIR}/tests/gdi_text_samples.txt")
    add_test(NAME wine.gdi_conformance
             COMMAND "${PROJECT_SOURCE_DIR}/scripts/wine-run" "${_gdi_conformance}"
                     "${TARVEL_GDI_TEXT_SAMPLES}")
    # Wine runs share one prefix and, when windowed, one display: one at a time.
    set_tests_properties(wine.gdi_conformance PROPERTIES RESOURCE_LOCK wine TIMEOUT 300
                         FIXTURES_SETUP gdi_text_samples)
    # The native side compares its own text with the samples GDI wrote.
    add_executable(gdi_text_comparison
        "${CMAKE_CURRENT_LIST_DIR}/text_comparison_test.cpp")
    target_include_directories(gdi_text_comparison PRIVATE "${CMAKE_CURRENT_LIST_DIR}"
                               "${PROJECT_SOURCE_DIR}/tests/unit")
    target_link_libraries(gdi_text_comparison PRIVATE tarvel_gui GTest::gtest GTest::gtest_main)
    target_compile_definitions(gdi_text_comparison PRIVATE
        TARVEL_GDI_TEXT_SAMPLES="${TARVEL_GDI_TEXT_SAMPLES}")
    add_test(NAME wine.gdi_text_comparison COMMAND gdi_text_comparison)
    set_tests_properties(wine.gdi_text_comparison PROPERTIES FIXTURES_REQUIRED gdi_text_samples)
endif()

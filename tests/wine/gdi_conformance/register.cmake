# Included by the native tree: runs the GDI conformance program of the
# Windows build tree under Wine, when that tree has built it.
set(_gdi_conformance "${TARVEL_WIN32_DIR}/tests/wine/gdi_conformance/gdi_conformance.exe")
if(TARVEL_WIN32_DIR AND EXISTS "${_gdi_conformance}")
    add_test(NAME wine.gdi_conformance
             COMMAND "${PROJECT_SOURCE_DIR}/scripts/wine-run" "${_gdi_conformance}")
    # Wine runs share one prefix and, when windowed, one display: one at a time.
    set_tests_properties(wine.gdi_conformance PROPERTIES RESOURCE_LOCK wine TIMEOUT 300)
endif()

# Checks what the native plug-in library shows the dynamic loader: exactly two
# defined symbols, `VSTPluginMain` and `main`; and only the C and C++ run-time
# libraries (and, in the sanitizer build, the sanitizers' own) as needed
# libraries. A library without an editor (EDITOR=NONE) needs nothing from
# font, picture or window-system libraries; one with the X11 editor
# (EDITOR=X11) needs Xlib and FreeType and nothing else (pictures are written
# to files only by tools and tests).
#   cmake -D NM=nm -D READELF=readelf -D LIBRARY=libtarvel-vst.so -D EDITOR=NONE|X11
#         -P check_library_symbols.cmake
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/run_tool.cmake)

# Defined dynamic symbols, one "address type name" line each.
run_tool(defined ${NM} -D --defined-only ${LIBRARY})
string(REGEX MATCHALL "[^\n]+" lines "${defined}")
set(exports "")
foreach(line IN LISTS lines)
    string(REGEX REPLACE "^.* " "" name "${line}")
    list(APPEND exports "${name}")
endforeach()
list(SORT exports)
if(NOT exports STREQUAL "VSTPluginMain;main")
    message(FATAL_ERROR "${LIBRARY} must define exactly VSTPluginMain and main; it defines: "
                        "${exports}")
endif()
foreach(line IN LISTS lines)
    if(NOT line MATCHES " T (VSTPluginMain|main)$")
        message(FATAL_ERROR "${LIBRARY}: an entry is no function in the code section: ${line}")
    endif()
endforeach()

# Undefined symbols: none from the font, picture or window-system libraries.
run_tool(undefined ${NM} -D --undefined-only ${LIBRARY})
string(REGEX MATCHALL "[^\n]+" needs "${undefined}")
foreach(line IN LISTS needs)
    string(REGEX REPLACE "^ *U " "" name "${line}")
    if(EDITOR STREQUAL "X11")
        set(_forbidden "^(png_|xcb_|cairo_|gtk_|g_)")
    else()
        set(_forbidden "^(FT_|png_|X[A-Z]|xcb_|cairo_|gtk_|g_)")
    endif()
    if(name MATCHES "${_forbidden}")
        message(FATAL_ERROR "${LIBRARY} needs ${name} from a toolkit or window-system library")
    endif()
endforeach()

# Needed libraries: the run-time ones only.
run_tool(dynamic ${READELF} -d ${LIBRARY})
string(REGEX MATCHALL "Shared library: \\[[^]]+\\]" entries "${dynamic}")
set(needed "")
foreach(entry IN LISTS entries)
    string(REGEX REPLACE "^Shared library: \\[(.*)\\]$" "\\1" library "${entry}")
    list(APPEND needed "${library}")
    set(_allowed "libc|libm|libstdc\\+\\+|libgcc_s|libasan|libubsan|ld-linux-x86-64")
    if(EDITOR STREQUAL "X11")
        string(APPEND _allowed "|libX11|libfreetype")
    endif()
    if(NOT library MATCHES "^(${_allowed})\\.so")
        message(FATAL_ERROR "${LIBRARY} needs ${library}, which is no run-time library")
    endif()
endforeach()
if(NOT needed)
    message(FATAL_ERROR "no needed libraries found in ${LIBRARY}: the dump was not understood")
endif()
message(STATUS "exports: ${exports}; needs: ${needed}")

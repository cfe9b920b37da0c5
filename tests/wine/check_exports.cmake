# Checks what TARVEL.dll shows the loader: exactly the exports named in
# EXPORTS (comma-separated, in the table's order), and imports from Windows
# system libraries only (no compiler run-time DLLs a user would have to
# install beside it).
#   cmake -D OBJDUMP=i686-w64-mingw32-objdump -D DLL=.../TARVEL.dll -D EXPORTS=main
#         -P check_exports.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${OBJDUMP} -p ${DLL}
                OUTPUT_VARIABLE dump ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed: ${errors}")
endif()

# Exports: the lines of the name table, up to the blank line after it.
set(heading "[Ordinal/Name Pointer] Table\n")
string(FIND "${dump}" "${heading}" start)
if(start EQUAL -1)
    message(FATAL_ERROR "${DLL} has no export name table")
endif()
string(LENGTH "${heading}" heading_length)
math(EXPR start "${start} + ${heading_length}")
string(SUBSTRING "${dump}" ${start} -1 table)
string(FIND "${table}" "\n\n" end)
string(SUBSTRING "${table}" 0 ${end} table)
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" entries "${table}")
set(exports "")
foreach(entry IN LISTS entries)
    string(REGEX REPLACE "^\\[ *[0-9]+\\] " "" name "${entry}")
    list(APPEND exports "${name}")
endforeach()
string(REPLACE "," ";" expected "${EXPORTS}")
if(NOT exports STREQUAL expected)
    message(FATAL_ERROR "${DLL} must export exactly ${expected}; it exports: ${exports}")
endif()

# Imports: every "DLL Name:" line.
string(REGEX MATCHALL "DLL Name: [^\n]+" lines "${dump}")
set(system_libraries
    kernel32 user32 gdi32 msvcrt ole32 oleaut32 shell32 comdlg32 advapi32 msimg32 comctl32
    shlwapi winmm uuid)
set(imports "")
foreach(line IN LISTS lines)
    string(REGEX REPLACE "^DLL Name: " "" library "${line}")
    string(STRIP "${library}" library)
    list(APPEND imports "${library}")
    string(TOLOWER "${library}" lower)
    string(REGEX REPLACE "\\.dll$" "" base "${lower}")
    if(lower MATCHES "^(libstdc\\+\\+|libgcc_s|libwinpthread)")
        message(FATAL_ERROR "${DLL} needs the compiler's run-time library ${library}")
    endif()
    if(NOT base IN_LIST system_libraries AND NOT base MATCHES "^api-ms-win-")
        message(FATAL_ERROR "${DLL} imports ${library}, which is not a Windows system library")
    endif()
endforeach()
if(NOT imports)
    message(FATAL_ERROR "no imports found in ${DLL}: the dump was not understood")
endif()
message(STATUS "exports: ${exports}; imports: ${imports}")

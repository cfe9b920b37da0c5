# Runs the long run twice, natively with the plug-in linked in and through
# TARVEL.dll under Wine, and requires the same figures from both: the hash of
# every output sample, the relayed events, the peak, and no sample that is
# no finite number. The Windows run also checks that memory and handles stay
# flat (dll_stress fails otherwise).
#   cmake -D NATIVE=long_run -D WINE_RUN=wine-run -D STRESS=dll_stress.exe
#         -D DLL=Z:\...\TARVEL.dll -D BLOCKS=n -P compare_long_run.cmake
cmake_minimum_required(VERSION 3.25)

function(run_long label)
    execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE output ERROR_VARIABLE errors
                    RESULT_VARIABLE status)
    message(STATUS "${label}:\n${output}")
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${label} run failed (${status}):\n${errors}")
    endif()
    string(REGEX MATCH "blocks=[^\n]*" figures "${output}")
    set(${label}_figures "${figures}" PARENT_SCOPE)
endfunction()

run_long(native ${NATIVE} ${BLOCKS})
run_long(dll ${WINE_RUN} ${STRESS} long-run ${BLOCKS} ${DLL})
if(native_figures STREQUAL "")
    message(FATAL_ERROR "the native run printed no figures")
endif()
if(NOT native_figures STREQUAL dll_figures)
    message(FATAL_ERROR "the runs differ:\n  native: ${native_figures}\n  dll:    ${dll_figures}")
endif()

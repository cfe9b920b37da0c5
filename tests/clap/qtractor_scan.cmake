# Qtractor's plug-in scanner, run as Qtractor runs it, on Tarvel.clap: one
# line naming Tarvel with two audio inputs and two outputs and one MIDI port
# each way. Run with -D SCANNER=<qtractor_plugin_scan> -D LIBRARY=<Tarvel.clap>
# (and -D PRELOAD=<library> for a sanitized build).
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/qtractor-scan-request.txt "CLAP:${LIBRARY}\n")
set(environment ASAN_OPTIONS=detect_leaks=0)
if(PRELOAD)
    list(APPEND environment LD_PRELOAD=${PRELOAD})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${environment} ${SCANNER}
                INPUT_FILE ${CMAKE_CURRENT_BINARY_DIR}/qtractor-scan-request.txt
                OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE result
                TIMEOUT 60)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the scanner failed (${result}): ${errors}")
endif()
string(REGEX MATCH "CLAP\\|Tarvel\\|([0-9]+):([0-9]+)\\|([0-9]+):([0-9]+)\\|" line "${listing}")
if(NOT line)
    message(FATAL_ERROR "the scanner does not list Tarvel:\n${listing}${errors}")
endif()
if(NOT CMAKE_MATCH_1 EQUAL 2 OR NOT CMAKE_MATCH_2 EQUAL 2 OR NOT CMAKE_MATCH_3 EQUAL 1
   OR NOT CMAKE_MATCH_4 EQUAL 1)
    message(FATAL_ERROR "listed with the wrong ports: ${line}")
endif()
message(STATUS "listed: ${line}")

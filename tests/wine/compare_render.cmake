# Renders the same signal twice, once through the plug-in linked into
# tarvel-render and once through TARVEL.dll in the plug-in server under Wine,
# and requires byte-identical WAV files and identical logs of the host calls.
#   cmake -D RENDER=tarvel-render -D DLL=TARVEL.dll -D SERVER=plugin-server.exe
#         -D WORK_DIR=dir -D NAME=case [-D "ARGS=--cc1 100:64 ..."]
#         [-D INPUT_SIGNAL=noise] -P compare_render.cmake
# INPUT_SIGNAL first writes that built-in signal to a WAV file and renders the
# file, so that reading files is compared too.
cmake_minimum_required(VERSION 3.25)
file(MAKE_DIRECTORY "${WORK_DIR}")
set(prefix "${WORK_DIR}/${NAME}")
separate_arguments(args UNIX_COMMAND "${ARGS}")

function(run_render label)
    execute_process(COMMAND ${RENDER} ${ARGN}
                    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${label} render failed (${status}):\n${output}${errors}")
    endif()
    message(STATUS "${label}:\n${output}")
endfunction()

set(input "")
if(INPUT_SIGNAL)
    # The raw signal: no cycle is ever replayed with ncvolume 0.
    run_render("input" --signal ${INPUT_SIGNAL} --ncvolume 0 -q "${prefix}-input.wav")
    set(input "${prefix}-input.wav")
endif()

run_render("native" ${args} ${input} "${prefix}-native.wav" --host-log "${prefix}-native.log")
run_render("dll" ${args} ${input} "${prefix}-dll.wav" --host-log "${prefix}-dll.log"
           --dll "${DLL}" --server "${SERVER}")

file(SIZE "${prefix}-native.wav" size)
if(size LESS 1000)
    message(FATAL_ERROR "the native render is only ${size} bytes long")
endif()
foreach(kind wav log)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
                            "${prefix}-native.${kind}" "${prefix}-dll.${kind}"
                    RESULT_VARIABLE different)
    if(different)
        message(FATAL_ERROR "${prefix}-native.${kind} and ${prefix}-dll.${kind} differ")
    endif()
endforeach()

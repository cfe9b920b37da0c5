# Renders the same signal twice, once through the plug-in linked into
# tarvel-render and once through a built plug-in (PLUGIN_ARGS: tarvel-render's
# `--dll ... --server ...` or `--plugin ...`, a list), and requires
# byte-identical WAV files and identical logs of the host calls.
#   cmake -D RENDER=tarvel-render "-D PLUGIN_ARGS=--plugin;libtarvel-vst.so"
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

run_render("linked" ${args} ${input} "${prefix}-linked.wav" --host-log "${prefix}-linked.log")
run_render("plug-in" ${args} ${input} "${prefix}-plugin.wav" --host-log "${prefix}-plugin.log"
           ${PLUGIN_ARGS})

file(SIZE "${prefix}-linked.wav" size)
if(size LESS 1000)
    message(FATAL_ERROR "the linked-in render is only ${size} bytes long")
endif()
foreach(kind wav log)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
                            "${prefix}-linked.${kind}" "${prefix}-plugin.${kind}"
                    RESULT_VARIABLE different)
    if(different)
        message(FATAL_ERROR "${prefix}-linked.${kind} and ${prefix}-plugin.${kind} differ")
    endif()
endforeach()

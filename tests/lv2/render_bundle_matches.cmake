# Renders the same signal through the plug-in linked into tarvel-render and
# through the LV2 bundle (or the CLAP library) loaded with --plugin, with the same arguments (MIDI
# controller 1, random block lengths), and requires the same samples and
# the same count of relayed MIDI events.
#   cmake -D RENDER=tarvel-render -D SAME=same-samples -D BUNDLE=tarvel.lv2
#         -D WORK_DIR=dir -D NAME=case -D "ARGS=..." -P render_bundle_matches.cmake
cmake_minimum_required(VERSION 3.25)
file(MAKE_DIRECTORY "${WORK_DIR}")
set(prefix "${WORK_DIR}/${NAME}")
separate_arguments(args UNIX_COMMAND "${ARGS}")

function(render label out)
    execute_process(COMMAND ${RENDER} ${args} ${ARGN} "${prefix}-${label}.wav"
                    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${label} render failed (${status}):\n${output}${errors}")
    endif()
    message(STATUS "${label}:\n${output}")
    set(${out} "${output}" PARENT_SCOPE)
endfunction()

render(native native_summary)
render(bundle bundle_summary --plugin "${BUNDLE}")
execute_process(COMMAND ${SAME} "${prefix}-native.wav" "${prefix}-bundle.wav"
                ERROR_VARIABLE errors RESULT_VARIABLE different)
if(different)
    message(FATAL_ERROR "the bundle's render differs from the native one: ${errors}")
endif()
foreach(summary native_summary bundle_summary)
    string(REGEX MATCH "[^\n]*MIDI[^\n]*" midi_${summary} "${${summary}}")
endforeach()
if(NOT midi_native_summary STREQUAL midi_bundle_summary)
    message(FATAL_ERROR "MIDI relayed: '${midi_native_summary}' against '${midi_bundle_summary}'")
endif()

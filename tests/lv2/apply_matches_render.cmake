# Renders a built-in signal's file through the LV2 bundle with lv2apply and
# through the plug-in linked into tarvel-render, and requires the same
# samples bit for bit. lv2apply connects no MIDI port and runs its own
# block lengths; the effect's output depends on neither.
#   cmake -D RENDER=tarvel-render -D SAME=same-samples -D URI=... -D WORK_DIR=dir
#         -D NAME=case -D SIGNAL=noise -D NCVOLUME=0.5 -D IPVOLUME=1 [-D PRELOAD=...]
#         -P apply_matches_render.cmake
# LV2_PATH comes from the test's environment; PRELOAD, when set, is an
# LD_PRELOAD=... setting lv2apply runs with.
cmake_minimum_required(VERSION 3.25)
file(MAKE_DIRECTORY "${WORK_DIR}")
set(prefix "${WORK_DIR}/${NAME}")

function(run label)
    execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE output ERROR_VARIABLE errors
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${label} failed (${status}):\n${output}${errors}")
    endif()
    if(errors)
        message(STATUS "${label}:\n${errors}")
    endif()
endfunction()

# The raw signal: with ncvolume 0 no cycle is ever heard.
run("input" ${RENDER} --signal ${SIGNAL} --ncvolume 0 -q "${prefix}-input.wav")
run("native render" ${RENDER} "${prefix}-input.wav" "${prefix}-native.wav" -q
    --ncvolume ${NCVOLUME} --ipvolume ${IPVOLUME})
run("lv2apply" ${CMAKE_COMMAND} -E env ${PRELOAD} lv2apply -i "${prefix}-input.wav" -o "${prefix}-lv2apply.wav"
    -c ncvolume ${NCVOLUME} -c ipvolume ${IPVOLUME} ${URI})
run("comparison" ${SAME} "${prefix}-native.wav" "${prefix}-lv2apply.wav")

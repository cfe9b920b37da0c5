# cmake --install puts the bundle where LV2 hosts look: PREFIX/lib/lv2 (the
# tree's default install folder), tried in a scratch prefix, and the
# installed bundle is listed by lv2ls from there.
# EXTRA_FILES names the further files the bundle holds in this tree (the
# panel's, where it is built).
#   cmake -D BUILD_DIR=tree -D WORK_DIR=dir -D URI=... [-D EXTRA_FILES=a;b] -P install_bundle.cmake
cmake_minimum_required(VERSION 3.25)
set(prefix "${WORK_DIR}/install-prefix")
file(REMOVE_RECURSE "${prefix}")

function(install_into label)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DESTDIR
                            ${CMAKE_COMMAND} --install "${BUILD_DIR}" --component lv2 ${ARGN}
                    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "install (${label}) failed:\n${output}${errors}")
    endif()
endfunction()

function(require_bundle folder)
    foreach(file manifest.ttl tarvel.ttl presets.ttl tarvel.so ${EXTRA_FILES})
        if(NOT EXISTS "${folder}/tarvel.lv2/${file}")
            message(FATAL_ERROR "no ${folder}/tarvel.lv2/${file} after installing")
        endif()
    endforeach()
    execute_process(COMMAND ${CMAKE_COMMAND} -E env LV2_PATH=${folder} lv2ls
                    OUTPUT_VARIABLE listed)
    if(NOT listed MATCHES "${URI}")
        message(FATAL_ERROR "lv2ls does not list the bundle installed in ${folder}")
    endif()
endfunction()

install_into("prefix" --prefix "${prefix}")
require_bundle("${prefix}/lib/lv2")

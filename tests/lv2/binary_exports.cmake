# A bundle library shows hosts its one descriptor entry and nothing else, and
# needs none of the libraries FORBIDDEN names: the plug-in's needs no
# toolkit, picture or window-system library (only the effect is in it); the
# panel's needs no GUI library of a host's.
#   cmake -D LIBRARY=tarvel.so -D ENTRY=lv2_descriptor -D "FORBIDDEN=png|X11" -P binary_exports.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND nm -D --defined-only "${LIBRARY}" OUTPUT_VARIABLE symbols
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "nm cannot read ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${symbols}")
set(exported "")
foreach(line ${lines})
    string(REGEX REPLACE "^[0-9a-f]* *[A-Za-z] " "" name "${line}")
    list(APPEND exported "${name}")
endforeach()
if(NOT exported STREQUAL ENTRY)
    message(FATAL_ERROR "${LIBRARY} exports ${exported}, not ${ENTRY} alone")
endif()

execute_process(COMMAND objdump -p "${LIBRARY}" OUTPUT_VARIABLE headers)
string(REGEX MATCHALL "NEEDED +[^\n]+" needed "${headers}")
foreach(entry ${needed})
    if(entry MATCHES "${FORBIDDEN}")
        message(FATAL_ERROR "${LIBRARY} needs ${entry}")
    endif()
endforeach()

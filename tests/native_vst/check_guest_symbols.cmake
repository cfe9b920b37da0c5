# Checks that a shipped Linux library is a good guest in a host's process by
# what its symbols show: no call counting or other bookkeeping of the
# headless test backend compiled in (none of its names in the symbol table),
# and no destructor registered to run at the host's exit (no import of
# __cxa_atexit, which every static with a destructor calls).
#   cmake -D NM=nm -D LIBRARY=libtarvel-vst.so -P check_guest_symbols.cmake
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/run_tool.cmake)

run_tool(undefined ${NM} -D --undefined-only ${LIBRARY})
if(NOT undefined MATCHES "U ")
    message(FATAL_ERROR "no imports found in ${LIBRARY}: the dump was not understood")
endif()
if(undefined MATCHES "[ \n]U __cxa_atexit\n")
    message(FATAL_ERROR "${LIBRARY} registers destructors to run at the host's exit "
                        "(it imports __cxa_atexit): a static with a destructor is in it")
endif()

# The full symbol table where the library keeps one (a stripped release
# library keeps only its dynamic symbols, checked above).
execute_process(COMMAND ${NM} -C ${LIBRARY} OUTPUT_VARIABLE symbols ERROR_VARIABLE errors
                RESULT_VARIABLE status)
if(status EQUAL 0)
    string(REGEX MATCHALL "[^\n]*(headless::|countCall|callCount|CallCount|liveObjectCount)[^\n]*"
           bookkeeping "${symbols}")
    if(bookkeeping)
        list(GET bookkeeping 0 first)
        list(LENGTH bookkeeping count)
        message(FATAL_ERROR "${LIBRARY} holds ${count} symbols of the headless test backend, "
                            "first: ${first}")
    endif()
    message(STATUS "${LIBRARY}: no test bookkeeping, nothing run at exit")
else()
    message(STATUS "${LIBRARY}: stripped; nothing run at exit")
endif()

# Tarvel.clap's dynamic symbol table defines clap_entry and nothing else.
# Run with -D LIBRARY=<Tarvel.clap>.
execute_process(COMMAND nm -D --defined-only ${LIBRARY} OUTPUT_VARIABLE symbols
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${symbols}")
set(names "")
foreach(line IN LISTS lines)
    string(REGEX REPLACE "^.* " "" name "${line}")
    list(APPEND names ${name})
endforeach()
if(NOT names STREQUAL "clap_entry")
    message(FATAL_ERROR "exported: ${names}")
endif()

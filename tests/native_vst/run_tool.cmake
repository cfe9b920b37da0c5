# run_tool(VARIABLE COMMAND ARGS...): runs a tool and puts what it printed in
# VARIABLE; a tool that fails stops the check with what it said.
function(run_tool output_variable)
    execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE output ERROR_VARIABLE errors
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed: ${errors}")
    endif()
    set(${output_variable} "${output}" PARENT_SCOPE)
endfunction()

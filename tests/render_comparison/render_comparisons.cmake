# The renders every built plug-in is compared on with the plug-in linked into
# tarvel-render: one list of cases and one comparison script for them all.
#   tarvel_render_comparisons(<test prefix> <work dir> <guard> <tarvel-render's
#                             plug-in arguments>...)
# <guard> is a command put before each test's own (empty: none). The names of
# the tests added are left in TARVEL_RENDER_COMPARISON_TESTS.
set(_tarvel_render_comparison_dir ${CMAKE_CURRENT_LIST_DIR})

function(tarvel_render_comparisons prefix work_dir guard)
    set(cases
        "default|"
        "default_cc1|--cc1 0:127 --cc1 11025:0 --cc1 11026:64 --cc1 40000:100 --cc1 88199:1"
        "default_random_blocks|--random-blocks 11 --block-size 1000 --cc1 30000:10 --cc1 30001:120"
        "noise_accumulating|--signal noise --accumulating --random-blocks 3 --ipvolume 0.3"
        "slow_small_blocks|--signal slow --block-size 100 --ncvolume 0.7 --ipvolume 0.2"
        "noise_file|--block-size 64 --cc1 500:20")
    set(names "")
    foreach(case IN LISTS cases)
        string(FIND "${case}" "|" bar)
        string(SUBSTRING "${case}" 0 ${bar} name)
        math(EXPR bar "${bar} + 1")
        string(SUBSTRING "${case}" ${bar} -1 args)
        set(input "")
        if(name STREQUAL "noise_file")
            set(input -D INPUT_SIGNAL=noise)
        endif()
        add_test(NAME ${prefix}.${name}
                 COMMAND ${guard} ${CMAKE_COMMAND} -D RENDER=$<TARGET_FILE:tarvel-render>
                         "-DPLUGIN_ARGS=${ARGN}" -D WORK_DIR=${work_dir} -D NAME=${name}
                         "-DARGS=${args}" ${input}
                         -P ${_tarvel_render_comparison_dir}/compare_render.cmake)
        list(APPEND names ${prefix}.${name})
    endforeach()
    set(TARVEL_RENDER_COMPARISON_TESTS ${names} PARENT_SCOPE)
endfunction()

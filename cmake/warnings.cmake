# Warnings are errors everywhere, on both compilers.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
                    -Woverloaded-virtual -Wdouble-promotion -Werror)

# Warnings are errors in both builds, for our own targets only (not GoogleTest's).
function(tessaline_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
                                             -Wnon-virtual-dtor -Woverloaded-virtual -Werror)
endfunction()

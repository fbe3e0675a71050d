# Every target of the project builds with the same warnings; FOLIVO_WERROR makes them errors.
function(folivo_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(FOLIVO_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

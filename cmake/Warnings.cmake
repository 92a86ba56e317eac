# Warnings on and treated as errors for every target of the project.
function(va_set_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
        -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual -Werror)
    # GCC 12 at -O3 reports overlapping copies inside std::string's own operator+ (a known
    # false -Wrestrict of that release), which would fail every optimised build; it stays a
    # warning there.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-error=restrict)
    endif()
endfunction()

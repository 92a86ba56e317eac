# Cross build for 32-bit Windows (the program's own target) with mingw-w64; the runtime
# is linked statically so the program runs on a bare Windows.
set(VA_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

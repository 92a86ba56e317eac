# What both mingw-w64 toolchains share; VA_MINGW_TRIPLET names the target.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VA_MINGW_TRIPLET})

# The posix thread model: the standard library then has std::mutex and friends (GoogleTest
# needs them); with -static its thread library is linked in as well.
find_program(VA_MINGW_CXX NAMES ${VA_MINGW_TRIPLET}-g++-posix ${VA_MINGW_TRIPLET}-g++ REQUIRED)
find_program(VA_MINGW_CC NAMES ${VA_MINGW_TRIPLET}-gcc-posix ${VA_MINGW_TRIPLET}-gcc REQUIRED)
set(CMAKE_C_COMPILER ${VA_MINGW_CC})
set(CMAKE_CXX_COMPILER ${VA_MINGW_CXX})
set(CMAKE_RC_COMPILER ${VA_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VA_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

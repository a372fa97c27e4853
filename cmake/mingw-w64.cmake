# Cross build for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# The posix thread model gives std::thread and std::mutex; everything is linked statically
# (see the top CMakeLists.txt), so the one astrelle.scr runs with nothing else installed.
# Tests run under Wine (scripts/wine-tests), which ctest uses as the emulator.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ASTRELLE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ASTRELLE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ASTRELLE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ASTRELLE_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ASTRELLE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(ASTRELLE_WINE wine)
if(ASTRELLE_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ASTRELLE_WINE})
endif()

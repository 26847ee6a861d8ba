# Cross build for 32-bit Windows with MinGW-w64 (Debian: g++-mingw-w64-i686).
#
#   cmake -S . -B build/mingw -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
#
# The posix thread model gives the tests and the stand-in std::thread and
# std::mutex; its thread library, the C++ runtime and libgcc are linked
# statically, so the three DLLs and the test programs import nothing but
# system DLLs and each other. Programs run under wine (CMAKE_CROSSCOMPILING_EMULATOR),
# which is how ctest and gtest_discover_tests start them.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(ZUNAI_MINGW_TRIPLE i686-w64-mingw32)

# Prefer the posix thread model; fall back to the default driver.
find_program(ZUNAI_MINGW_CXX NAMES ${ZUNAI_MINGW_TRIPLE}-g++-posix ${ZUNAI_MINGW_TRIPLE}-g++ REQUIRED)
find_program(ZUNAI_MINGW_CC NAMES ${ZUNAI_MINGW_TRIPLE}-gcc-posix ${ZUNAI_MINGW_TRIPLE}-gcc REQUIRED)
set(CMAKE_C_COMPILER ${ZUNAI_MINGW_CC})
set(CMAKE_CXX_COMPILER ${ZUNAI_MINGW_CXX})
set(CMAKE_RC_COMPILER ${ZUNAI_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZUNAI_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# SSE arithmetic, so that float is computed in single precision as on x86-64
# rather than in the x87 unit's extended precision.
# The C99 printf family of the MinGW runtime (linked statically) instead of
# msvcrt's: the same conversions (%zu, %lld) and the same text for every
# value (infinities, exponents) as the native build.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -D__USE_MINGW_ANSI_STDIO=1")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -D__USE_MINGW_ANSI_STDIO=1")

# -static makes every -l library (libstdc++, libgcc, libwinpthread) static;
# system libraries stay import libraries, and the project's own DLLs are
# linked by the full path of their import libraries.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(ZUNAI_WINE NAMES wine)
if(ZUNAI_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZUNAI_WINE})
endif()

# Every DLL beside every program, so that wine (and gtest_discover_tests
# through it) finds the three libraries without a search path.
if(NOT DEFINED CMAKE_RUNTIME_OUTPUT_DIRECTORY)
  set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endif()

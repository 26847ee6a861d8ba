# Cross build for 32-bit Windows with the MSVC C++ ABI (decorated names and
# class layouts as Microsoft's compiler makes them), from Debian's clang and
# lld, without any Microsoft SDK:
#
#   cmake -S . -B build/msvc -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/clang-msvc-i686.cmake
#
# Builds zunAIEngine.dll only. The C and C++ library headers the module uses
# are the thin ones of platform/msvc-abi/include; what it imports from the
# host's zunCoreEngine.dll and zunRenderEngine.dll and from the system comes
# through import libraries made from platform/msvc-abi/imports/*.def.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

find_program(ZUNAI_CLANGXX NAMES clang++ REQUIRED)
find_program(ZUNAI_LLD_LINK NAMES lld-link REQUIRED)
find_program(ZUNAI_DLLTOOL NAMES llvm-dlltool REQUIRED)
set(CMAKE_CXX_COMPILER ${ZUNAI_CLANGXX})
set(CMAKE_CXX_COMPILER_TARGET i686-pc-windows-msvc)
set(CMAKE_LINKER ${ZUNAI_LLD_LINK})
# No C runtime to link a test program against.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

set(ZUNAI_MSVC_ABI ON)
set(ZUNAI_MSVC_PLATFORM ${CMAKE_CURRENT_LIST_DIR}/../platform/msvc-abi)

# SSE2 arithmetic (single precision in single precision), no exceptions, no
# RTTI. (None of the target's library headers: cmake/zunaiMsvcAbi.cmake.)
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -fno-exceptions -fno-rtti")
# lld-link with no default libraries and the module's own entry routine.
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-fuse-ld=lld -nostdlib -Xlinker /nodefaultlib -Xlinker /entry:DllMain")
set(CMAKE_CXX_STANDARD_LIBRARIES "" CACHE STRING "" FORCE)

if(NOT DEFINED CMAKE_RUNTIME_OUTPUT_DIRECTORY)
  set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endif()

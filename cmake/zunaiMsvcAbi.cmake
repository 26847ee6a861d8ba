# The MSVC-ABI build (cmake/clang-msvc-i686.cmake): no stand-in, no tests, no
# tool. The host libraries and the system are reached through import
# libraries made here from definition files of decorated names.
set(ZUNAI_BUILD_TESTS OFF CACHE BOOL "" FORCE)
set(ZUNAI_BUILD_TOOLS OFF CACHE BOOL "" FORCE)
set(ZUNAI_BUILD_BENCHMARKS OFF CACHE BOOL "" FORCE)

# None of the target's C and C++ library headers: the module's own thin ones.
add_compile_options(-nostdinc++ -nostdlibinc -isystem ${ZUNAI_MSVC_PLATFORM}/include)

# zunai_import_library(TARGET DEF [DLLTOOL OPTIONS...]): an imported library
# `TARGET` whose import library is made by llvm-dlltool from DEF.
function(zunai_import_library target def)
  set(lib ${CMAKE_BINARY_DIR}/imports/${target}.lib)
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/imports
    COMMAND ${ZUNAI_DLLTOOL} -m i386 -d ${def} -l ${lib} ${ARGN}
    DEPENDS ${def}
    COMMENT "Import library ${target}.lib")
  add_custom_target(${target}_implib DEPENDS ${lib})
  add_library(${target} SHARED IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES IMPORTED_IMPLIB ${lib} IMPORTED_NO_SONAME ON)
  add_dependencies(${target} ${target}_implib)
endfunction()

foreach(lib zunCoreEngine zunRenderEngine ntdll)
  zunai_import_library(${lib} ${ZUNAI_MSVC_PLATFORM}/imports/${lib}.def)
endforeach()
# The test host's: the system's kernel32.dll (its __stdcall names carry their
# @N decoration in the program, not in the DLL: -k) and the stand-in's C
# interface (standin/msvc-abi/).
zunai_import_library(kernel32 ${ZUNAI_MSVC_PLATFORM}/imports/kernel32.def -k)
zunai_import_library(zunStandInBridge ${ZUNAI_ROOT}/standin/msvc-abi/zunStandInBridge.def)
add_library(zunAI::zunCoreEngine ALIAS zunCoreEngine)
add_library(zunAI::zunRenderEngine ALIAS zunRenderEngine)

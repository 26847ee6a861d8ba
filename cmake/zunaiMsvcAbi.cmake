# The MSVC-ABI build (cmake/clang-msvc-i686.cmake): no stand-in, no tests, no
# tool. The host libraries and the system are reached through import
# libraries made here from definition files of decorated names.
set(ZUNAI_BUILD_TESTS OFF CACHE BOOL "" FORCE)
set(ZUNAI_BUILD_TOOLS OFF CACHE BOOL "" FORCE)
set(ZUNAI_BUILD_BENCHMARKS OFF CACHE BOOL "" FORCE)

# None of the target's C and C++ library headers: the module's own thin ones.
add_compile_options(-nostdinc++ -nostdlibinc -isystem ${ZUNAI_MSVC_PLATFORM}/include)

# zunai_import_library(TARGET DEF): an imported library `TARGET` whose import
# library is made by llvm-dlltool from DEF.
function(zunai_import_library target def)
  set(lib ${CMAKE_BINARY_DIR}/imports/${target}.lib)
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/imports
    COMMAND ${ZUNAI_DLLTOOL} -m i386 -d ${def} -l ${lib}
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
add_library(zunAI::zunCoreEngine ALIAS zunCoreEngine)
add_library(zunAI::zunRenderEngine ALIAS zunRenderEngine)

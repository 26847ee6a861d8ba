# Floating point of the module and of the stand-in's libraries, whose vector
# operations and ray test the module's arithmetic goes through: every float
# operation rounded on its own, in the order the source writes it, whatever
# flags the parent project builds with. No fused multiply-add (contraction),
# no fast-math, no reassociation.
#
# The options are the target's own, so they come after CMAKE_CXX_FLAGS and the
# parent's add_compile_options() on the command line and win over them. A host
# that adds fast-math after them (target or source properties) is stopped by
# the check in host/zunExport.h. Tools and tests build as they like.
function(zunai_strict_float target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /fp:precise)
  elseif(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    # -fno-fast-math first: with Clang it puts contraction back to its default.
    target_compile_options(${target} PRIVATE
      -fno-fast-math -fno-unsafe-math-optimizations -fno-associative-math
      -fno-reciprocal-math -fno-finite-math-only -ffp-contract=off)
  endif()
endfunction()

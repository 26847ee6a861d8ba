#ifndef ZUN_EXPORT_H
#define ZUN_EXPORT_H

// Export and import of the three libraries: the module (zunAIEngine) and the
// host's core (zunCoreEngine) and render (zunRenderEngine) libraries. Each
// library defines its BUILDING macro while it is compiled; everyone else
// imports.
#if defined(_WIN32)
#  define ZUN_DLL_EXPORT __declspec(dllexport)
#  define ZUN_DLL_IMPORT __declspec(dllimport)
#else
#  define ZUN_DLL_EXPORT __attribute__((visibility("default")))
#  define ZUN_DLL_IMPORT __attribute__((visibility("default")))
#endif

#if defined(ZUNAI_BUILDING_MODULE)
#  define ZUNAI_API ZUN_DLL_EXPORT
#else
#  define ZUNAI_API ZUN_DLL_IMPORT
#endif

#if defined(ZUNCORE_BUILDING_LIBRARY)
#  define ZUNCORE_API ZUN_DLL_EXPORT
#else
#  define ZUNCORE_API ZUN_DLL_IMPORT
#endif

#if defined(ZUNRENDER_BUILDING_LIBRARY)
#  define ZUNRENDER_API ZUN_DLL_EXPORT
#else
#  define ZUNRENDER_API ZUN_DLL_IMPORT
#endif

// The three libraries round every float operation on its own, in source
// order (cmake/zunaiStrictFloat.cmake): the same rays and routes on every
// compiler and machine. Fast-math forced onto their sources would change
// them silently; refuse it.
#if defined(ZUNAI_BUILDING_MODULE) || defined(ZUNCORE_BUILDING_LIBRARY) || defined(ZUNRENDER_BUILDING_LIBRARY)
#  if defined(__FAST_MATH__) || (defined(__FINITE_MATH_ONLY__) && __FINITE_MATH_ONLY__) || defined(_M_FP_FAST)
#    error "zunAIEngine must not be built with fast-math (-ffast-math, -Ofast, -ffinite-math-only, /fp:fast): its rays and routes would differ from every other build"
#  endif
#endif

#endif

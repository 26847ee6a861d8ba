#ifndef ZUN_MODULE_MEMORY_H
#define ZUN_MODULE_MEMORY_H

#include <cstddef>

#include "host/zunExport.h"

// Every byte of the module comes from the host core's allocator and goes back
// to it. zunModuleNew answers the core's result unchanged, null included.
ZUNAI_API void* zunModuleNew(std::size_t size) noexcept;
ZUNAI_API void zunModuleDelete(void* block) noexcept;

// Class-level allocation for the module's classes (and classes a host derives
// from them). The allocation function is noexcept, so a null block from the
// core makes `new T(...)` yield null without running the constructor.
#define ZUN_MODULE_ALLOCATED                                                          \
    static void* operator new(std::size_t size) noexcept { return zunModuleNew(size); } \
    static void operator delete(void* block) noexcept { zunModuleDelete(block); }     \
    static void* operator new[](std::size_t) = delete;                                \
    static void operator delete[](void*) = delete;

#endif

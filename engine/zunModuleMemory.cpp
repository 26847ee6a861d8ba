#include "engine/zunModuleMemory.h"

#include "host/zunCore.h"

void* zunModuleNew(std::size_t size) noexcept
{
    // The core takes 32-bit sizes; nothing the module allocates comes near that.
    if (static_cast<unsigned int>(size) != size)
        return nullptr;
    return theCore.coreNew(static_cast<unsigned int>(size));
}

void zunModuleDelete(void* block) noexcept
{
    if (block)
        theCore.coreDelete(block);
}

#include "memory/zunAIMemory.h"

zunAIMemory::zunAIMemory() : type(0), priority(0), bindings(0), lastUsed(0.0f), duration(5000.0f) {}

zunAIMemory::~zunAIMemory() {}

int zunAIMemory::vtlRefresh(float time)
{
    lastUsed = time;
    return 0;
}

int zunAIMemory::vtlUpdate(float time)
{
    // Never refreshed (0.0 of either sign): stays whatever the time.
    if (lastUsed == 0.0f)
        return 1;
    // Valid up to and including d == duration; a NaN compares false and stays.
    float elapsed = time - lastUsed;
    if (elapsed > duration)
        return 0;
    return 1;
}

zunAIMemory::zunAIMemory(const zunAIMemory& other)
    : type(other.type),
      priority(other.priority),
      bindings(other.bindings),
      lastUsed(other.lastUsed),
      duration(other.duration)
{
}

zunAIMemory& zunAIMemory::operator=(const zunAIMemory& other)
{
    type = other.type;
    priority = other.priority;
    bindings = other.bindings;
    lastUsed = other.lastUsed;
    duration = other.duration;
    return *this;
}

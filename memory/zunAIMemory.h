#ifndef ZUN_AI_MEMORY_H
#define ZUN_AI_MEMORY_H

#include "engine/zunModuleMemory.h"
#include "host/zunExport.h"

// A timed memory record of an AI character, and the base class of the host's
// own memories: refresh and expiry test are virtual. A memory that was never
// refreshed (lastUsed 0.0) never expires.
class ZUNAI_API zunAIMemory {
public:
    int type;         // kind of memory; written by whoever creates it, read by the searches
    int priority;
    int bindings;     // bit mask; bits are set or added, never cleared one by one
    float lastUsed;   // time of the last refresh; 0.0 = never refreshed
    float duration;   // how long after lastUsed the memory stays valid

    zunAIMemory();
    virtual ~zunAIMemory();

    // lastUsed = time. Answers 0.
    virtual int vtlRefresh(float time);
    // 1 while valid at `time`, 0 once more than `duration` has passed since
    // lastUsed. Changes nothing.
    virtual int vtlUpdate(float time);

    zunAIMemory(const zunAIMemory& other);
    zunAIMemory& operator=(const zunAIMemory& other);

    int getType() { return type; }
    int getPriority() { return priority; }
    void setPriority(int value) { priority = value; }
    void addPriority(int value) { priority += value; }
    int getBindings() { return bindings; }
    void setBindings(int mask) { bindings = mask; }
    void addBindings(int mask) { bindings |= mask; }
    float getDuration() { return duration; }
    void setDuration(float value) { duration = value; }
    void addDuration(float value) { duration = duration + value; }
    float getLastUsed() { return lastUsed; }

    ZUN_MODULE_ALLOCATED
};

#endif

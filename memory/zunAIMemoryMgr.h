#ifndef ZUN_AI_MEMORY_MGR_H
#define ZUN_AI_MEMORY_MGR_H

#include "engine/zunArray.h"
#include "engine/zunList.h"
#include "engine/zunModuleMemory.h"
#include "host/zunExport.h"
#include "memory/zunAIMemory.h"

// The memories of one character, oldest at the head. The manager owns every
// memory handed to addMemory and destroys it through its virtual destructor
// when it expires, on flushAll and at the manager's end; removeMemory hands
// it back alive. A memory must not be listed twice, here or elsewhere.
//
// Walks (updateMemory, the searches, the count) stop at the first null item;
// flushAll and the destructor pass null items over; haveMemory and
// removeMemory compare every node.
class ZUNAI_API zunAIMemoryMgr {
public:
    zunList<zunAIMemory> memories;

    zunAIMemoryMgr();
    virtual ~zunAIMemoryMgr();

    // Copies share the list's nodes and memories (header copy, nothing
    // duplicated, nothing released): a caller who copies must let only one
    // manager change or release the list, and call memories.forgetNodes() on
    // the other before it ends.
    zunAIMemoryMgr(const zunAIMemoryMgr& other);
    zunAIMemoryMgr& operator=(const zunAIMemoryMgr& other);

    // Takes ownership; null is appended like any pointer. When no node can be
    // allocated the memory is destroyed instead of leaked, the list unchanged.
    void addMemory(zunAIMemory* memory);
    // Unlinks the first node holding `memory`; the memory belongs to the caller again.
    void removeMemory(zunAIMemory* memory);
    int haveMemory(zunAIMemory* memory);
    // Destroys every listed memory and releases every node.
    void flushAll();
    // Destroys the memories whose vtlUpdate(time) answers 0. Answers 1.
    int updateMemory(float time);

    // Appends the memories of `type` to `found` (which is never cleared), at
    // most maxCount of them; the count is tested after each append, so a
    // maxCount of 0 or less still yields the first match. The second form
    // takes only memories with lastUsed >= time.
    void findMemoryArray(zunArray<zunAIMemory>& found, int type, int maxCount);
    void findMemoryArray(zunArray<zunAIMemory>& found, int type, float time, int maxCount);
    int getNumMemoriesType(int type);

    ZUN_MODULE_ALLOCATED
};

#endif

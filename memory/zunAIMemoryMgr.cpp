#include "memory/zunAIMemoryMgr.h"

zunAIMemoryMgr::zunAIMemoryMgr() {}

zunAIMemoryMgr::~zunAIMemoryMgr() { flushAll(); }

zunAIMemoryMgr::zunAIMemoryMgr(const zunAIMemoryMgr& other) { memories.shareNodesOf(other.memories); }

zunAIMemoryMgr& zunAIMemoryMgr::operator=(const zunAIMemoryMgr& other)
{
    memories.shareNodesOf(other.memories);
    return *this;
}

void zunAIMemoryMgr::addMemory(zunAIMemory* memory)
{
    if (!memories.append(memory))
        delete memory;
}

void zunAIMemoryMgr::removeMemory(zunAIMemory* memory) { memories.remove(memory); }

int zunAIMemoryMgr::haveMemory(zunAIMemory* memory) { return memories.contains(memory); }

void zunAIMemoryMgr::flushAll() { memories.deleteAll(); }

int zunAIMemoryMgr::updateMemory(float time)
{
    memories.deleteUnless([time](zunAIMemory* memory) { return memory->vtlUpdate(time); });
    return 1;
}

void zunAIMemoryMgr::findMemoryArray(zunArray<zunAIMemory>& found, int type, int maxCount)
{
    int n = 0;
    for (zunList<zunAIMemory>::Node* node = memories.head; node && node->item; node = node->next) {
        if (node->item->type != type)
            continue;
        found.add(node->item);
        if (++n >= maxCount)
            return;
    }
}

void zunAIMemoryMgr::findMemoryArray(zunArray<zunAIMemory>& found, int type, float time, int maxCount)
{
    int n = 0;
    for (zunList<zunAIMemory>::Node* node = memories.head; node && node->item; node = node->next) {
        zunAIMemory* memory = node->item;
        // A NaN in either time compares false and is passed over.
        if (memory->type != type || !(memory->lastUsed >= time))
            continue;
        found.add(memory);
        if (++n >= maxCount)
            return;
    }
}

int zunAIMemoryMgr::getNumMemoriesType(int type)
{
    int n = 0;
    memories.walk([&n, type](zunAIMemory* memory) {
        if (memory->type == type)
            ++n;
    });
    return n;
}

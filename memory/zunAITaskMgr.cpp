#include "memory/zunAITaskMgr.h"

static_assert(zunAITaskRndScale == (1.0f + 1.0f / 65536.0f) / 65536.0f, "rnd scale must have bits 0x37800080");

zunAITaskMgr::zunAITaskMgr() : rndSeed(19342), rndMul(4783) {}

zunAITaskMgr::~zunAITaskMgr() { tasks.deleteAll(); }

zunAITaskMgr::zunAITaskMgr(const zunAITaskMgr& other) : rndSeed(other.rndSeed), rndMul(other.rndMul)
{
    tasks.shareNodesOf(other.tasks);
}

zunAITaskMgr& zunAITaskMgr::operator=(const zunAITaskMgr& other)
{
    tasks.shareNodesOf(other.tasks);
    rndSeed = other.rndSeed;
    rndMul = other.rndMul;
    return *this;
}

void zunAITaskMgr::addTask(zunAITask* task)
{
    if (!tasks.append(task))
        delete task;
}

void zunAITaskMgr::removeTask(zunAITask* task) { tasks.remove(task); }

int zunAITaskMgr::haveTask(int type)
{
    for (zunList<zunAITask>::Node* node = tasks.head; node && node->item; node = node->next)
        if (node->item->type == type)
            return 1;
    return 0;
}

int zunAITaskMgr::updateTasks(float time)
{
    tasks.deleteUnless([time](zunAITask* task) { return task->vtlUpdate(time); });
    return 1;
}

int zunAITaskMgr::resetTasks()
{
    tasks.deleteUnless([](zunAITask* task) { return task->vtlReset(); });
    return 1;
}

float zunAITaskMgr::rnd()
{
    // 32-bit products that wrap; unsigned so that the wrap is defined. Only
    // the low 16 bits are kept, so the results equal the signed ones.
    unsigned int seed = (static_cast<unsigned int>(rndMul) * static_cast<unsigned int>(rndSeed)) & 0xFFFFu;
    rndSeed = static_cast<int>(seed);
    unsigned int v = (seed * seed) & 0xFFFFu;
    return static_cast<float>(v) * zunAITaskRndScale;
}

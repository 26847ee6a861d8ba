#ifndef ZUN_AI_TASK_MGR_H
#define ZUN_AI_TASK_MGR_H

#include "engine/zunList.h"
#include "engine/zunModuleMemory.h"
#include "host/zunExport.h"
#include "memory/zunAITask.h"

// Scale of the task manager's rnd(): the float nearest to 1/65535 (bits 0x37800080).
constexpr float zunAITaskRndScale = 0x1.000100p-16f;

// The tasks of one character, oldest at the head, and a 16-bit random
// generator of its own. The manager owns every task handed to addTask and
// destroys it through its virtual destructor when its update or reset answers
// 0 and at the manager's end; removeTask hands it back alive. A task must not
// be listed twice, here or elsewhere.
//
// updateTasks, resetTasks and haveTask stop at the first null item; the
// destructor passes null items over; removeTask compares every node.
class ZUNAI_API zunAITaskMgr {
public:
    zunList<zunAITask> tasks;
    int rndSeed;
    int rndMul;

    zunAITaskMgr();
    virtual ~zunAITaskMgr();

    // Copies share the list's nodes and tasks (header copy, nothing
    // duplicated, nothing released) and take the generator's state: a caller
    // who copies must let only one manager change or release the list, and
    // call tasks.forgetNodes() on the other before it ends.
    zunAITaskMgr(const zunAITaskMgr& other);
    zunAITaskMgr& operator=(const zunAITaskMgr& other);

    // Takes ownership; the pointer is not tested. When no node can be
    // allocated the task is destroyed instead of leaked, the list unchanged.
    void addTask(zunAITask* task);
    // Unlinks the first node holding `task`; the task belongs to the caller again.
    void removeTask(zunAITask* task);
    int haveTask(int type);
    // Call every task's vtlUpdate(time) / vtlReset() once, in list order, and
    // destroy those that answer 0; the rest keep their order. Answer 1.
    int updateTasks(float time);
    int resetTasks();

    // The next number of the generator, strictly between 0.0 and 1.0 from the
    // constructor's state.
    float rnd();

    ZUN_MODULE_ALLOCATED
};

#endif

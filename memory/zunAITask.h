#ifndef ZUN_AI_TASK_H
#define ZUN_AI_TASK_H

#include "engine/zunModuleMemory.h"
#include "host/zunExport.h"

// A unit of behaviour carried out over time. Only the host's derived tasks
// exist: they give reset and update their meaning. Both answer 0 when the task
// is finished and is to be dropped by its manager, nonzero while it goes on.
class ZUNAI_API zunAITask {
public:
    int type;        // kind of task; written by the derived task, read by haveTask
    int taskParam;   // for derived tasks; the module only copies it

    zunAITask();
    virtual ~zunAITask();
    virtual int vtlReset() = 0;
    virtual int vtlUpdate(float time) = 0;

    zunAITask(const zunAITask& other);
    zunAITask& operator=(const zunAITask& other);

    int getType() { return type; }

    ZUN_MODULE_ALLOCATED
};

#endif

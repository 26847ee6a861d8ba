#include "memory/zunAITask.h"

zunAITask::zunAITask() : type(0), taskParam(2) {}

zunAITask::~zunAITask() {}

zunAITask::zunAITask(const zunAITask& other) : type(other.type), taskParam(other.taskParam) {}

zunAITask& zunAITask::operator=(const zunAITask& other)
{
    type = other.type;
    taskParam = other.taskParam;
    return *this;
}

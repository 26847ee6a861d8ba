#ifndef ZUN_CORE_H
#define ZUN_CORE_H

#include "host/zunExport.h"

// The engine log. The host's core object is the log as well.
class ZUNCORE_API zunLog {
public:
    void dump(char* text);                 // one complete message, without line end
};

// The host's core object: the allocator every module object lives in.
class ZUNCORE_API zunCore : public zunLog {
public:
    void* coreNew(unsigned int size);      // may answer null
    void coreDelete(void* block);          // null is ignored
};

extern ZUNCORE_API zunCore theCore;

#endif

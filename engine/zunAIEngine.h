#ifndef ZUN_AI_ENGINE_H
#define ZUN_AI_ENGINE_H

#include "host/zunExport.h"

// The module's engine interface: four operations that do nothing of
// substance. The object is its table of virtual operations alone.
class ZUNAI_API zunAIEngine {
public:
    virtual int vtlInit();
    virtual int vtlTerm();
    virtual float vtlGetFloat();
    virtual int vtlUpdateConfig();
};

// The one engine object, alive for as long as the library is loaded.
extern ZUNAI_API zunAIEngine theAIEngine;

// The host's way in: always the address of theAIEngine; creates nothing.
extern "C" ZUNAI_API zunAIEngine* zunCreateEngine();

#endif

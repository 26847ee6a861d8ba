#ifndef ZUN_AI_H
#define ZUN_AI_H

// zunAIEngine: the AI module of the game engine. This is the one header a
// host includes: every exported class, and the host declarations they use.

// What the module needs of the host's core and render libraries.
#include "host/cVector4.h"
#include "host/zunCore.h"
#include "host/zunRender.h"
#include "host/zunScript.h"

// Engine object, factory, module memory and containers.
#include "engine/zunAIEngine.h"
#include "engine/zunArray.h"
#include "engine/zunList.h"
#include "engine/zunModuleMemory.h"

// Marks, paths and the path manager (database, editing, drawing, routes).
#include "paths/zunAIMark.h"
#include "paths/zunAIPath.h"
#include "paths/zunAIPathColours.h"
#include "paths/zunAIPathMgr.h"
#include "route/zunAIRouteObserver.h"

// Memories, tasks and the video sensor.
#include "memory/zunAIMemory.h"
#include "memory/zunAIMemoryMgr.h"
#include "memory/zunAITask.h"
#include "memory/zunAITaskMgr.h"
#include "video/zunAIVideo.h"

#endif

// Layouts of the exported classes on 32-bit Windows, pinned for both C++
// ABIs a game host may be built with: a host declares these classes itself
// and reads their fields at these offsets. Microsoft's rules pad the virtual
// table pointer of a class with 8-byte members (zunAIVideo's int64 samples)
// to 8 bytes, MinGW's do not: zunAIVideo's fields after it sit 4 bytes
// further on under MSVC. Checked at compile time; elsewhere nothing.
#include <cstddef>

#include "zunAI.h"

#if defined(_WIN32) && !defined(_WIN64)

#if defined(__clang__)
#pragma clang diagnostic ignored "-Winvalid-offsetof"
#elif defined(__GNUC__)
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
#endif

#define ZUN_SIZE(type, bytes) static_assert(sizeof(type) == (bytes), "size of " #type)
#define ZUN_OFFSET(type, field, bytes) static_assert(offsetof(type, field) == (bytes), "offset of " #type "::" #field)

#if defined(_MSC_VER)
// The MSVC ABI.
ZUN_SIZE(cVector4, 16);
ZUN_OFFSET(cVector4, x, 0);
ZUN_OFFSET(cVector4, y, 4);
ZUN_OFFSET(cVector4, z, 8);
ZUN_OFFSET(cVector4, w, 12);
ZUN_SIZE(zunAIEngine, 4);
ZUN_SIZE(zunAIMark, 16);
ZUN_OFFSET(zunAIMark, position, 0);
ZUN_SIZE(zunAIPath, 24);
ZUN_OFFSET(zunAIPath, curMark, 4);
ZUN_OFFSET(zunAIPath, active, 8);
ZUN_OFFSET(zunAIPath, marks, 12);
ZUN_SIZE(zunAIPathMgr, 40);
ZUN_OFFSET(zunAIPathMgr, paths, 0);
ZUN_OFFSET(zunAIPathMgr, activePaths, 12);
ZUN_OFFSET(zunAIPathMgr, newPath, 24);
ZUN_OFFSET(zunAIPathMgr, selectedPath, 28);
ZUN_OFFSET(zunAIPathMgr, rndSeed, 32);
ZUN_OFFSET(zunAIPathMgr, rndMul, 36);
ZUN_SIZE(zunAIPathMgr::pathInfo, 16);
ZUN_OFFSET(zunAIPathMgr::pathInfo, firstJoinDist, 0);
ZUN_OFFSET(zunAIPathMgr::pathInfo, joinDist, 4);
ZUN_OFFSET(zunAIPathMgr::pathInfo, minDot, 8);
ZUN_OFFSET(zunAIPathMgr::pathInfo, maxHeightDiff, 12);
ZUN_SIZE(zunAIMemory, 24);
ZUN_OFFSET(zunAIMemory, type, 4);
ZUN_OFFSET(zunAIMemory, priority, 8);
ZUN_OFFSET(zunAIMemory, bindings, 12);
ZUN_OFFSET(zunAIMemory, lastUsed, 16);
ZUN_OFFSET(zunAIMemory, duration, 20);
ZUN_SIZE(zunAIMemoryMgr, 16);
ZUN_OFFSET(zunAIMemoryMgr, memories, 4);
ZUN_SIZE(zunAITask, 12);
ZUN_OFFSET(zunAITask, type, 4);
ZUN_OFFSET(zunAITask, taskParam, 8);
ZUN_SIZE(zunAITaskMgr, 24);
ZUN_OFFSET(zunAITaskMgr, tasks, 4);
ZUN_OFFSET(zunAITaskMgr, rndSeed, 16);
ZUN_OFFSET(zunAITaskMgr, rndMul, 20);
ZUN_SIZE(zunAIVideo, 720);
ZUN_OFFSET(zunAIVideo, lastRays, 8);
ZUN_OFFSET(zunAIVideo, lastHits, 12);
ZUN_OFFSET(zunAIVideo, meanDistance, 16);
ZUN_OFFSET(zunAIVideo, hitPoints, 20);
ZUN_OFFSET(zunAIVideo, numRays, 532);
ZUN_OFFSET(zunAIVideo, startAngle, 536);
ZUN_OFFSET(zunAIVideo, spaceFirst, 540);
ZUN_OFFSET(zunAIVideo, spaceNext, 544);
ZUN_OFFSET(zunAIVideo, spaceCount, 548);
ZUN_OFFSET(zunAIVideo, spaceSum, 552);
ZUN_OFFSET(zunAIVideo, spaceSamples, 560);
ZUN_SIZE(zunAIRouteObserver, 4);
#else
// The MinGW ABI.
ZUN_SIZE(cVector4, 16);
ZUN_OFFSET(cVector4, x, 0);
ZUN_OFFSET(cVector4, y, 4);
ZUN_OFFSET(cVector4, z, 8);
ZUN_OFFSET(cVector4, w, 12);
ZUN_SIZE(zunAIEngine, 4);
ZUN_SIZE(zunAIMark, 16);
ZUN_OFFSET(zunAIMark, position, 0);
ZUN_SIZE(zunAIPath, 24);
ZUN_OFFSET(zunAIPath, curMark, 4);
ZUN_OFFSET(zunAIPath, active, 8);
ZUN_OFFSET(zunAIPath, marks, 12);
ZUN_SIZE(zunAIPathMgr, 40);
ZUN_OFFSET(zunAIPathMgr, paths, 0);
ZUN_OFFSET(zunAIPathMgr, activePaths, 12);
ZUN_OFFSET(zunAIPathMgr, newPath, 24);
ZUN_OFFSET(zunAIPathMgr, selectedPath, 28);
ZUN_OFFSET(zunAIPathMgr, rndSeed, 32);
ZUN_OFFSET(zunAIPathMgr, rndMul, 36);
ZUN_SIZE(zunAIPathMgr::pathInfo, 16);
ZUN_OFFSET(zunAIPathMgr::pathInfo, firstJoinDist, 0);
ZUN_OFFSET(zunAIPathMgr::pathInfo, joinDist, 4);
ZUN_OFFSET(zunAIPathMgr::pathInfo, minDot, 8);
ZUN_OFFSET(zunAIPathMgr::pathInfo, maxHeightDiff, 12);
ZUN_SIZE(zunAIMemory, 24);
ZUN_OFFSET(zunAIMemory, type, 4);
ZUN_OFFSET(zunAIMemory, priority, 8);
ZUN_OFFSET(zunAIMemory, bindings, 12);
ZUN_OFFSET(zunAIMemory, lastUsed, 16);
ZUN_OFFSET(zunAIMemory, duration, 20);
ZUN_SIZE(zunAIMemoryMgr, 16);
ZUN_OFFSET(zunAIMemoryMgr, memories, 4);
ZUN_SIZE(zunAITask, 12);
ZUN_OFFSET(zunAITask, type, 4);
ZUN_OFFSET(zunAITask, taskParam, 8);
ZUN_SIZE(zunAITaskMgr, 24);
ZUN_OFFSET(zunAITaskMgr, tasks, 4);
ZUN_OFFSET(zunAITaskMgr, rndSeed, 16);
ZUN_OFFSET(zunAITaskMgr, rndMul, 20);
ZUN_SIZE(zunAIVideo, 720);
ZUN_OFFSET(zunAIVideo, lastRays, 4);
ZUN_OFFSET(zunAIVideo, lastHits, 8);
ZUN_OFFSET(zunAIVideo, meanDistance, 12);
ZUN_OFFSET(zunAIVideo, hitPoints, 16);
ZUN_OFFSET(zunAIVideo, numRays, 528);
ZUN_OFFSET(zunAIVideo, startAngle, 532);
ZUN_OFFSET(zunAIVideo, spaceFirst, 536);
ZUN_OFFSET(zunAIVideo, spaceNext, 540);
ZUN_OFFSET(zunAIVideo, spaceCount, 544);
ZUN_OFFSET(zunAIVideo, spaceSum, 552);
ZUN_OFFSET(zunAIVideo, spaceSamples, 560);
ZUN_SIZE(zunAIRouteObserver, 4);
#endif

#endif

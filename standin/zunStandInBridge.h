#ifndef ZUN_STANDIN_BRIDGE_H
#define ZUN_STANDIN_BRIDGE_H

// The stand-in host through a plain C interface, for libraries and programs
// of another C++ ABI than the stand-in's own build: zunStandInBridge.dll is
// the stand-in's core and render logic built by MinGW, and the MSVC-ABI
// zunCoreEngine.dll and zunRenderEngine.dll forward the host's classes to it
// (standin/msvc-abi/). Only C types cross: vectors travel as four floats
// (x y z w), the script as an opaque handle. Both ABIs lay these out alike.
//
// No standard header here: the MSVC-ABI build has none.

#if defined(ZUNBRIDGE_BUILDING_LIBRARY)
#  define ZUNBRIDGE_API extern "C" __declspec(dllexport)
#else
#  define ZUNBRIDGE_API extern "C" __declspec(dllimport)
#endif

// core: allocator, log, script
ZUNBRIDGE_API void* zunBridgeCoreNew(unsigned int size);
ZUNBRIDGE_API void zunBridgeCoreDelete(void* block);
ZUNBRIDGE_API void zunBridgeLogDump(char* text);
ZUNBRIDGE_API void* zunBridgeScriptNew(char* title);          // null when out of memory
ZUNBRIDGE_API void zunBridgeScriptDelete(void* script);
ZUNBRIDGE_API int zunBridgeScriptLoad(void* script, char* path);
ZUNBRIDGE_API int zunBridgeScriptEval(void* script, char* name, float* value, int mode);
ZUNBRIDGE_API int zunBridgeScriptAdd(void* script, char* text);
ZUNBRIDGE_API int zunBridgeScriptSave(void* script, char* path, int mode);

// render: ray test and debug output
ZUNBRIDGE_API int zunBridgeHitScan(float (*origin)[4], float (*direction)[4], float length, float (*hit)[4],
                                   unsigned long* a, unsigned long* b, unsigned long* c, int mode);
ZUNBRIDGE_API void zunBridgeDrawWorldLine(const float* from, const float* to, unsigned long colour);
ZUNBRIDGE_API void zunBridgeAddSystemText(const char* text, int size, unsigned long colour);

// controls: those of standin/zunStandIn.h that the golden scenes use
struct zunBridgeRay {
    float origin[4], direction[4];
    float length;
    int result;
    float hit[4];
};
// A ray test hook: nonzero and x, y, z of `hit` filled on a hit.
typedef int (*zunBridgeHook)(const float* origin, const float* direction, float length, float* hit);

ZUNBRIDGE_API void zunBridgeReset();
ZUNBRIDGE_API void zunBridgeAddBox(const float* min, const float* max);
ZUNBRIDGE_API void zunBridgeAddTriangle(const float* a, const float* b, const float* c);
ZUNBRIDGE_API int zunBridgeLoadLevel(const char* objPath);   // 0 when unreadable or malformed
ZUNBRIDGE_API void zunBridgeSetHook(zunBridgeHook hook);     // null: the level again
ZUNBRIDGE_API void zunBridgeRecordRays(int on);
ZUNBRIDGE_API int zunBridgeRecordedRays();
ZUNBRIDGE_API void zunBridgeGetRay(int index, zunBridgeRay* ray);
struct zunBridgeLine {
    float from[4], to[4];
    unsigned long colour;
};
ZUNBRIDGE_API int zunBridgeDrawnLines();
ZUNBRIDGE_API void zunBridgeGetLine(int index, zunBridgeLine* line);
ZUNBRIDGE_API void zunBridgeClearCapture();                  // rays and lines

#endif

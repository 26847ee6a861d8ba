#ifndef ZUN_STANDIN_H
#define ZUN_STANDIN_H

// Controls of the stand-in host for tests and tools: the allocator's
// accounting and fault injection, the engine log, the level that the ray
// test casts against, and what the module drew and cast.

#include <functional>
#include <string>
#include <vector>

#include "host/cVector4.h"
#include "host/zunExport.h"

namespace zunStandIn {
// everything below back to its start state: empty level, no hook, nothing captured, no failures, empty log
ZUNRENDER_API void reset();

// core: allocator
struct AllocStats { long long liveBlocks, liveBytes, allocations, failures; };
ZUNCORE_API AllocStats allocStats();
ZUNCORE_API void failAllocations(int skip, int count);   // after `skip` more successes, the next `count` fail (count < 0: all); then success again
ZUNCORE_API void stopFailing();

// core: engine log (every dump, in order; also echoed to stderr when ZUNAI_LOG=stderr)
ZUNCORE_API const std::vector<std::string>& log();
ZUNCORE_API void clearLog();

// render: the level that zunHitScan casts against (triangles, both sides hit)
ZUNRENDER_API void clearLevel();
ZUNRENDER_API void addTriangle(const cVector4& a, const cVector4& b, const cVector4& c);
ZUNRENDER_API void addBox(const cVector4& min, const cVector4& max);
ZUNRENDER_API bool loadLevel(const char* objPath);          // Wavefront OBJ, z up; false, level unchanged, on an unreadable or malformed file
ZUNRENDER_API int triangleCount();
// The level replaced at once by `count` triangles of nine floats each (x y z
// of three corners, in order); the bulk path of a tool's level import.
ZUNRENDER_API void setLevel(const float* corners, int count);

// render: replace the ray test; an empty function restores the level's
using HitScan = std::function<int(const cVector4& origin, const cVector4& direction, float length, cVector4& hit)>;
ZUNRENDER_API void setHitScan(HitScan scan);

// render: what the module did
struct Ray  { cVector4 origin, direction; float length; int result; cVector4 hit; };
struct Line { cVector4 from, to; unsigned long colour; };
struct Text { std::string text; int size; unsigned long colour; };
ZUNRENDER_API long long rayCount();                         // rays cast since the last reset or clearCapture
ZUNRENDER_API void recordRays(bool on);                     // keep each Ray (off by default; benchmarks leave it off)
ZUNRENDER_API const std::vector<Ray>& rays();
ZUNRENDER_API const std::vector<Line>& lines();
ZUNRENDER_API const std::vector<Text>& texts();
ZUNRENDER_API void clearCapture();                          // rays, rayCount, lines and texts
}

#endif

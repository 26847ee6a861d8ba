#ifndef ZUN_ROUTE_CAST_H
#define ZUN_ROUTE_CAST_H

#include "host/cVector4.h"
#include "host/zunRender.h"

// One ray of route finding through the host's ray test: from `origin` along
// `direction` for `length` units, mode 0. Nonzero on a hit, with the point in
// x, y, z of `hit` (its w preset to 1). The host's three further results are
// never read. The ray test only reads `origin` and `direction`, so they go to
// it where they are: a copy of a vector just computed would wait on the
// stores that wrote it. Internal to the module.
inline int zunCastRay(const cVector4& origin, const cVector4& direction, float length, cVector4& hit)
{
    hit.w = 1.0f;
    unsigned long a = 0;
    unsigned long b = 0;
    unsigned long c = 0;
    return zunHitScan(reinterpret_cast<float(*)[4]>(const_cast<cVector4*>(&origin)),
                      reinterpret_cast<float(*)[4]>(const_cast<cVector4*>(&direction)), length,
                      reinterpret_cast<float(*)[4]>(&hit), &a, b, c, 0);
}

// The per-ray steps of the probes' loops, done in place component by
// component as the host's operators do them, so that a ray costs no call into
// the host library beyond the ray test and the length:
// `v` back to (0, 0, 0, 1), as a freshly constructed vector.
inline void zunClear(cVector4& v)
{
    v.x = 0.0f;
    v.y = 0.0f;
    v.z = 0.0f;
    v.w = 1.0f;
}

// v = v + step.
inline void zunStep(cVector4& v, const cVector4& step)
{
    v.x = v.x + step.x;
    v.y = v.y + step.y;
    v.z = v.z + step.z;
    v.w = 1.0f;
}

// (to - from).len().
inline float zunDistance(const cVector4& to, const cVector4& from)
{
    cVector4 d = to;
    d.x = to.x - from.x;
    d.y = to.y - from.y;
    d.z = to.z - from.z;
    d.w = 1.0f;
    return d.len();
}

// Dot product over x, y and z.
inline float zunDot(const cVector4& a, const cVector4& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

#endif

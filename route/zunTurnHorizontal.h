#ifndef ZUN_TURN_HORIZONTAL_H
#define ZUN_TURN_HORIZONTAL_H

#include <cmath>

#include "engine/zunSinCos.h"
#include "engine/zunVector.h"
#include "host/cVector4.h"

// The cosine and sine of one turning angle, single precision. A turn by +0
// (every module caller of the grid probe asks for it) takes cos 0 = 1 and
// sin 0 = 0 without computing them.
struct zunTurn {
    float c;
    float s;

    zunTurn() : c(1.0f), s(0.0f) {}

    explicit zunTurn(float a)
    {
        if (a == 0.0f && !std::signbit(a)) {
            c = 1.0f;
            s = 0.0f;
        } else {
            zunSinCos(a, s, c);
        }
    }
};

// The one horizontal turn of route finding: a positive angle turns from +x
// toward -y, so (1, 0, 0) turned by pi/2 is (0, -1, 0). z is kept, w is 1.
// Internal to the module.
inline cVector4 turnHorizontal(const cVector4& v, const zunTurn& t)
{
    return zunVector(v.x * t.c + v.y * t.s, v.y * t.c - v.x * t.s, v.z);
}

inline cVector4 turnHorizontal(const cVector4& v, float a)
{
    return turnHorizontal(v, zunTurn(a));
}

#endif

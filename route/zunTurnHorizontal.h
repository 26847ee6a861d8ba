#ifndef ZUN_TURN_HORIZONTAL_H
#define ZUN_TURN_HORIZONTAL_H

#include <cmath>

#include "host/cVector4.h"

// The one horizontal turn of route finding: a positive angle turns from +x
// toward -y, so (1, 0, 0) turned by pi/2 is (0, -1, 0). z is kept, w is 1.
// Single-precision trigonometry. Internal to the module.
inline cVector4 turnHorizontal(const cVector4& v, float a)
{
    const float c = std::cos(a);
    const float s = std::sin(a);
    return cVector4(v.x * c + v.y * s, v.y * c - v.x * s, v.z, 1.0f);
}

#endif

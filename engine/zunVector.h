#ifndef ZUN_VECTOR_H
#define ZUN_VECTOR_H

#include "host/cVector4.h"

// Every point and direction the module builds from its components carries
// w = 1. The host's library gives only cVector4(x, y, z), and what that puts
// in w is the library's own affair, so w is set here after it.
// Internal to the module.
inline cVector4 zunVector(float x, float y, float z)
{
    cVector4 v(x, y, z);
    v.w = 1.0f;
    return v;
}

#endif

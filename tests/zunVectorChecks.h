#ifndef ZUN_VECTOR_CHECKS_H
#define ZUN_VECTOR_CHECKS_H

#include <cmath>

#include <gtest/gtest.h>

#include "host/cVector4.h"

// x, y and z of `a` equal those given (exactly, or within `tol`); w when given.
inline ::testing::AssertionResult vecNear(const cVector4& a, float x, float y, float z, float tol)
{
    if (std::fabs(a.x - x) <= tol && std::fabs(a.y - y) <= tol && std::fabs(a.z - z) <= tol)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ") is not within " << tol
                                         << " of (" << x << ", " << y << ", " << z << ")";
}

inline ::testing::AssertionResult vecEq(const cVector4& a, const cVector4& e, bool withW = false)
{
    if (a.x == e.x && a.y == e.y && a.z == e.z && (!withW || a.w == e.w))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ", " << a.w << ") is not ("
                                         << e.x << ", " << e.y << ", " << e.z << ", " << e.w << ")";
}

// A vector with a chosen w: the host's constructor takes x, y and z only.
inline cVector4 vec4(float x, float y, float z, float w)
{
    cVector4 v(x, y, z);
    v.w = w;
    return v;
}

#define EXPECT_VEC_NEAR(actual, x, y, z, tol) EXPECT_TRUE(vecNear((actual), (x), (y), (z), (tol)))
#define EXPECT_VEC_EQ(actual, expected) EXPECT_TRUE(vecEq((actual), (expected)))
// All four components.
#define EXPECT_VEC4_EQ(actual, expected) EXPECT_TRUE(vecEq((actual), (expected), true))

#endif

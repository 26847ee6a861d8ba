// The module's own sine and cosine: the float nearest to the exact value,
// also where a C library's sinf/cosf round the other way, in every quadrant.
#include <cmath>

#include <gtest/gtest.h>

#include "engine/zunSinCos.h"

namespace {

struct Case {
    float angle, sine, cosine;
};

TEST(SinCos, NearestFloatInEveryQuadrant)
{
    const Case cases[] = {
        // Exact values lie within a millionth of a last bit of a halfway point.
        {0x1.0a4032p-10f, 0x1.0a402ep-10f, 0x1.ffffeep-1f},
        {-0x1.0a4032p-10f, -0x1.0a402ep-10f, 0x1.ffffeep-1f},
        {0x1.0da308p-9f, 0x1.0da2fcp-9f, 0x1.ffffb8p-1f},
        {0.0f, 0.0f, 1.0f},
        {1.57079637f, 1.0f, -4.37113883e-08f},        // the float nearest pi/2
        {3.14159274f, -8.74227766e-08f, -1.0f},       // ... pi
        {-1.57079637f, -1.0f, -4.37113883e-08f},
        {4.71238899f, -1.0f, 1.19248806e-08f},
    };
    for (const Case& c : cases) {
        float s = 0.0f, co = 0.0f;
        zunSinCos(c.angle, s, co);
        EXPECT_EQ(s, c.sine) << "sin " << c.angle;
        EXPECT_EQ(co, c.cosine) << "cos " << c.angle;
    }
}

TEST(SinCos, NoPhaseGivesNaN)
{
    for (float angle : {INFINITY, -INFINITY, NAN, 1e16f}) {
        float s = 0.0f, c = 0.0f;
        zunSinCos(angle, s, c);
        EXPECT_TRUE(std::isnan(s) && std::isnan(c)) << angle;
    }
}

} // namespace

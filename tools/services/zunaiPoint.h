#ifndef ZUNAI_POINT_H
#define ZUNAI_POINT_H

#include <cmath>

// A point of the world as the tool handles it: x, y, z with z up.
struct zunaiPoint {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

inline double zunaiDistance(const zunaiPoint& a, const zunaiPoint& b)
{
    const double dx = double(a.x) - b.x, dy = double(a.y) - b.y, dz = double(a.z) - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

inline double zunaiHorizontalDistance(const zunaiPoint& a, const zunaiPoint& b)
{
    const double dx = double(a.x) - b.x, dy = double(a.y) - b.y;
    return std::sqrt(dx * dx + dy * dy);
}

#endif

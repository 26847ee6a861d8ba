// Ground queries through the host's ray test.

#include "zunaiGround.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

#include "host/zunRender.h"
#include "zunaiError.h"

namespace {

// At most this many surfaces are listed below one point.
constexpr int kMostFloors = 256;

// The nearest surface along a vertical ray from z for `length`; its height.
std::optional<float> castVertical(float x, float y, float z, float dz, float length)
{
    float origin[4] = {x, y, z, 1.0f};
    float direction[4] = {0.0f, 0.0f, dz, 1.0f};
    float hit[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    unsigned long first = 0, second = 0, third = 0;
    if (!zunHitScan(&origin, &direction, length, &hit, &first, second, third, 0))
        return std::nullopt;
    return hit[2];
}

// A step past a surface just met, so that the next cast starts beyond it:
// coinciding surfaces (a box standing on the ground, two triangles' seam)
// count once.
float stepPast(float z)
{
    return std::max(0.01f, std::fabs(z) * 1.0e-5f);
}

// Every distinct surface along a vertical ray from z in direction dz (+1, -1)
// up to `limit` (a height beyond the level).
std::vector<float> surfaces(float x, float y, float z, float dz, float limit)
{
    std::vector<float> found;
    for (int i = 0; i < kMostFloors; ++i) {
        const float length = (limit - z) * dz;
        if (!(length > 0.0f))
            break;
        const std::optional<float> hit = castVertical(x, y, z, dz, length);
        if (!hit)
            break;
        found.push_back(*hit);
        z = *hit + dz * stepPast(*hit);
    }
    return found;
}

std::string number(float v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", double(v));
    std::string s = text;
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
    return s == "-0" ? "0" : s;
}

bool readNumber(const char*& at, const char* end, float& value)
{
    const char* start = at;
    if (at < end && *at == '+')
        ++at;
    const auto result = std::from_chars(at, end, value);
    if (result.ec != std::errc() || result.ptr == at || !std::isfinite(value)) {
        at = start;
        return false;
    }
    at = result.ptr;
    return true;
}

} // namespace

std::vector<zunaiFloor> zunaiFloorsBelow(const zunaiLevelMesh& level, float x, float y, std::optional<float> fromZ)
{
    const float top = level.max.z + 1.0f, bottom = level.min.z - 1.0f;
    std::vector<zunaiFloor> floors;
    for (float ground : surfaces(x, y, fromZ ? *fromZ : top, -1.0f, bottom))
        floors.push_back(zunaiFloor{ground, ground + zunaiHoverHeight});
    return floors;
}

bool zunaiReadPointInput(const std::string& text, zunaiPointInput& point)
{
    const char* at = text.data();
    const char* end = at + text.size();
    zunaiPointInput read;
    if (!readNumber(at, end, read.x) || at == end || *at++ != ',' || !readNumber(at, end, read.y))
        return false;
    if (at != end) {
        float z = 0.0f;
        if (*at++ != ',' || !readNumber(at, end, z) || at != end)
            return false;
        read.z = z;
    }
    point = read;
    return true;
}

std::string zunaiFormatPoint(const zunaiPointInput& point)
{
    return number(point.x) + "," + number(point.y) + (point.z ? "," + number(*point.z) : std::string());
}

zunaiPlacedPoint zunaiPlacePoint(const zunaiLevelMesh& level, const zunaiPointInput& point)
{
    zunaiPlacedPoint placed;
    if (!point.z) {
        const std::vector<zunaiFloor> floors = zunaiFloorsBelow(level, point.x, point.y);
        if (floors.empty())
            throw zunaiError{"no ground at " + zunaiFormatPoint(point) + ": a ray cast down there meets nothing"};
        placed.at = zunaiPoint{point.x, point.y, floors.front().mark};
        return placed;
    }
    const float z = *point.z;
    placed.at = zunaiPoint{point.x, point.y, z};
    const std::string shown = "point " + zunaiFormatPoint(point);
    // A surface the point lies on is its floor, not a surface above it.
    const std::size_t above =
        surfaces(point.x, point.y, z + stepPast(z), 1.0f, std::max(level.max.z + 1.0f, z + 1.0f)).size();
    const std::vector<zunaiFloor> floors = zunaiFloorsBelow(level, point.x, point.y, z);
    if (above % 2 == 1)
        placed.warning = shown + " lies inside the level's geometry (" + std::to_string(above) +
                         (above == 1 ? " surface" : " surfaces") + " above it)";
    else if (floors.empty())
        placed.warning = shown + " has no floor below it";
    else if (z - floors.front().ground > zunaiHighAboveFloor || z - floors.front().ground < zunaiLowAboveFloor)
        placed.warning = shown + " is " + number(z - floors.front().ground) + " above the floor below it (at " +
                         number(floors.front().ground) + "); marks stand " + number(zunaiHoverHeight) +
                         " above the ground (X,Y puts a point there)";
    return placed;
}

zunaiProbe zunaiProbePoint(const zunaiLevelMesh& level, const zunaiPointInput& point)
{
    zunaiProbe probe;
    probe.point = point;
    probe.floors = zunaiFloorsBelow(level, point.x, point.y, point.z);
    if (point.z)
        probe.warning = zunaiPlacePoint(level, point).warning;
    return probe;
}

// Terrain probes: rays cast against the level's geometry to find the ground
// under a waypoint and to tell whether the way ahead is blocked.
#include <cmath>

#include "engine/zunVector.h"
#include "paths/zunAIPathMgr.h"
#include "route/zunRouteCast.h"
#include "route/zunTurnHorizontal.h"

namespace {

constexpr float groundRayLength = 30.0f;
constexpr float hoverHeight = 24.7f;       // a mark floats this far above the ground below it
constexpr float hoverTolerance = 5.0f;     // greatest departure from the hover height that is corrected
constexpr float nearestHitMargin = 1000.0f;
constexpr float lateralTurn = -1.57079632679489661923f;   // -pi/2

} // namespace

cVector4 zunAIPathMgr::validateHeight(cVector4& point)
{
    const cVector4 origin = point;
    cVector4 hit;
    if (!zunCastRay(origin, zunVector(0.0f, 0.0f, -1.0f), groundRayLength, hit))
        return origin;
    const float e = (origin - hit).len() - hoverHeight;
    if (std::fabs(e) <= hoverTolerance)
        return zunVector(origin.x, origin.y, origin.z - e);
    return zunVector(origin.x, origin.y, origin.z);
}

// The direction goes to the ray test as given: the caller supplies a unit vector.
int zunAIPathMgr::validateTrace(cVector4& origin, cVector4& direction, cVector4&, float& clearLength, float length)
{
    const cVector4 from = origin;
    const cVector4 along = direction;
    cVector4 hit;
    if (zunCastRay(from, along, length, hit))
        return 1;
    clearLength = length;
    return 0;
}

int zunAIPathMgr::isBlocked(cVector4& origin, cVector4& direction, float length, int)
{
    const cVector4 from = origin;
    cVector4 unit = direction;
    if (unit.len() == 0.0f)
        return 0;
    unit.normalize();
    cVector4 hit;
    return zunCastRay(from, unit, length, hit) ? 1 : 0;
}

int zunAIPathMgr::isBlockedHorzTurn(cVector4& origin, cVector4& direction, float length, float angle, int)
{
    const cVector4 from = origin;
    cVector4 unit = direction;
    if (unit.len() == 0.0f)
        return 0;
    unit.normalize();
    cVector4 hit;
    return zunCastRay(from, turnHorizontal(unit, angle), length, hit) ? 1 : 0;
}

// A row of `count` parallel rays along `span`, all shifted by one random
// fraction of a step drawn from the manager's generator.
int zunAIPathMgr::isBlockedVertScan(cVector4& origin, cVector4& span, cVector4& direction, float length, float angle,
                                    int count, cVector4* hitOut)
{
    const cVector4 first = origin;
    const cVector4 step = count > 0 ? span * (1.0f / static_cast<float>(count)) : zunVector(0.0f, 0.0f, 0.0f);
    cVector4 unit = direction;
    if (unit.len() == 0.0f)
        return 0;
    unit.normalize();
    const cVector4 along = turnHorizontal(unit, angle);
    const float shift = rnd();
    cVector4 rayOrigin = first + step * shift;
    float best = length + nearestHitMargin;
    if (count <= 0)
        return 0;

    int anyHit = 0;
    cVector4 nearest;
    cVector4 hit = nearest;
    for (int i = 0; i < count; ++i) {
        zunClear(hit);
        if (zunCastRay(rayOrigin, along, length, hit)) {
            anyHit = 1;
            const float distance = zunDistance(hit, rayOrigin);
            if (distance < best) {
                best = distance;
                nearest = hit;
            }
        }
        zunStep(rayOrigin, step);
    }
    if (!anyHit)
        return 0;
    if (hitOut)
        *hitOut = nearest;
    return 1;
}

// A grid of (cols + 1) x (rows + 1) parallel rays across a rectangle of
// width x height centred on `centre` and facing along the turned direction;
// rows run from the top, each from the -L side to the +L side. Hands out the
// point on the centre line at the nearest hit distance.
int zunAIPathMgr::isBlockedArrayScan(cVector4& centre, float width, float height, cVector4& direction, float length,
                                     float angle, int cols, int rows, cVector4* hitOut)
{
    const cVector4 middle = centre;
    cVector4 unit = direction;
    if (unit.len() == 0.0f)
        return 0;
    unit.normalize();
    const cVector4 along = turnHorizontal(unit, angle);
    cVector4 lateral = turnHorizontal(along, lateralTurn);
    lateral.z = 0.0f;
    lateral.normalize();   // stays zero for a vertical direction
    const cVector4 across = lateral * width;
    const cVector4 up = zunVector(0.0f, 0.0f, -height);
    float best = length + nearestHitMargin;
    int noted = 0;
    cVector4 rowStart = middle - across / 2.0f - up / 2.0f;
    if (rows < 0)
        return 0;

    const cVector4 zero = zunVector(0.0f, 0.0f, 0.0f);
    const cVector4 colStep = cols > 0 ? across / static_cast<float>(cols) : zero;
    const cVector4 rowStep = rows > 0 ? up / static_cast<float>(rows) : zero;
    cVector4 hit = zero;
    for (long long row = 0; row <= rows; ++row) {
        cVector4 rayOrigin = rowStart;
        for (long long col = 0; col <= cols; ++col) {
            zunClear(hit);
            if (zunCastRay(rayOrigin, along, length, hit)) {
                const float distance = zunDistance(hit, rayOrigin);
                if (distance < best) {
                    best = distance;
                    noted = 1;
                }
            }
            zunStep(rayOrigin, colStep);
        }
        rowStart = rowStart + rowStep;
    }
    if (!noted)
        return 0;
    if (hitOut)
        *hitOut = middle + along * best;
    return 1;
}

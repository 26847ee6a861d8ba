// Best-path selection: the stored path that a character standing at `from`
// should join to come nearer to `to`, with the end at which it is joined.
#include <cmath>

#include "paths/zunAIPathMgr.h"
#include "route/zunRouteCast.h"

namespace {

constexpr float smallestPositiveScore = 0x1p-126f;   // bits 0x00800000
constexpr float joinSlack = 0.5f;
constexpr float slopeLimit = 0.2f;
constexpr float raySlack = 2.0f;
constexpr float probeDrop = 12.0f;
constexpr double farMargin = 1.001;

// Squared distance over x, y and z, mark minus point as the distance
// queries take it, summed in double so that nothing overflows.
inline double squaredDistance(const cVector4& mark, const cVector4& point)
{
    const double dx = mark.x - point.x;
    const double dy = mark.y - point.y;
    const double dz = mark.z - point.z;
    return dx * dx + dy * dy + dz * dz;
}

} // namespace

// Every test before the two probes only reads, so which of them drops a path
// does not change the choice: they run cheapest first (the end marks'
// heights and distances before any normalisation or walk over the marks),
// each value is computed when a test first needs it, and a path dropped by
// any of them never costs a ray.
zunAIPath* zunAIPathMgr::findBestPath(cVector4& from, cVector4& to, cVector4& exitPoint, int& reversed,
                                      float maxJoinDist, float minDot, zunAIPath* exclude, float maxHeightDiff)
{
    if (!paths.head)
        return nullptr;

    // `from` may be the same object as `exitPoint`: work on copies and
    // write the out-parameters only once the walk is over.
    cVector4 origin = from;
    cVector4 toward = to;
    cVector4 travel = toward - origin;
    travel.normalize();
    const float dz = toward.z - origin.z;

    // Squared distance beyond which an end mark is certainly out of the
    // join reach (maxJoinDist - 0.5), with a margin far above any rounding
    // of the distances; infinite (no early drop) when the reach is not positive.
    const double reach = static_cast<double>(maxJoinDist) - joinSlack;
    const double farSquared = reach > 0.0 ? (reach * farMargin) * (reach * farMargin) : HUGE_VAL;

    float bestScore = smallestPositiveScore;
    zunAIPath* bestPath = nullptr;
    cVector4 bestExit;
    int bestReversed = 0;

    for (zunList<zunAIPath>::Node* node = paths.head; node && node->item; node = node->next) {
        zunAIPath* path = node->item;
        if (path == exclude)
            continue;
        if (path->marks.count < 2)
            continue;
        const zunAIMark* firstMark = path->marks.head->item;
        const zunAIMark* lastMark = path->marks.tail->item;
        if (!firstMark || !lastMark)
            continue;   // an end mark that was never allocated: no way on or off

        // The entry is one of the two end marks: when both are too far above
        // or below, or both clearly beyond the join reach, the height or the
        // join test drops the path whichever end it is, so no distance needs
        // to be taken. Most stored paths of a level end here.
        if (std::fabs(origin.z - firstMark->position.z) > maxHeightDiff &&
            std::fabs(origin.z - lastMark->position.z) > maxHeightDiff)
            continue;
        if (squaredDistance(firstMark->position, origin) > farSquared &&
            squaredDistance(lastMark->position, origin) > farSquared)
            continue;

        const float dStart = path->getDistanceToStart(origin);
        const float dEnd = path->getDistanceToEnd(origin);
        const int rev = dStart < dEnd ? 0 : 1;
        const cVector4& entry = rev ? lastMark->position : firstMark->position;
        const cVector4& exit = rev ? firstMark->position : lastMark->position;
        const float dNear = rev ? dEnd : dStart;

        if (std::fabs(origin.z - entry.z) > maxHeightDiff)
            continue;
        if (dNear + joinSlack > maxJoinDist)
            continue;

        cVector4 along = exit - entry;
        along.normalize();
        const float dotPath = zunDot(travel, along);
        if (dotPath < minDot)
            continue;

        float goalDist;
        cVector4 toNear = path->getMinDistanceVectorToPath(toward, goalDist) - origin;
        toNear.normalize();
        const float dotGoal = zunDot(travel, toNear);
        if (dotGoal < minDot)
            continue;
        if (dz > 0.0f && along.z < -slopeLimit)
            continue;
        if (dz < 0.0f && along.z > slopeLimit)
            continue;

        // Line of sight to the entry mark, then the ground probe toward it.
        cVector4 toEntry = entry - origin;
        const float dEntry = toEntry.len();
        toEntry.normalize();
        if (toEntry.len() != 0.0f) {
            cVector4 sight = toEntry;
            sight.normalize();
            cVector4 hit;
            if (zunCastRay(origin, sight, dEntry + raySlack, hit))
                continue;
        }
        cVector4 below(origin.x, origin.y, origin.z - probeDrop, 1.0f);
        cVector4 scratch;
        if (isBlockedArrayScan(below, 2.0f, 2.0f, toEntry, dEntry + raySlack, 0.0f, 2, 2, &scratch))
            continue;

        float score = 2000.0f / (dNear + joinSlack) + 1000.0f * dotGoal + 1000.0f * dotPath +
                      3000.0f / (goalDist + joinSlack);
        if ((dz > 10.0f && along.z > 0.0f) || (dz < -10.0f && along.z < 0.0f))
            score += 2000.0f / (std::fabs(toward.z - exit.z) + 1.0f);

        if (score > bestScore) {
            bestScore = score;
            bestPath = path;
            bestExit = exit;
            bestReversed = rev;
        }
    }

    if (!bestPath)
        return nullptr;
    exitPoint = bestExit;
    reversed = bestReversed;
    return bestPath;
}

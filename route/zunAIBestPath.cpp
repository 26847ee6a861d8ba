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

} // namespace

// The tests run from cheap to dear; a path dropped by any test before the
// two probes never costs a ray. Only the probes have effects outside this
// function, so everything else is computed when a test first needs it.
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

        const float dStart = path->getDistanceToStart(origin);
        const float dEnd = path->getDistanceToEnd(origin);
        const int rev = dStart < dEnd ? 0 : 1;
        const cVector4& entry = rev ? lastMark->position : firstMark->position;
        const cVector4& exit = rev ? firstMark->position : lastMark->position;
        const float dNear = rev ? dEnd : dStart;

        if (std::fabs(origin.z - entry.z) > maxHeightDiff)
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
        if (dNear + joinSlack > maxJoinDist)
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

// Best-path selection: the stored path that a character standing at `from`
// should join to come nearer to `to`, with the end at which it is joined.
#include <cmath>

#include "engine/zunVector.h"
#include "paths/zunAIPathMgr.h"
#include "route/zunAIRouteObserver.h"
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

// What a search asks of every stored path.
struct Query {
    cVector4 origin;
    cVector4 toward;
    cVector4 travel;     // normalize(toward - origin)
    float dz;            // toward.z - origin.z
    float maxJoinDist;
    float minDot;
    float maxHeightDiff;
    zunAIPath* exclude;
    double farSquared;   // see findBestPath
    bool everyTest;      // observed: no shortcut, the verdict is the first test that fails
};

// A path that passed every test.
struct Judgement {
    float score;
    int reversed;
    const cVector4* exit;
};

typedef zunAIRouteObserver Verdicts;

// The tests of one stored path as a candidate, in their order: the first
// that fails drops it and is the answer; a path that passes them all is
// verdictScored with its score in `out`. Every test before the two probes
// only reads, so which of them drops a path does not change the choice:
// unobserved, a shortcut drops the paths whose two end marks are both too
// high or low, or both clearly beyond the join reach, before any distance is
// taken (most stored paths of a level end there). A path dropped before the
// probes never costs a ray.
int judgeCandidate(zunAIPathMgr& mgr, Query& q, zunAIPath* path, Judgement& out)
{
    if (path == q.exclude)
        return Verdicts::verdictExcluded;
    if (path->marks.count < 2)
        return Verdicts::verdictMarks;
    const zunAIMark* firstMark = path->marks.head->item;
    const zunAIMark* lastMark = path->marks.tail->item;
    if (!firstMark || !lastMark)
        return Verdicts::verdictMarks;   // an end mark that was never allocated: no way on or off
    cVector4& origin = q.origin;

    if (!q.everyTest) {
        if (std::fabs(origin.z - firstMark->position.z) > q.maxHeightDiff &&
            std::fabs(origin.z - lastMark->position.z) > q.maxHeightDiff)
            return Verdicts::verdictHeight;
        if (squaredDistance(firstMark->position, origin) > q.farSquared &&
            squaredDistance(lastMark->position, origin) > q.farSquared)
            return Verdicts::verdictJoin;
    }

    const float dStart = path->getDistanceToStart(origin);
    const float dEnd = path->getDistanceToEnd(origin);
    const int rev = dStart < dEnd ? 0 : 1;
    const cVector4& entry = rev ? lastMark->position : firstMark->position;
    const cVector4& exit = rev ? firstMark->position : lastMark->position;
    const float dNear = rev ? dEnd : dStart;

    if (std::fabs(origin.z - entry.z) > q.maxHeightDiff)
        return Verdicts::verdictHeight;

    cVector4 along = exit - entry;
    along.normalize();
    const float dotPath = zunDot(q.travel, along);
    if (dotPath < q.minDot)
        return Verdicts::verdictDirection;

    float goalDist;
    cVector4 toNear = path->getMinDistanceVectorToPath(q.toward, goalDist) - origin;
    toNear.normalize();
    const float dotGoal = zunDot(q.travel, toNear);
    if (dotGoal < q.minDot)
        return Verdicts::verdictGoalDirection;
    if (dNear + joinSlack > q.maxJoinDist)
        return Verdicts::verdictJoin;
    if ((q.dz > 0.0f && along.z < -slopeLimit) || (q.dz < 0.0f && along.z > slopeLimit))
        return Verdicts::verdictSlope;

    // Line of sight to the entry mark, then the ground probe toward it.
    cVector4 toEntry = entry - origin;
    const float dEntry = toEntry.len();
    toEntry.normalize();
    if (toEntry.len() != 0.0f) {
        cVector4 sight = toEntry;
        sight.normalize();
        cVector4 hit;
        if (zunCastRay(origin, sight, dEntry + raySlack, hit))
            return Verdicts::verdictSight;
    }
    cVector4 below = zunVector(origin.x, origin.y, origin.z - probeDrop);
    cVector4 scratch;
    if (mgr.isBlockedArrayScan(below, 2.0f, 2.0f, toEntry, dEntry + raySlack, 0.0f, 2, 2, &scratch))
        return Verdicts::verdictProbe;

    float score = 2000.0f / (dNear + joinSlack) + 1000.0f * dotGoal + 1000.0f * dotPath +
                  3000.0f / (goalDist + joinSlack);
    if ((q.dz > 10.0f && along.z > 0.0f) || (q.dz < -10.0f && along.z < 0.0f))
        score += 2000.0f / (std::fabs(q.toward.z - exit.z) + 1.0f);
    out.score = score;
    out.reversed = rev;
    out.exit = &exit;
    return Verdicts::verdictScored;
}

} // namespace

zunAIPath* zunAIPathMgr::findBestPath(cVector4& from, cVector4& to, cVector4& exitPoint, int& reversed,
                                      float maxJoinDist, float minDot, zunAIPath* exclude, float maxHeightDiff)
{
    return findBestPath(from, to, exitPoint, reversed, maxJoinDist, minDot, exclude, maxHeightDiff, nullptr);
}

zunAIPath* zunAIPathMgr::findBestPath(cVector4& from, cVector4& to, cVector4& exitPoint, int& reversed,
                                      float maxJoinDist, float minDot, zunAIPath* exclude, float maxHeightDiff,
                                      zunAIRouteObserver* observer)
{
    if (!paths.head) {
        if (observer)
            observer->searchEnded(-1, nullptr, from);
        return nullptr;
    }

    // `from` may be the same object as `exitPoint`: work on copies and
    // write the out-parameters only once the walk is over.
    Query q;
    q.origin = from;
    q.toward = to;
    q.travel = q.toward - q.origin;
    q.travel.normalize();
    q.dz = q.toward.z - q.origin.z;
    q.maxJoinDist = maxJoinDist;
    q.minDot = minDot;
    q.maxHeightDiff = maxHeightDiff;
    q.exclude = exclude;
    // Squared distance beyond which an end mark is certainly out of the
    // join reach (maxJoinDist - 0.5), with a margin far above any rounding
    // of the distances; infinite (no early drop) when the reach is not positive.
    const double reach = static_cast<double>(maxJoinDist) - joinSlack;
    q.farSquared = reach > 0.0 ? (reach * farMargin) * (reach * farMargin) : HUGE_VAL;
    q.everyTest = observer != nullptr;

    float bestScore = smallestPositiveScore;
    zunAIPath* bestPath = nullptr;
    int bestIndex = -1;
    cVector4 bestExit;
    int bestReversed = 0;

    int index = 0;
    for (zunList<zunAIPath>::Node* node = paths.head; node && node->item; node = node->next, ++index) {
        zunAIPath* path = node->item;
        Judgement judged = {0.0f, 0, nullptr};
        const int verdict = judgeCandidate(*this, q, path, judged);
        if (observer)
            observer->candidateJudged(index, path, verdict, judged.score);
        if (verdict == zunAIRouteObserver::verdictScored && judged.score > bestScore) {
            bestScore = judged.score;
            bestPath = path;
            bestIndex = index;
            bestExit = *judged.exit;
            bestReversed = judged.reversed;
        }
    }

    if (observer)
        observer->searchEnded(bestIndex, bestPath, bestExit);
    if (!bestPath)
        return nullptr;
    exitPoint = bestExit;
    reversed = bestReversed;
    return bestPath;
}

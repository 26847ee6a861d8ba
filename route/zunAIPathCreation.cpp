// Path creation: a point walks from the start toward the goal in short
// steps, steering around obstacles by sweeping a fan of grid probes, and
// every point it reaches becomes a mark of a new path.
#include "engine/zunVector.h"
#include "paths/zunAIPathMgr.h"
#include "route/zunAIRouteObserver.h"
#include "route/zunRouteCast.h"
#include "route/zunTurnHorizontal.h"

namespace {

constexpr float arrivalRadius = 7.0f;
constexpr int mostPasses = 30;
constexpr float probeDrop = 12.0f;         // every probe starts this far below the walker
constexpr float sweepLength = 100.0f;      // sweep probe length, and the clearance of a clear candidate
constexpr int sweepCandidates = 33;
constexpr float sweepFirstAngle = -1.57079632679489661923f;          // -pi/2
constexpr float sweepAngleStep = 0x1.85f034p-4f;                      // pi/33
constexpr float alignmentWeight = 30.0f;
constexpr float sweepStartScore = -1.0e13f;
constexpr float leastClearance = 9.0f;     // hemmed in at or below; a short step stops this far short
constexpr float shortStepClearance = 17.0f;
constexpr float longStep = 8.0f;

} // namespace

zunAIPath* zunAIPathMgr::createPath(cVector4& start, cVector4& goal)
{
    return createPath(start, goal, nullptr);
}

zunAIPath* zunAIPathMgr::createPath(cVector4& start, cVector4& goal, zunAIRouteObserver* observer)
{
    typedef zunAIRouteObserver Walk;
    zunAIPath* path = new zunAIPath;
    if (!path)
        return nullptr;

    cVector4 walker = start;
    cVector4 target = zunVector(goal.x, goal.y, start.z);
    const cVector4 drop = zunVector(0.0f, 0.0f, probeDrop);
    // The sweep's angles are the same in every pass: their cosines and sines
    // are taken in the first sweep, the angle summed step by step.
    zunTurn turns[sweepCandidates];
    float angles[sweepCandidates];
    bool turnsTaken = false;
    int end = Walk::walkNear;

    if (!((target - walker).len() <= arrivalRadius)) {
        end = Walk::walkThirtyPasses;
        for (int pass = 0; pass < mostPasses; ++pass) {
            const float dist = (target - walker).len();
            cVector4 heading = target - walker;
            heading.normalize();

            // Direct test: a clear way to the target ends the walk there.
            cVector4 probe = walker - drop;
            cVector4 scanPoint;
            if (!isBlockedArrayScan(probe, 2.0f, 2.0f, heading, dist, 0.0f, 2, 2, &scanPoint)) {
                path->addMark(target);
                if (observer) {
                    observer->walkDirectClear(pass);
                    observer->walkEnded(Walk::walkDirect);
                }
                return path;
            }

            // Sweep: the candidate that best trades alignment with the target
            // for free distance ahead. Equal scores keep the earlier one.
            if (!turnsTaken) {
                float angle = sweepFirstAngle;
                for (int k = 0; k < sweepCandidates; ++k) {
                    turns[k] = zunTurn(angle);
                    angles[k] = angle;
                    angle = angle + sweepAngleStep;
                }
                turnsTaken = true;
            }
            float bestScore = sweepStartScore;
            float bestClearance = sweepStartScore;
            cVector4 bestCandidate = heading;
            cVector4 bestScanPoint = walker;
            int best = 0;
            for (int k = 0; k < sweepCandidates; ++k) {
                cVector4 candidate = turnHorizontal(heading, turns[k]);
                float clearance;
                if (isBlockedArrayScan(probe, 2.0f, 2.0f, candidate, sweepLength, 0.0f, 2, 2, &scanPoint)) {
                    scanPoint.z = walker.z;
                    clearance = zunVector(scanPoint.x - walker.x, scanPoint.y - walker.y, 0.0f).len();
                } else {
                    clearance = sweepLength;
                    scanPoint = walker + candidate * sweepLength;
                }
                const float score = alignmentWeight * zunDot(candidate, heading) + clearance;
                if (score > bestScore) {
                    bestScore = score;
                    bestClearance = clearance;
                    bestCandidate = candidate;
                    bestScanPoint = scanPoint;
                    best = k;
                }
            }

            if (bestClearance <= leastClearance) {
                // Hemmed in: the marks so far.
                if (observer) {
                    observer->walkSwept(pass, angles[best], bestClearance, bestScore, -1);
                    observer->walkEnded(Walk::walkHemmedIn);
                }
                return path;
            }
            const bool shortStep = bestClearance <= shortStepClearance;
            if (shortStep)
                walker = bestScanPoint - bestCandidate * leastClearance;
            else
                walker = walker + bestCandidate * longStep;
            if (observer)
                observer->walkSwept(pass, angles[best], bestClearance, bestScore,
                                    shortStep ? Walk::stepShort : Walk::stepLong);

            walker = validateHeight(walker);
            path->addMark(walker);
            if (!((target - walker).len() > arrivalRadius)) {
                end = Walk::walkArrived;
                break;
            }
        }
    }

    // Arrival, a start already near the target, or the last pass: the walker,
    // validated once more, closes the path.
    walker = validateHeight(walker);
    path->addMark(walker);
    if (observer)
        observer->walkEnded(end);
    return path;
}

zunAIPath* zunAIPathMgr::getPath(cVector4& start, cVector4& goal)
{
    return getPath(start, goal, nullptr);
}

zunAIPath* zunAIPathMgr::getPath(cVector4& start, cVector4& goal, zunAIRouteObserver* observer)
{
    zunAIPath* path = createPath(start, goal, observer);
    if (!path)
        return nullptr;
    if (!paths.append(path)) {
        delete path;   // it could not be registered
        return nullptr;
    }
    return path;
}

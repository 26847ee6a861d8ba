// Path query: a route chained from the stored paths of a database manager,
// grown from both ends until a short, clear stretch joins them; and private
// copies of stored paths.
#include <cmath>

#include "engine/zunVector.h"
#include "paths/zunAIPathMgr.h"
#include "route/zunAIRouteObserver.h"
#include "route/zunRouteCast.h"

namespace {

constexpr int mostPasses = 10;
constexpr float closingHeightLimit = 4.0f;
constexpr float probeDrop = 12.0f;
constexpr float raySlack = 2.0f;

// Appends a new mark for each mark of `source` onto `chain`, first to last,
// or last to first when `backwards` is set. Like every walk over marks, it
// ends at a mark that was never allocated.
void appendMarksOf(zunAIPath& chain, zunAIPath& source, int backwards)
{
    if (!backwards) {
        for (zunList<zunAIMark>::Node* node = source.marks.head; node && node->item; node = node->next)
            chain.addMark(node->item->position);
    } else {
        for (zunList<zunAIMark>::Node* node = source.marks.tail; node && node->item; node = node->prev)
            chain.addMark(node->item->position);
    }
}

typedef zunAIRouteObserver Closing;

// The closing test of a straight stretch from `a` (start side) to `b` (goal
// side): short, nearly level, and clear both along the line and across the
// grid probe, all 12.0 below `a`. Answers closingHolds, or the first test
// that fails.
int closingLink(zunAIPathMgr& mgr, const cVector4& a, const cVector4& b, float joinDist)
{
    cVector4 link = b - a;
    const float linkLength = link.len();
    if (!(linkLength < joinDist))
        return Closing::closingLength;
    if (!(std::fabs(b.z - a.z) < closingHeightLimit))
        return Closing::closingHeight;
    cVector4 below = zunVector(a.x, a.y, a.z - probeDrop);
    if (linkLength != 0.0f) {
        cVector4 unit = link;
        unit.normalize();
        cVector4 hit;
        if (zunCastRay(below, unit, linkLength + raySlack, hit))
            return Closing::closingSight;
    }
    cVector4 scratch;
    if (mgr.isBlockedArrayScan(below, 2.0f, 2.0f, link, linkLength + raySlack, 0.0f, 2, 2, &scratch))
        return Closing::closingProbe;
    return Closing::closingHolds;
}

// The closing test, told to the observer.
bool closingLinkHolds(zunAIPathMgr& mgr, const cVector4& a, const cVector4& b, float joinDist,
                      zunAIRouteObserver* observer)
{
    const int reason = closingLink(mgr, a, b, joinDist);
    if (observer)
        observer->closingTested(reason, a, b);
    return reason == Closing::closingHolds;
}

// Hands a finished route to `paths`; a route that cannot be registered is
// destroyed rather than leaked. The observer learns how the request ended.
zunAIPath* registerRoute(zunList<zunAIPath>& paths, zunAIPath* route, zunAIRouteObserver* observer, int end)
{
    if (observer)
        observer->routeEnded(end);
    if (!paths.append(route)) {
        delete route;
        return nullptr;
    }
    return route;
}

} // namespace

zunAIPath* zunAIPathMgr::getPath(cVector4& start, cVector4& goal, zunAIPathMgr& pathDatabase, pathInfo* info)
{
    return getPath(start, goal, pathDatabase, info, nullptr);
}

zunAIPath* zunAIPathMgr::getPath(cVector4& start, cVector4& goal, zunAIPathMgr& pathDatabase, pathInfo* info,
                                 zunAIRouteObserver* observer)
{
    if (pathDatabase.paths.count == 0) {
        if (observer)
            observer->routeEnded(zunAIRouteObserver::routeEmptyDatabase);
        return nullptr;
    }
    const pathInfo tuning = info ? *info : pathInfo();

    zunAIPath* startChain = new zunAIPath;
    zunAIPath* goalChain = new zunAIPath;
    if (!startChain || !goalChain) {
        if (startChain)
            delete startChain;
        if (goalChain)
            delete goalChain;
        return nullptr;
    }

    cVector4 P = start;
    cVector4 G = goal;
    zunAIPath* prevStart = nullptr;
    zunAIPath* prevGoal = nullptr;
    int revStart = 0;
    int revGoal = 0;

    for (int pass = 0; pass < mostPasses; ++pass) {
        const cVector4 Pc = P;
        const cVector4 Gc = G;
        const float join = pass == 0 ? tuning.firstJoinDist : tuning.joinDist;
        if (observer)
            observer->passBegan(pass, join);

        // Each search moves its side's open end to the exit of the path found.
        if (observer)
            observer->searchBegan(zunAIRouteObserver::sideGoal, G);
        zunAIPath* goalSide = pathDatabase.findBestPath(G, P, G, revGoal, join, tuning.minDot, prevGoal,
                                                        tuning.maxHeightDiff, observer);
        if (observer)
            observer->searchBegan(zunAIRouteObserver::sideStart, P);
        zunAIPath* startSide = pathDatabase.findBestPath(P, G, P, revStart, join, tuning.minDot, prevStart,
                                                         tuning.maxHeightDiff, observer);

        // The two sides took each other's paths: they circle, so finish with
        // the ends that the previous pass left.
        if (prevStart && prevGoal && goalSide == prevStart && startSide == prevGoal) {
            if (closingLinkHolds(*this, Pc, Gc, tuning.joinDist, observer))
                appendMarksOf(*startChain, *goalChain, 1);
            delete goalChain;
            return registerRoute(paths, startChain, observer, zunAIRouteObserver::routeSwap);
        }
        prevStart = startSide;
        prevGoal = goalSide;

        if (!startSide && !goalSide) {
            delete goalChain;
            if (startChain->marks.count == 0) {
                delete startChain;
                if (observer)
                    observer->routeEnded(zunAIRouteObserver::routeBothEmpty);
                return nullptr;
            }
            return registerRoute(paths, startChain, observer, zunAIRouteObserver::routeBothEmpty);
        }

        if (startSide && startSide == goalSide) {
            appendMarksOf(*startChain, *startSide, revStart);
            appendMarksOf(*startChain, *goalChain, 1);
            delete goalChain;
            return registerRoute(paths, startChain, observer, zunAIRouteObserver::routeSamePath);
        }

        if (startSide)
            appendMarksOf(*startChain, *startSide, revStart);
        if (goalSide)
            appendMarksOf(*goalChain, *goalSide, revGoal);
        if (closingLinkHolds(*this, P, G, tuning.joinDist, observer)) {
            appendMarksOf(*startChain, *goalChain, 1);
            delete goalChain;
            return registerRoute(paths, startChain, observer, zunAIRouteObserver::routeClosed);
        }
    }

    // Ten passes without a join: the start chain is what there is.
    delete goalChain;
    if (startChain->marks.count == 0) {
        delete startChain;
        if (observer)
            observer->routeEnded(zunAIRouteObserver::routeTenPasses);
        return nullptr;
    }
    return registerRoute(paths, startChain, observer, zunAIRouteObserver::routeTenPasses);
}

zunAIPath* zunAIPathMgr::getCopyPath(int index)
{
    if (index < 0 || index >= paths.count)
        return nullptr;
    zunAIPath* stored = paths.getAt(index);
    if (!stored || stored->getNumMarks() < 2)
        return nullptr;
    zunAIPath* copy = new zunAIPath;
    if (!copy)
        return nullptr;
    appendMarksOf(*copy, *stored, 0);
    return copy;
}

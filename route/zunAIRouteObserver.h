#ifndef ZUN_AI_ROUTE_OBSERVER_H
#define ZUN_AI_ROUTE_OBSERVER_H

#include "host/cVector4.h"

class zunAIPath;

// Watches the decisions of route finding as the module makes them, for
// tools that explain a route. A host derives from it, overrides what it
// wants to see and passes it to the observed overloads of
// zunAIPathMgr::getPath and findBestPath; the plain overloads observe
// nothing. Observing changes nothing the module answers, casts or
// allocates: every callback reports a decision already made, by the same
// code that makes it. Callbacks run inside the call and must not change the
// managers or paths involved; whatever they keep is the host's own.
//
// Every function is inline and the class has no data, so the module links
// against nothing of it.
class zunAIRouteObserver {
public:
    // The tests of a stored path as a candidate of findBestPath, in the
    // order they run; a path is dropped by the first that fails, or scored.
    enum Verdict {
        verdictExcluded,        // it is the path to exclude
        verdictMarks,           // fewer than two marks
        verdictHeight,          // entry mark more than maxHeightDiff above or below `from`
        verdictDirection,       // the path's direction is against the travel (below minDot)
        verdictGoalDirection,   // its mark nearest the goal lies against the travel (below minDot)
        verdictJoin,            // entry mark farther than maxJoinDist - 0.5
        verdictSlope,           // the path climbs where the goal is lower, or falls where it is higher
        verdictSight,           // a ray from `from` to the entry mark meets the level
        verdictProbe,           // the ground probe (nine rays from 12 below) toward the entry is blocked
        verdictScored           // passed every test: it has a score
    };

    // The closing test of a chained request between the two open ends.
    enum Closing {
        closingHolds,    // the ends are joined
        closingLength,   // the link is not shorter than joinDist
        closingHeight,   // the ends differ in height by 4 or more
        closingSight,    // the ray along the link, from 12 below the start side's end, meets the level
        closingProbe     // the ground probe along the link is blocked
    };

    // How a chained request ended.
    enum RouteEnd {
        routeClosed,          // the closing test held
        routeSamePath,        // both sides chose the same stored path
        routeSwap,            // the sides took each other's previous paths
        routeBothEmpty,       // neither side found a path
        routeTenPasses,       // ten passes without a join
        routeEmptyDatabase    // the database holds no path
    };

    // How a walk (getPath(start, goal)) ended.
    enum WalkEnd {
        walkDirect,        // the direct test was clear: the target is the last mark
        walkNear,          // the start was within 7 of the target
        walkArrived,       // a step brought the walker within 7 of the target
        walkThirtyPasses,  // thirty passes made
        walkHemmedIn       // no candidate of the sweep had more than 9 of clearance
    };

    enum Side { sideGoal, sideStart };
    enum Step { stepLong, stepShort };

    virtual ~zunAIRouteObserver() {}

    // findBestPath: one stored path judged. `index` counts from the head of
    // the database's `paths`; `score` is meaningful for verdictScored only.
    virtual void candidateJudged(int /*index*/, zunAIPath* /*path*/, int /*verdict*/, float /*score*/) {}
    // findBestPath: the search is over; `chosen` is the result (null for
    // none, `exitPoint` then meaningless), left at `exitPoint`.
    virtual void searchEnded(int /*chosenIndex*/, zunAIPath* /*chosen*/, const cVector4& /*exitPoint*/) {}

    // getPath (chained): a pass begins, with its join distance; a side's
    // search begins from the side's open end `from` (its candidates and its
    // end follow); the closing test
    // was made between the start side's open end `a` and the goal side's
    // `b` (`reason` a Closing); the request ended (a RouteEnd).
    virtual void passBegan(int /*pass*/, float /*joinDist*/) {}
    virtual void searchBegan(int /*side*/, const cVector4& /*from*/) {}
    virtual void closingTested(int /*reason*/, const cVector4& /*a*/, const cVector4& /*b*/) {}
    virtual void routeEnded(int /*end*/) {}

    // getPath (walk): a pass whose direct test was clear; or a pass that
    // swept, with its best candidate (its angle from the heading, positive
    // turning from +x toward -y, its clearance and score) and the step taken
    // (a Step; none when hemmed in, `step` then -1). Then the end (a WalkEnd).
    virtual void walkDirectClear(int /*pass*/) {}
    virtual void walkSwept(int /*pass*/, float /*angle*/, float /*clearance*/, float /*score*/, int /*step*/) {}
    virtual void walkEnded(int /*end*/) {}
};

#endif

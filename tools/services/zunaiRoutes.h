#ifndef ZUNAI_ROUTES_H
#define ZUNAI_ROUTES_H

// Route requests put to the module, and what their answers amount to.

#include <string>
#include <vector>

#include "zunaiGame.h"
#include "zunaiPoint.h"

enum class zunaiWay { Chained, Walked };

struct zunaiRequest {
    std::string name;    // for tables; may be empty
    zunaiPoint from, to;
    zunaiWay way = zunaiWay::Chained;
};

struct zunaiRouteResult {
    zunaiRequest request;
    bool found = false;              // the module answered a path
    int pathIndex = -1;              // its place in the session's `routes.paths`
    std::vector<zunaiPoint> marks;
    double length = 0.0;             // start to first mark, along the marks, last mark to goal
    double startLeg = 0.0;           // start to first mark (0 without marks)
    double alongMarks = 0.0;         // first mark to last
    double goalLeg = 0.0;            // last mark to goal (0 without marks)
    bool reached = false;            // see zunaiReaches
    double goalDistance = -1.0;      // last mark to goal, horizontally; -1 without marks
    long long rays = 0;              // rays the module cast for the request
};

// The arrival radius of a walk, and the reach of plain view for a chained
// route (the first pass's join distance) with its height limit.
constexpr double zunaiArrivalRadius = 7.0;
constexpr double zunaiViewReach = 150.0;
constexpr double zunaiViewHeight = 4.0;

// Asks the module for the route (chained from session.database, or walked)
// into session.routes, marks it active so drawActivePaths draws it, and
// measures it. `tuning` null: the module's defaults. `observer`, when
// given, is told every decision of the module (zunaiExplain.h uses it); the
// answer is the same either way.
zunaiRouteResult zunaiRunRequest(zunaiSession& session, const zunaiRequest& request,
                                 zunAIPathMgr::pathInfo* tuning = nullptr, zunAIRouteObserver* observer = nullptr);

// Whether a route whose last mark is `last` reaches `goal`: within the
// arrival radius horizontally; or, for a chained route, in plain view of
// it: within zunaiViewReach horizontally, less than zunaiViewHeight higher
// or lower, and a straight ray from the mark to the goal meets nothing.
// Whether a straight ray from `from` towards `to`, `beyond` further than
// their distance, meets the level. A zero-length ray meets nothing.
bool zunaiRayMeetsLevel(const zunaiPoint& from, const zunaiPoint& to, float beyond = 0.0f);

bool zunaiReaches(zunaiWay way, const zunaiPoint& last, const zunaiPoint& goal);

const char* zunaiWayName(zunaiWay way);

#endif

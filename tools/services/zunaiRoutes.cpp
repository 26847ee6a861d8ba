// Route requests: the module's two getPath overloads, measured.

#include "zunaiRoutes.h"

#include <cmath>

#include "standin/zunStandIn.h"

namespace {


} // namespace

const char* zunaiWayName(zunaiWay way)
{
    return way == zunaiWay::Chained ? "chained" : "walked";
}

bool zunaiRayMeetsLevel(const zunaiPoint& from, const zunaiPoint& to, float beyond)
{
    const float dx = to.x - from.x, dy = to.y - from.y, dz = to.z - from.z;
    const float length = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (length == 0.0f)
        return false;
    float origin[4] = {from.x, from.y, from.z, 1.0f};
    float direction[4] = {dx / length, dy / length, dz / length, 1.0f};
    float hit[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    unsigned long first = 0, second = 0, third = 0;
    return zunHitScan(&origin, &direction, length + beyond, &hit, &first, second, third, 0) != 0;
}

bool zunaiReaches(zunaiWay way, const zunaiPoint& last, const zunaiPoint& goal)
{
    const double horizontal = zunaiHorizontalDistance(last, goal);
    if (horizontal <= zunaiArrivalRadius)
        return true;
    if (way != zunaiWay::Chained)
        return false;
    return horizontal <= zunaiViewReach && std::fabs(double(goal.z) - last.z) < zunaiViewHeight &&
           !zunaiRayMeetsLevel(last, goal);
}

zunaiRouteResult zunaiRunRequest(zunaiSession& session, const zunaiRequest& request, zunAIPathMgr::pathInfo* tuning,
                                 zunAIRouteObserver* observer)
{
    zunaiRouteResult result;
    result.request = request;
    cVector4 start(request.from.x, request.from.y, request.from.z);
    cVector4 goal(request.to.x, request.to.y, request.to.z);

    zunStandIn::clearCapture();
    zunAIPath* path = request.way == zunaiWay::Chained
                          ? session.routes.getPath(start, goal, session.database, tuning, observer)
                          : session.routes.getPath(start, goal, observer);
    result.rays = zunStandIn::rayCount();
    if (!path)
        return result;

    result.found = true;
    result.pathIndex = session.routes.getNumPaths() - 1;
    path->setActive(1);
    path->marks.walk([&](zunAIMark* mark) {
        const cVector4& p = mark->getPosition();
        result.marks.push_back(zunaiPoint{p.x, p.y, p.z});
    });
    for (std::size_t i = 1; i < result.marks.size(); ++i)
        result.alongMarks += zunaiDistance(result.marks[i - 1], result.marks[i]);
    if (!result.marks.empty()) {
        result.startLeg = zunaiDistance(request.from, result.marks.front());
        result.goalLeg = zunaiDistance(result.marks.back(), request.to);
        result.length = result.startLeg + result.alongMarks + result.goalLeg;
        result.goalDistance = zunaiHorizontalDistance(result.marks.back(), request.to);
        result.reached = zunaiReaches(request.way, result.marks.back(), request.to);
    }
    return result;
}

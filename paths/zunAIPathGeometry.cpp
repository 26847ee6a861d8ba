// Distances from a point to a path's marks. Only marks count; the straight
// pieces between them play no part.
#include "engine/zunVector.h"
#include "paths/zunAIPath.h"

namespace {

float distanceToMark(const zunAIMark& mark, const cVector4& point)
{
    float dx = mark.position.x - point.x;
    float dy = mark.position.y - point.y;
    float dz = mark.position.z - point.z;
    return zunVector(dx, dy, dz).len();
}

} // namespace

float zunAIPath::getMinDistanceToPath(cVector4& point)
{
    float best = zunNoDistance;
    if (marks.count == 0)
        return best;
    marks.walk([&](zunAIMark* mark) {
        float distance = distanceToMark(*mark, point);
        if (distance < best)
            best = distance;
    });
    return best;
}

cVector4 zunAIPath::getMinDistanceVectorToPath(cVector4& point, float& distance)
{
    float best = zunNoDistance;
    cVector4 nearest = zunVector(0.0f, 0.0f, 0.0f);
    if (marks.count != 0) {
        marks.walk([&](zunAIMark* mark) {
            float d = distanceToMark(*mark, point);
            if (d < best) {
                best = d;
                nearest = zunVector(mark->position.x, mark->position.y, mark->position.z);
            }
        });
    }
    distance = best;
    return nearest;
}

// An end node holding null (after a failed mark allocation) has no distance.
float zunAIPath::getDistanceToStart(cVector4& point)
{
    if (marks.count == 0 || !marks.head->item)
        return zunNoDistance;
    return distanceToMark(*marks.head->item, point);
}

float zunAIPath::getDistanceToEnd(cVector4& point)
{
    if (marks.count == 0 || !marks.tail->item)
        return zunNoDistance;
    return distanceToMark(*marks.tail->item, point);
}

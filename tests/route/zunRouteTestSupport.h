#ifndef ZUN_ROUTE_TEST_SUPPORT_H
#define ZUN_ROUTE_TEST_SUPPORT_H

#include <initializer_list>
#include <vector>

#include <gtest/gtest.h>

#include "standin/zunStandIn.h"
#include "zunAI.h"
#include "zunVectorChecks.h"

// A manager that opens the protected route members to the tests.
struct routeTestMgr : zunAIPathMgr {
    using zunAIPathMgr::createPath;
    using zunAIPathMgr::validateHeight;
};

// Stores a path with the given marks in `db` and answers it.
inline zunAIPath* storePath(zunAIPathMgr& db, std::initializer_list<cVector4> marks)
{
    zunAIPath* path = new zunAIPath;
    for (cVector4 mark : marks)
        path->addMark(mark);
    db.addPath(path);
    return path;
}

inline std::vector<cVector4> markPositions(zunAIPath* path)
{
    std::vector<cVector4> out;
    for (int i = 0; i < path->getNumMarks(); ++i)
        if (zunAIMark* mark = path->getMark(i))
            out.push_back(mark->position);
    return out;
}

inline float distance(const cVector4& a, const cVector4& b)
{
    return (a - b).len();
}

// A wall of the level, given by two corners.
inline void wall(float x0, float y0, float z0, float x1, float y1, float z1)
{
    zunStandIn::addBox(cVector4(x0, y0, z0), cVector4(x1, y1, z1));
}


#endif

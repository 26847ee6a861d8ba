#ifndef ZUN_ROUTE_TEST_SUPPORT_H
#define ZUN_ROUTE_TEST_SUPPORT_H

#include <string>
#include <vector>

#include "standin/zunStandIn.h"
#include "zunAI.h"
#include "zunTestFixture.h"
#include "zunTestPaths.h"
#include "zunVectorChecks.h"

// A manager that opens the protected route members to the tests.
struct routeTestMgr : zunAIPathMgr {
    using zunAIPathMgr::createPath;
    using zunAIPathMgr::validateHeight;
};

// A wall of the level, given by two corners.
inline void wall(float x0, float y0, float z0, float x1, float y1, float z1)
{
    zunStandIn::addBox(cVector4(x0, y0, z0), cVector4(x1, y1, z1));
}

// A hook under which a walk's direct test is always blocked, its ground rays
// find nothing, and every sweep probe meets something `clearance` ahead
// (nothing when clearance is 0).
inline void blockDirectTests(float clearance = 0.0f)
{
    zunStandIn::setHitScan([clearance](const cVector4& o, const cVector4& d, float length, cVector4& hit) {
        if (d.z == -1.0f && length == 30.0f)
            return 0;   // validateHeight's ground ray
        if (length == 100.0f && clearance == 0.0f)
            return 0;
        hit = o + d * (length == 100.0f ? clearance : 0.5f);
        return 1;
    });
}

// Writes down what the route observer is told, one word each; a sweep as
// its step ("long", "short", "none") and keeps its clearance.
struct RouteWords : zunAIRouteObserver {
    std::vector<std::string> said;
    float clearance = -1.0f;
    void candidateJudged(int index, zunAIPath*, int verdict, float) override
    {
        static const char* const names[] = {"excluded", "marks",  "height", "direction", "goal-direction",
                                            "join",     "slope",  "sight",  "probe",     "scored"};
        said.push_back(std::to_string(index) + ":" + names[verdict]);
    }
    void searchEnded(int chosen, zunAIPath*, const cVector4&) override { said.push_back("chose " + std::to_string(chosen)); }
    void closingTested(int reason, const cVector4&, const cVector4&) override
    {
        static const char* const names[] = {"holds", "length", "height", "sight", "probe"};
        said.push_back(std::string("closing ") + names[reason]);
    }
    void routeEnded(int end) override
    {
        static const char* const names[] = {"closed", "same-path", "swap", "both-empty", "ten-passes", "empty-database"};
        said.push_back(std::string("end ") + names[end]);
    }
    void walkSwept(int, float, float swept, float, int step) override
    {
        clearance = swept;
        said.push_back(step == stepLong ? "long" : step == stepShort ? "short" : "none");
    }
    void walkEnded(int end) override
    {
        static const char* const names[] = {"direct", "near", "arrived", "thirty-passes", "hemmed-in"};
        said.push_back(std::string("walk ") + names[end]);
    }
};

// Rays recorded; a database, a manager for routes and walks, emptied before
// the fixture counts the blocks.
class RouteTest : public zunTest {
protected:
    void SetUp() override
    {
        zunTest::SetUp();
        zunStandIn::recordRays(true);
    }
    void TearDown() override
    {
        mgr.deleteAllPaths();
        db.deleteAllPaths();
        zunTest::TearDown();
    }
    const std::vector<zunStandIn::Ray>& rays() { return zunStandIn::rays(); }
    zunAIPathMgr db;
    routeTestMgr mgr;
};

#endif

// Walked paths: how a walk ends, where it steps, and what it costs in rays.
#include <cmath>

#include "zunRouteTestSupport.h"
#include "zunTestFixture.h"

namespace {

class PathCreation : public zunTest {
protected:
    void TearDown() override
    {
        mgr.deleteAllPaths();
        zunTest::TearDown();
    }
    routeTestMgr mgr;
};

// A hook under which the direct test toward the target is always blocked,
// ground rays find nothing, and every sweep probe meets something
// `clearance` ahead (nothing when clearance is 0).
void blockDirectTests(float clearance = 0.0f)
{
    zunStandIn::setHitScan([clearance](const cVector4& o, const cVector4& d, float length, cVector4& hit) {
        if (d.z == -1.0f && length == 30.0f)
            return 0;   // validateHeight's ground ray
        if (length == 100.0f) {
            if (clearance == 0.0f)
                return 0;
            hit = o + d * clearance;
            return 1;
        }
        hit = o + d * 0.5f;
        return 1;
    });
}

TEST_F(PathCreation, ClearLineGivesTheTargetAtTheStartHeight)
{
    zunStandIn::recordRays(true);
    cVector4 start(0, 0, 5), goal(30, 40, 90);
    zunAIPath* path = mgr.getPath(start, goal);
    ASSERT_NE(path, nullptr);
    ASSERT_EQ(path->getNumMarks(), 1);
    EXPECT_VEC_EQ(path->getMark(0)->position, cVector4(30, 40, 5));
    EXPECT_EQ(mgr.getPath(0), path) << "registered";

    const auto& rays = zunStandIn::rays();
    ASSERT_EQ(rays.size(), 9u) << "the direct test only";
    for (const auto& ray : rays) {
        EXPECT_FLOAT_EQ(ray.length, 50.0f);
        EXPECT_VEC_NEAR(ray.direction, 0.6f, 0.8f, 0.0f, 1e-6f);
    }
    EXPECT_VEC_NEAR(rays[4].origin, 0.0f, 0.0f, -7.0f, 1e-6f) << "centre ray 12.0 below the start";
    EXPECT_VEC_EQ(start, cVector4(0, 0, 5));
    EXPECT_VEC_EQ(goal, cVector4(30, 40, 90));
}

TEST_F(PathCreation, StartNearTheTargetGivesOneValidatedMark)
{
    wall(-100, -100, -5, 100, 100, 0);
    cVector4 start(0, 0, 20), goal(3, 4, 500);   // 5 away at the start's height
    zunAIPath* path = mgr.getPath(start, goal);
    ASSERT_EQ(path->getNumMarks(), 1);
    EXPECT_VEC_NEAR(path->getMark(0)->position, 0.0f, 0.0f, 24.7f, 1e-5f);
    EXPECT_EQ(zunStandIn::rayCount(), 1);
}

TEST_F(PathCreation, ThinWallSendsTheFirstLongStepToTheOpenSide)
{
    // 40 ahead across the heading, ending 30 toward -y, running far toward +y.
    wall(40, -30, -50, 41, 500, 50);
    cVector4 start(0, 0, 0), goal(200, 0, 0);
    zunAIPath* path = mgr.getPath(start, goal);
    ASSERT_GE(path->getNumMarks(), 2);
    const cVector4 first = path->getMark(0)->position;
    EXPECT_NEAR(first.len(), 8.0f, 1e-4f);
    EXPECT_NEAR(std::atan2(-first.y, first.x) * 180.0 / 3.14159265358979, 40.909, 0.01);

    // It gets round the wall to the goal without passing through it.
    EXPECT_VEC_EQ(path->getLastMark()->position, cVector4(200, 0, 0));
    cVector4 from = start;
    for (const cVector4& to : markPositions(path)) {
        cVector4 along = to - from;
        const float length = along.len();
        along.normalize();
        cVector4 hit;
        unsigned long a, b, c;
        EXPECT_EQ(zunHitScan(reinterpret_cast<float(*)[4]>(&from), reinterpret_cast<float(*)[4]>(&along), length,
                             reinterpret_cast<float(*)[4]>(&hit), &a, b, c, 0),
                  0);
        from = to;
    }
}

TEST_F(PathCreation, HemmedInStartGivesAnEmptyPathThatIsStillRegistered)
{
    wall(5, -10, -50, 6, 10, 50);
    wall(-6, -10, -50, -5, 10, 50);
    wall(-10, 5, -50, 10, 6, 50);
    wall(-10, -6, -50, 10, -5, 50);
    cVector4 start(0, 0, 0), goal(100, 0, 0);
    zunAIPath* path = mgr.getPath(start, goal);
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(path->getNumMarks(), 0);
    EXPECT_EQ(mgr.getNumPaths(), 1);
    EXPECT_EQ(zunStandIn::rayCount(), 9 + 33 * 9);
}

TEST_F(PathCreation, ArrivalRepeatsTheLastPointAndSkipsTheTarget)
{
    blockDirectTests();
    cVector4 start(0, 0, 0), goal(20, 0, 0);
    zunAIPath* path = mgr.getPath(start, goal);
    ASSERT_EQ(path->getNumMarks(), 3);
    EXPECT_NEAR(distance(path->getMark(0)->position, start), 8.0f, 1e-4f);
    EXPECT_VEC_EQ(path->getMark(1)->position, path->getMark(2)->position);
    EXPECT_LE(distance(path->getMark(2)->position, goal), 7.0f);
    EXPECT_GT(distance(path->getMark(2)->position, goal), 0.5f);
}

TEST_F(PathCreation, ThirtyPassesGiveAtMost31Marks)
{
    blockDirectTests();
    cVector4 start(0, 0, 0), goal(1000, 0, 0);
    zunAIPath* path = mgr.getPath(start, goal);
    ASSERT_EQ(path->getNumMarks(), 31);
    EXPECT_VEC_EQ(path->getMark(29)->position, path->getMark(30)->position);
    EXPECT_NEAR(path->getMark(30)->position.x, 240.0f, 0.5f);
    EXPECT_EQ(zunStandIn::rayCount(), 30 * (9 + 33 * 9 + 1) + 1);
}

TEST_F(PathCreation, ClearanceDecidesBetweenShortStepLongStepAndHemmedIn)
{
    cVector4 start(0, 0, 0), goal(500, 0, 0);
    struct Case { float clearance; float firstStep; };
    const Case cases[] = {
        {12.0f, 3.0f},    // short: 9.0 short of the obstacle
        {16.9f, 7.9f},    // still short
        {17.1f, 8.0f},    // long
        {9.01f, 0.01f},   // just above the least clearance
    };
    for (const Case& c : cases) {
        blockDirectTests(c.clearance);
        zunAIPath* path = mgr.createPath(start, goal);
        ASSERT_GE(path->getNumMarks(), 1) << c.clearance;
        const cVector4 first = path->getMark(0)->position;
        EXPECT_NEAR(first.len(), c.firstStep, 2e-4f) << c.clearance;
        EXPECT_NEAR(std::fabs(first.y), c.firstStep * std::sin(3.14159265f / 66.0f), 2e-4f) << c.clearance;
        delete path;
    }
    blockDirectTests(8.99f);
    zunAIPath* hemmed = mgr.createPath(start, goal);
    EXPECT_EQ(hemmed->getNumMarks(), 0);
    delete hemmed;
    EXPECT_EQ(mgr.getNumPaths(), 0) << "createPath registers nothing";
}

// The allocation sweeps cover every failure; the rules here: without its
// path object a walk casts nothing, and a path that cannot be registered is dropped.
TEST_F(PathCreation, FailedAllocationsOfThePathAndItsNodeGiveNull)
{
    cVector4 start(0, 0, 0), goal(50, 0, 0);
    for (int k : {0, 3}) {   // the path; its node in the list (after the path, a mark and its node)
        zunStandIn::clearCapture();
        zunStandIn::failAllocations(k, 1);
        EXPECT_EQ(mgr.getPath(start, goal), nullptr) << k;
        EXPECT_EQ(mgr.getNumPaths(), 0);
    }
    zunStandIn::clearCapture();
    zunStandIn::failAllocations(0, 1);
    mgr.getPath(start, goal);
    EXPECT_EQ(zunStandIn::rayCount(), 0) << "no probe before the path exists";
}

} // namespace

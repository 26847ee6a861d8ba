// Chained routes: how the two chains grow, when they close and what a route
// holds. Routes on the sample are pinned by the golden record.
#include "zunRouteTestSupport.h"

namespace {

typedef zunAIPathMgr::pathInfo pathInfo;

class PathQuery : public RouteTest {
protected:
    zunAIPath* route(cVector4 start, cVector4 goal, pathInfo* info)
    {
        return routes.getPath(start, goal, db, info);
    }
    // Two paths along +x: one from the start, one from the goal.
    void twoSides(float gap = 20.0f, float goalHeight = 0.0f)
    {
        storePath(db, {cVector4(0, 0, 0), cVector4(40, 0, 0)});
        storePath(db, {cVector4(80 + gap, 0, goalHeight), cVector4(40 + gap, 0, goalHeight)});
    }
    void TearDown() override
    {
        routes.deleteAllPaths();
        RouteTest::TearDown();
    }
    zunAIPathMgr routes;
    pathInfo nearOnly{10.0f, 60.0f, -0.707f, 4.0f};   // the first pass joins only paths underfoot
};

TEST_F(PathQuery, NothingFoundInTheFirstPassGivesNullEvenInPlainView)
{
    const long long before = zunStandIn::allocStats().allocations;
    EXPECT_EQ(route(cVector4(0, 0, 0), cVector4(10, 0, 0), nullptr), nullptr);
    EXPECT_EQ(zunStandIn::allocStats().allocations, before) << "an empty database allocates nothing";
    storePath(db, {cVector4(500, 500, 0), cVector4(510, 500, 0)});
    EXPECT_EQ(route(cVector4(0, 0, 0), cVector4(10, 0, 0), nullptr), nullptr);
    EXPECT_EQ(routes.getNumPaths(), 0);
}

// The goal's chain joins back to front; routes are registered fresh and hold
// copies of the marks.
TEST_F(PathQuery, RouteFromBothSidesJoinsTheGoalChainBackToFront)
{
    twoSides();
    cVector4 start(0, 0, 0), goal(100, 0, 0);
    zunAIPath* r = routes.getPath(start, goal, db, &nearOnly);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(xs(r), (std::vector<float>{0, 40, 60, 100}));
    EXPECT_EQ(routes.paths.tail->item, r);
    EXPECT_EQ(routes.getNumPaths(), 1);
    EXPECT_EQ(r->getCurMark(), 0);
    EXPECT_EQ(r->isActive(), 0);
    EXPECT_VEC_EQ(start, cVector4(0, 0, 0));
    EXPECT_VEC_EQ(goal, cVector4(100, 0, 0));
    for (int i = 0; i < 4; ++i)
        for (int p = 0; p < 2; ++p)
            for (int m = 0; m < 2; ++m)
                EXPECT_NE(r->getMark(i), db.getPath(p)->getMark(m));
    routes.deletePath(r);
    EXPECT_EQ(xs(db.getPath(0)), (std::vector<float>{0, 40}));
    EXPECT_EQ(xs(db.getPath(1)), (std::vector<float>{100, 60}));

    // No tuning means the defaults: the goal side jumps straight onto the
    // start's path, which both sides then share.
    pathInfo defaults;
    EXPECT_EQ(xs(route(start, goal, nullptr)), (std::vector<float>{0, 40}));
    EXPECT_EQ(xs(route(start, goal, &defaults)), (std::vector<float>{0, 40}));
}

TEST_F(PathQuery, OneSideAlone)
{
    // The same path chosen by both sides is taken whole, with no closing test.
    storePath(db, {cVector4(0, 0, 0), cVector4(30, 0, 0), cVector4(60, 0, 0)});
    EXPECT_EQ(xs(route(cVector4(-3, 0, 0), cVector4(63, 0, 0), nullptr)), (std::vector<float>{0, 30, 60}));
    EXPECT_EQ(zunStandIn::rayCount(), 2 * 10) << "the two searches' probes";

    // The goal side alone closes from the untouched start.
    db.deleteAllPaths();
    storePath(db, {cVector4(30, 0, 0), cVector4(10, 0, 0)});
    EXPECT_EQ(xs(route(cVector4(-5, 0, 0), cVector4(30, 0, 0), &nearOnly)), (std::vector<float>{10, 30}));
}

// The closing link is shorter than joinDist, rises less than 4.0 and is clear
// twelve below the start side; else the start chain alone is the route.
TEST_F(PathQuery, ClosingLinkLimitsAreStrict)
{
    const struct {
        float gap, goalHeight;
        std::vector<float> xs;
    } cases[] = {
        {59.5f, 0.0f, {0, 40, 99.5f, 139.5f}},
        {60.0f, 0.0f, {0, 40}},
        {20.0f, 3.99f, {0, 40, 60, 100}},
        {20.0f, 4.0f, {0, 40}},
    };
    pathInfo info{10.0f, 60.0f, -0.707f, 3.9f};
    for (const auto& c : cases) {
        db.deleteAllPaths();
        twoSides(c.gap, c.goalHeight);
        EXPECT_EQ(xs(route(cVector4(0, 0, 0), cVector4(80 + c.gap, 0, c.goalHeight), &info)), c.xs)
            << c.gap << ", " << c.goalHeight;
    }
    db.deleteAllPaths();
    twoSides();
    wall(49, -5, -14, 50, 5, -10);   // a kerb under the gap
    EXPECT_EQ(xs(route(cVector4(0, 0, 0), cVector4(100, 0, 0), &nearOnly)), (std::vector<float>{0, 40}));
}

// A row of paths 5 apart: each pass takes one more from either end. Ten
// passes close a row of twenty; a longer one ends with the start chain.
TEST_F(PathQuery, TenPassesChainPathsBetweenTheEnds)
{
    pathInfo info{10.0f, 10.0f, -0.707f, 4.0f};
    const struct {
        int paths;
        std::size_t marks;
    } cases[] = {{3, 6}, {20, 40}, {22, 20}};
    for (const auto& c : cases) {
        db.deleteAllPaths();
        for (int i = 0; i < c.paths; ++i)
            storePath(db, {cVector4(25.0f * i, 0, 0), cVector4(25.0f * i + 20, 0, 0)});
        zunAIPath* r = route(cVector4(0, 0, 0), cVector4(25.0f * c.paths - 5, 0, 0), &info);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(markPositions(r).size(), c.marks) << c.paths;
        EXPECT_EQ(r->getMark(0)->position.x, 0.0f);
    }
}

TEST_F(PathQuery, SidesSwappingPathsEndWithTheStartChain)
{
    // Two overlapping paths 5 apart in height: they can be joined (maxHeightDiff
    // 10) but never closed (4.0), so the sides take each other's paths.
    storePath(db, {cVector4(0, 0, 0), cVector4(20, 0, 0)});
    storePath(db, {cVector4(20, 0, 5), cVector4(0, 0, 5)});
    pathInfo info{1.0f, 60.0f, -0.707f, 10.0f};
    EXPECT_EQ(xs(route(cVector4(0, 0, 0), cVector4(20, 0, 5), &info)), (std::vector<float>{0, 20}));
}

TEST_F(PathQuery, GetCopyPathCopiesStoredPathsOfTwoMarksOrMore)
{
    storePath(db, {cVector4(1, 2, 3)});
    zunAIPath* stored = storePath(db, {cVector4(0, 0, 0), cVector4(5, 0, 0), cVector4(5, 5, 1)});
    stored->setActive(1);
    stored->setCurMark(2);
    EXPECT_EQ(db.getCopyPath(-1), nullptr);
    EXPECT_EQ(db.getCopyPath(2), nullptr);
    EXPECT_EQ(db.getCopyPath(0), nullptr) << "one mark";
    zunAIPath* copy = db.getCopyPath(1);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(xs(copy), (std::vector<float>{0, 5, 5}));
    EXPECT_VEC_EQ(copy->getMark(2)->position, cVector4(5, 5, 1));
    EXPECT_NE(copy->getMark(0), stored->getMark(0));
    EXPECT_EQ(copy->getCurMark(), 0);
    EXPECT_EQ(copy->isActive(), 0);
    EXPECT_EQ(db.paths.contains(copy), 0);
    delete copy;
}

// A route that cannot be registered is dropped, not leaked (the allocation
// sweeps cover every other failure).
TEST_F(PathQuery, ARouteThatCannotBeRegisteredIsDropped)
{
    twoSides();
    const long long before = zunStandIn::allocStats().allocations;
    ASSERT_NE(route(cVector4(0, 0, 0), cVector4(100, 0, 0), &nearOnly), nullptr);
    const int allocations = static_cast<int>(zunStandIn::allocStats().allocations - before);
    routes.deleteAllPaths();
    zunStandIn::failAllocations(allocations - 1, 1);
    EXPECT_EQ(route(cVector4(0, 0, 0), cVector4(100, 0, 0), &nearOnly), nullptr);
    EXPECT_EQ(routes.getNumPaths(), 0);
}

} // namespace

// Chained routes: how the two chains grow, when they close and what a route
// holds. Routes on the sample are pinned by the golden record; routes under
// failing allocations by the reliability sweeps.
#include <algorithm>

#include "zunRouteTestSupport.h"

namespace {

typedef zunAIPathMgr::pathInfo pathInfo;

class PathQuery : public RouteTest {
protected:
    zunAIPath* route(cVector4 start, cVector4 goal, pathInfo* info, zunAIRouteObserver* observer = nullptr)
    {
        return observer ? routes.getPath(start, goal, db, info, observer) : routes.getPath(start, goal, db, info);
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

// The goal's chain joins back to front; routes are registered and hold
// copies of the marks. No tuning means the defaults: the goal side jumps
// straight onto the start's path, which both sides then share.
TEST_F(PathQuery, RouteFromBothSidesJoinsTheGoalChainBackToFront)
{
    const long long before = zunStandIn::allocStats().allocations;
    EXPECT_EQ(route(cVector4(0, 0, 0), cVector4(10, 0, 0), nullptr), nullptr);
    EXPECT_EQ(zunStandIn::allocStats().allocations, before) << "an empty database allocates nothing";
    twoSides();
    zunAIPath* r = route(cVector4(0, 0, 0), cVector4(100, 0, 0), &nearOnly);
    EXPECT_EQ(xs(r), (std::vector<float>{0, 40, 60, 100}));
    ASSERT_EQ(routes.getPath(0), r);
    EXPECT_EQ(r->getCurMark(), 0);
    EXPECT_EQ(r->isActive(), 0);
    for (int i = 0; i < 4; ++i)
        for (int p = 0; p < 2; ++p)
            for (int m = 0; m < 2; ++m)
                EXPECT_NE(r->getMark(i), db.getPath(p)->getMark(m));
    routes.deletePath(r);
    EXPECT_EQ(xs(db.getPath(1)), (std::vector<float>{100, 60}));

    pathInfo defaults;
    EXPECT_EQ(xs(route(cVector4(0, 0, 0), cVector4(100, 0, 0), nullptr)), (std::vector<float>{0, 40}));
    EXPECT_EQ(xs(route(cVector4(0, 0, 0), cVector4(100, 0, 0), &defaults)), (std::vector<float>{0, 40}));
}

// How a request ends (as the observer is told), and the route it gives.
TEST_F(PathQuery, EveryEndAndItsRoute)
{
    pathInfo steps{10.0f, 10.0f, -0.707f, 4.0f};
    pathInfo swapping{1.0f, 60.0f, -0.707f, 10.0f};
    using Level = std::vector<std::vector<cVector4>>;
    const Level twoSides = {{cVector4(0, 0, 0), cVector4(40, 0, 0)}, {cVector4(100, 0, 0), cVector4(60, 0, 0)}};
    Level row;   // paths 5 apart: each pass takes one more from either end
    for (int i = 0; i < 22; ++i)
        row.push_back({cVector4(25.0f * i, 0, 0), cVector4(25.0f * i + 20, 0, 0)});
    const Level row20(row.begin(), row.begin() + 20);
    const struct {
        const char* name;
        Level paths;
        float kerbBottom, kerbTop;   // a kerb under the gap of the two sides; none when equal
        cVector4 start, goal;
        pathInfo* info;
        std::vector<std::string> ends;   // closing tests and the end, as told
        std::vector<float> xs;
    } cases[] = {
        {"empty", {}, 0, 0, cVector4(0, 0, 0), cVector4(10, 0, 0), nullptr, {"end empty-database"}, {}},
        {"nothing near", {{cVector4(500, 500, 0), cVector4(510, 500, 0)}}, 0, 0, cVector4(0, 0, 0),
         cVector4(10, 0, 0), nullptr, {"end both-empty"}, {}},
        {"one path for both sides", {{cVector4(0, 0, 0), cVector4(30, 0, 0), cVector4(60, 0, 0)}}, 0, 0,
         cVector4(-3, 0, 0), cVector4(63, 0, 0), nullptr, {"end same-path"}, {0, 30, 60}},
        {"the goal side alone", {{cVector4(30, 0, 0), cVector4(10, 0, 0)}}, 0, 0, cVector4(-5, 0, 0),
         cVector4(30, 0, 0), &nearOnly, {"closing holds", "end closed"}, {10, 30}},
        // Two overlapping paths 5 apart in height: they can be joined (10) but
        // never closed (4.0), so the sides take each other's paths.
        {"swap", {{cVector4(0, 0, 0), cVector4(20, 0, 0)}, {cVector4(20, 0, 5), cVector4(0, 0, 5)}}, 0, 0,
         cVector4(0, 0, 0), cVector4(20, 0, 5), &swapping, {"closing height", "end swap"}, {0, 20}},
        {"three paths in a row", Level(row.begin(), row.begin() + 3), 0, 0, cVector4(0, 0, 0), cVector4(70, 0, 0),
         &steps, {"closing length", "end same-path"}, {0, 20, 25, 45, 50, 70}},
        {"ten passes close twenty", row20, 0, 0, cVector4(0, 0, 0), cVector4(495, 0, 0), &steps,
         {"closing holds", "end closed"}, {}},
        {"a longer row", row, 0, 0, cVector4(0, 0, 0), cVector4(545, 0, 0), &steps,
         {"closing length", "end ten-passes"}, {}},
        {"kerb on the centre line", twoSides, -14.0f, -10.0f, cVector4(0, 0, 0), cVector4(100, 0, 0), &nearOnly,
         {"closing sight", "end both-empty"}, {0, 40}},
        {"kerb beside the centre line", twoSides, -11.5f, -10.5f, cVector4(0, 0, 0), cVector4(100, 0, 0),
         &nearOnly, {"closing probe", "end both-empty"}, {0, 40}},
    };
    for (const auto& c : cases) {
        zunStandIn::clearLevel();
        db.deleteAllPaths();
        for (const auto& marks : c.paths) {
            zunAIPath* path = storePath(db, {});
            for (cVector4 mark : marks)
                path->addMark(mark);
        }
        if (c.kerbBottom != c.kerbTop)
            wall(49, -5, c.kerbBottom, 50, 5, c.kerbTop);
        RouteWords words;
        zunAIPath* r = route(c.start, c.goal, c.info, &words);
        std::vector<std::string> ends;
        for (const std::string& word : words.said)
            if (word.compare(0, 4, "end ") == 0 || word.compare(0, 8, "closing ") == 0)
                ends.push_back(word);
        EXPECT_EQ(std::vector<std::string>(ends.end() - std::min(ends.size(), c.ends.size()), ends.end()), c.ends)
            << c.name;
        if (c.paths.size() >= 20)
            EXPECT_EQ(xs(r).size(), c.paths.size() == 20 ? 40u : 20u) << c.name;
        else
            EXPECT_EQ(xs(r), c.xs) << c.name;
        EXPECT_EQ(xs(route(c.start, c.goal, c.info)), xs(r)) << c.name << ": the plain request";
    }
}

// The closing link is shorter than joinDist and rises less than 4.0.
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
}

// Copies of stored paths of two marks or more, fresh. (Indices out of range
// and copies left unregistered: the allocation sweeps.)
TEST_F(PathQuery, GetCopyPathCopiesStoredPathsOfTwoMarksOrMore)
{
    storePath(db, {{1, 2, 3}});
    zunAIPath* stored = storePath(db, {{0, 0, 0}, {5, 0, 0}, {5, 5, 1}});
    stored->setActive(1);
    stored->setCurMark(2);
    EXPECT_EQ(db.getCopyPath(0), nullptr) << "one mark";
    zunAIPath* copy = db.getCopyPath(1);
    EXPECT_VEC_EQ(copy->getMark(2)->position, cVector4(5, 5, 1));
    EXPECT_NE(copy->getMark(0), stored->getMark(0));
    EXPECT_EQ(copy->getCurMark(), 0);
    EXPECT_EQ(copy->isActive(), 0);
    delete copy;
}

} // namespace

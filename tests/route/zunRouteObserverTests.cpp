// The route observer: every verdict, closing reason and end told as the
// module decides, and observing changes no answer, ray or allocation.
#include <functional>
#include <string>
#include <vector>

#include "zunRouteTestSupport.h"

namespace {

typedef zunAIPathMgr::pathInfo pathInfo;

// What one run of a request left: its marks, its rays and its allocations.
struct RequestRun {
    std::vector<cVector4> marks;
    std::vector<zunStandIn::Ray> rays;
    long long allocations;
};

template <typename Request>
RequestRun runOnce(Request request)
{
    zunStandIn::clearCapture();
    zunStandIn::recordRays(true);
    const long long before = zunStandIn::allocStats().allocations;
    zunAIPath* path = request();
    RequestRun run{path ? markPositions(path) : std::vector<cVector4>(), zunStandIn::rays(),
            zunStandIn::allocStats().allocations - before};
    zunStandIn::recordRays(false);
    return run;
}

void expectSameRun(const RequestRun& a, const RequestRun& b)
{
    ASSERT_EQ(a.marks.size(), b.marks.size());
    for (std::size_t i = 0; i < a.marks.size(); ++i)
        EXPECT_VEC_EQ(a.marks[i], b.marks[i]);
    ASSERT_EQ(a.rays.size(), b.rays.size());
    for (std::size_t i = 0; i < a.rays.size(); ++i) {
        EXPECT_VEC_EQ(a.rays[i].origin, b.rays[i].origin);
        EXPECT_VEC_EQ(a.rays[i].direction, b.rays[i].direction);
        EXPECT_EQ(a.rays[i].length, b.rays[i].length);
    }
    EXPECT_EQ(a.allocations, b.allocations);
}

class RouteObserver : public RouteTest {
protected:
    routeTestMgr& routes = mgr;
};

TEST_F(RouteObserver, EveryVerdictOfOneSearchInTheOrderOfThePaths)
{
    // The goal lies 10 higher, so the slope test applies.
    zunAIPath* excluded = storePath(db, {cVector4(5, -2, 0), cVector4(60, -2, 0)});
    storePath(db, {cVector4(1, 0, 0)});                                                   // marks
    storePath(db, {cVector4(5, 0, 10), cVector4(60, 0, 10)});                             // height
    storePath(db, {cVector4(10, 0, 0), cVector4(-50, 0, 0)});                             // direction
    storePath(db, {cVector4(-2, 0, 0), cVector4(-60, 0, 0), cVector4(60, 300, 0)});       // goal-direction
    storePath(db, {cVector4(200, 0, 0), cVector4(300, 0, 0)});                            // join
    storePath(db, {cVector4(5, 10, 0), cVector4(50, 10, -30)});                           // slope
    storePath(db, {cVector4(0, -40, 0), cVector4(50, -40, 0)});                           // sight
    storePath(db, {cVector4(0, 40, 0), cVector4(50, 40, 0)});                             // probe
    storePath(db, {cVector4(5, 0, 0), cVector4(60, 0, 0)});                               // scored
    wall(-10, -21, -20, 10, -20, 20);      // across the sight line to path 7
    wall(-5, 15, -11.5f, 5, 20, -10.5f);   // a kerb under the way to path 8, above the probe's centre ray

    cVector4 from(0, 0, 0), to(100, 0, 10), exitPoint;
    int reversed = 0;
    RouteWords recorder;
    const RequestRun observed = runOnce([&] {
        return db.findBestPath(from, to, exitPoint, reversed, 150.0f, -0.707f, excluded, 4.0f, &recorder);
    });
    EXPECT_EQ(recorder.said, (std::vector<std::string>{"0:excluded", "1:marks", "2:height", "3:direction",
                                                       "4:goal-direction", "5:join", "6:slope", "7:sight",
                                                       "8:probe", "9:scored", "chose 9"}));
    const RequestRun plain = runOnce(
        [&] { return db.findBestPath(from, to, exitPoint, reversed, 150.0f, -0.707f, excluded, 4.0f); });
    expectSameRun(observed, plain);
}

TEST_F(RouteObserver, EveryEndOfAChainedRequestAndItsClosingTests)
{
    pathInfo nearOnly{10.0f, 60.0f, -0.707f, 4.0f};
    pathInfo steps{10.0f, 10.0f, -0.707f, 4.0f};
    pathInfo swapping{1.0f, 60.0f, -0.707f, 10.0f};
    using Level = std::vector<std::vector<cVector4>>;
    const Level twoSides = {{cVector4(0, 0, 0), cVector4(40, 0, 0)}, {cVector4(100, 0, 0), cVector4(60, 0, 0)}};
    Level row;
    for (int i = 0; i < 12; ++i)
        row.push_back({cVector4(25.0f * i, 0, 0), cVector4(25.0f * i + 20, 0, 0)});
    const struct {
        const char* name;
        Level paths;
        float kerbBottom, kerbTop;   // a kerb under the gap of the two sides; none when equal
        cVector4 start, goal;
        pathInfo* info;
        std::vector<std::string> expected;   // words the recorder must have heard
    } cases[] = {
        {"empty", {}, 0, 0, cVector4(0, 0, 0), cVector4(10, 0, 0), nullptr, {"end empty-database"}},
        {"nothing near", {{cVector4(500, 500, 0), cVector4(510, 500, 0)}}, 0, 0, cVector4(0, 0, 0), cVector4(10, 0, 0),
         nullptr, {"end both-empty"}},
        {"two sides", twoSides, 0, 0, cVector4(0, 0, 0), cVector4(100, 0, 0), &nearOnly, {"closing holds", "end closed"}},
        {"one path", {{cVector4(0, 0, 0), cVector4(30, 0, 0), cVector4(60, 0, 0)}}, 0, 0, cVector4(-3, 0, 0),
         cVector4(63, 0, 0), nullptr, {"end same-path"}},
        {"swap", {{cVector4(0, 0, 0), cVector4(20, 0, 0)}, {cVector4(20, 0, 5), cVector4(0, 0, 5)}}, 0, 0,
         cVector4(0, 0, 0), cVector4(20, 0, 5), &swapping, {"closing height", "end swap"}},
        {"a long row", row, 0, 0, cVector4(0, 0, 0), cVector4(1000, 0, 0), &steps, {"closing length", "end ten-passes"}},
        {"kerb on the centre line", twoSides, -14.0f, -10.0f, cVector4(0, 0, 0), cVector4(100, 0, 0), &nearOnly,
         {"closing sight"}},
        {"kerb beside the centre line", twoSides, -11.5f, -10.5f, cVector4(0, 0, 0), cVector4(100, 0, 0), &nearOnly,
         {"closing probe"}},
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
        cVector4 start = c.start, goal = c.goal;
        RouteWords recorder;
        const RequestRun observed = runOnce([&] { return routes.getPath(start, goal, db, c.info, &recorder); });
        for (const std::string& word : c.expected)
            EXPECT_TRUE(recorder.has(word)) << c.name << ": " << word;
        const RequestRun plain = runOnce([&] { return routes.getPath(start, goal, db, c.info); });
        expectSameRun(observed, plain);
    }
}

TEST_F(RouteObserver, EveryEndOfAWalk)
{
    struct Case {
        const char* name;
        std::function<void()> level;
        cVector4 goal;
        std::vector<std::string> said;
    };
    auto blocked = [](float clearance) { return [clearance] { blockDirectTests(clearance); }; };
    const std::vector<Case> cases = {
        {"clear", [] {}, cVector4(100, 0, 0), {"walk direct"}},
        {"near", [] {}, cVector4(5, 0, 0), {"walk near"}},
        {"arrives", blocked(50.0f), cVector4(20, 0, 0), {"long", "long", "walk arrived"}},
        {"short steps", blocked(12.0f), cVector4(5.5f, 9, 0), {"short", "short", "walk arrived"}},
        {"hemmed in", blocked(8.0f), cVector4(100, 0, 0), {"none", "walk hemmed-in"}},
    };
    for (const Case& c : cases) {
        zunStandIn::setHitScan({});
        c.level();
        cVector4 start(0, 0, 0), goal = c.goal;
        RouteWords recorder;
        const RequestRun observed = runOnce([&] { return routes.getPath(start, goal, &recorder); });
        EXPECT_EQ(recorder.said, c.said) << c.name;
        const RequestRun plain = runOnce([&] { return routes.getPath(start, goal); });
        expectSameRun(observed, plain);
    }
    blocked(50.0f)();
    cVector4 start(0, 0, 0), far(1000, 0, 0);
    RouteWords recorder;
    routes.getPath(start, far, &recorder);
    EXPECT_EQ(recorder.said.size(), 31u);
    EXPECT_EQ(recorder.said.back(), "walk thirty-passes");
}

} // namespace

// Walked paths and the terrain probes: how a walk ends and where it steps,
// and the edges of the probes' rules. Walks and probes on boxes, on the
// sample and on scripted hooks are pinned ray by ray by the golden record.
#include <cmath>

#include "zunRouteTestSupport.h"

namespace {

using PathCreation = RouteTest;

// A start within 7 of the target (at the start's height) gives the start,
// validated; beyond 7 the walk begins, a clear line giving the target at the
// start's height after the direct test alone. (getPath registers what the
// walk gives: the allocation sweeps.)
TEST_F(PathCreation, ArrivalRadiusAtTheStart)
{
    wall(-100, -100, -5, 100, 100, 0);
    const struct {
        float goalX;
        cVector4 mark;
        int rays;
        const char* end;
    } cases[] = {
        {5.0f, cVector4(0, 0, 24.7f), 1, "walk near"},
        {7.0f, cVector4(0, 0, 24.7f), 1, "walk near"},
        {7.5f, cVector4(7.5f, 0, 20), 9, "walk direct"},
    };
    for (const auto& c : cases) {
        zunStandIn::clearCapture();
        cVector4 start(0, 0, 20), goal(c.goalX, 0, 500);
        RouteWords words;
        zunAIPath* path = mgr.createPath(start, goal, &words);
        ASSERT_EQ(path->getNumMarks(), 1) << c.goalX;
        EXPECT_VEC_NEAR(path->getMark(0)->position, c.mark.x, c.mark.y, c.mark.z, 1e-5f) << c.goalX;
        EXPECT_EQ(zunStandIn::rayCount(), c.rays) << c.goalX;
        EXPECT_EQ(words.said, std::vector<std::string>{c.end});
        EXPECT_VEC_EQ(goal, cVector4(c.goalX, 0, 500)) << "the target is only read";
        delete path;
    }
}

// Arrival after a step repeats the last point and never adds the target; the
// last of thirty passes closes the path the same way. With every sweep probe
// clear the two candidates beside the heading score alike: the earlier one
// (turned toward +y) wins.
TEST_F(PathCreation, ArrivalAndThirtyPassesRepeatTheLastPoint)
{
    blockDirectTests();
    cVector4 start(0, 0, 0), goal(20, 0, 0), far(1000, 0, 0);
    RouteWords words;
    zunAIPath* path = mgr.createPath(start, goal, &words);
    ASSERT_EQ(path->getNumMarks(), 3);
    EXPECT_NEAR((path->getMark(0)->position - start).len(), 8.0f, 1e-4f);
    EXPECT_VEC_EQ(path->getMark(1)->position, path->getMark(2)->position);
    EXPECT_LE((path->getMark(2)->position - goal).len(), 7.0f);
    EXPECT_EQ(words.said.back(), "walk arrived");
    delete path;

    zunStandIn::clearCapture();
    path = mgr.createPath(start, far, &words);
    ASSERT_EQ(path->getNumMarks(), 31);
    EXPECT_GT(path->getMark(0)->position.y, 0.0f);
    EXPECT_VEC_EQ(path->getMark(29)->position, path->getMark(30)->position);
    EXPECT_NEAR(path->getMark(30)->position.x, 240.0f, 0.5f);
    EXPECT_EQ(zunStandIn::rayCount(), 30 * (9 + 33 * 9 + 1) + 1);
    EXPECT_EQ(words.said.back(), "walk thirty-passes");
    delete path;
}

// The clearance ahead decides: at most 9 hemmed in, at most 17 a short step
// stopping 9 short of the obstacle, else a long step of 8.
TEST_F(PathCreation, ClearanceDecidesBetweenShortStepLongStepAndHemmedIn)
{
    cVector4 start(0, 0, 0), goal(500, 0, 0);
    const struct {
        float clearance, firstStep;
    } cases[] = {
        {12.0f, 3.0f}, {16.9f, 7.9f}, {17.1f, 8.0f}, {9.01f, 0.01f}, {8.99f, -1.0f},
    };
    for (const auto& c : cases) {
        blockDirectTests(c.clearance);
        zunAIPath* path = mgr.createPath(start, goal);
        if (c.firstStep < 0.0f) {
            EXPECT_EQ(path->getNumMarks(), 0);
        } else {
            ASSERT_GE(path->getNumMarks(), 1) << c.clearance;
            const cVector4 first = path->getMark(0)->position;
            EXPECT_NEAR(first.len(), c.firstStep, 2e-4f) << c.clearance;
            EXPECT_NEAR(std::fabs(first.y), c.firstStep * std::sin(3.14159265f / 66.0f), 2e-4f) << c.clearance;
        }
        delete path;
    }
    EXPECT_EQ(mgr.getNumPaths(), 0) << "createPath registers nothing";

    // A best clearance of exactly 9 (found among the floats near it) is hemmed in.
    bool met = false;
    for (float hook = 9.0f - 1e-4f; hook < 9.0f + 1e-4f && !met; hook = std::nextafter(hook, 100.0f)) {
        blockDirectTests(hook);
        RouteWords words;
        delete mgr.createPath(start, goal, &words);
        met = words.clearance == 9.0f;
        if (met) {
            EXPECT_EQ(words.said, (std::vector<std::string>{"none", "walk hemmed-in"}));
        }
    }
    EXPECT_TRUE(met) << "no sweep measured exactly 9";
}

using Probes = RouteTest;

// Floor top at z = 0; a point `above` it is snapped to the hover height only
// within 5 of it, the edge included.
TEST_F(Probes, ValidateHeightSnapsOnlyWithin5OfTheHoverHeight)
{
    const struct {
        float above, expected;
    } cases[] = {
        {24.7f, 24.7f}, {20.0f, 24.7f}, {29.0f, 24.7f},
        {29.7f, 24.7f},   // exactly 5 too high
        {19.7f, 24.7f},   // exactly 5 too low
        {10.0f, 10.0f}, {29.8f, 29.8f},
        {31.0f, 31.0f},   // no ground within 30: w kept too
    };
    zunStandIn::setHitScan([](const cVector4& o, const cVector4&, float length, cVector4& hit) {
        hit = cVector4(o.x, o.y, 0.0f);
        return o.z <= length ? 1 : 0;
    });
    for (const auto& c : cases) {
        zunStandIn::clearCapture();
        cVector4 point = vec4(3.0f, 4.0f, c.above, 0.5f);
        const cVector4 result = mgr.validateHeight(point);
        EXPECT_VEC_EQ(result, cVector4(3.0f, 4.0f, c.expected)) << c.above;
        EXPECT_EQ(result.w, c.above > 30.0f ? 0.5f : 1.0f) << c.above;
        EXPECT_EQ(point.z, c.above) << "the argument is only read";
        ASSERT_EQ(rays().size(), 1u);
        EXPECT_VEC_EQ(rays()[0].direction, cVector4(0, 0, -1));
        EXPECT_EQ(rays()[0].length, 30.0f);
    }
}

// No direction: nothing cast, no number drawn, hitOut untouched; a row of no
// rays still draws its shift.
TEST_F(Probes, ZeroDirectionsCastNothingAndEmptyRowsStillDraw)
{
    wall(-50, -50, -50, 50, 50, 50);   // everything would hit
    cVector4 origin(0, 0, 0), zero(0, 0, 0), span(0, 0, 10), east(1, 0, 0), hitOut(1, 2, 3);
    const int seed = mgr.rndSeed;
    EXPECT_EQ(mgr.isBlocked(origin, zero, 10.0f, 0), 0);
    EXPECT_EQ(mgr.isBlockedHorzTurn(origin, zero, 10.0f, 1.0f, 0), 0);
    EXPECT_EQ(mgr.isBlockedVertScan(origin, span, zero, 10.0f, 0.0f, 4, &hitOut), 0);
    EXPECT_EQ(mgr.isBlockedArrayScan(origin, 2, 2, zero, 10.0f, 0.0f, 2, 2, &hitOut), 0);
    EXPECT_EQ(mgr.rndSeed, seed);
    EXPECT_VEC_EQ(hitOut, cVector4(1, 2, 3));

    zunAIPathMgr twin;
    twin.rnd();
    EXPECT_EQ(mgr.isBlockedVertScan(origin, span, east, 10.0f, 0.0f, 0, &hitOut), 0);
    EXPECT_EQ(mgr.rndSeed, twin.rndSeed);
    EXPECT_EQ(zunStandIn::rayCount(), 0);
}

// Grids of no columns or no rows keep one column or one row (at the top);
// a vertical direction has no lateral axis; negative counts cast nothing.
TEST_F(Probes, ArrayScanDegenerateGrids)
{
    cVector4 centre(0, 0, 0), east(1, 0, 0), up(0, 0, 1);
    const struct {
        int cols, rows;
        std::vector<cVector4> origins;
    } cases[] = {
        {0, 1, {cVector4(0, -2, 3), cVector4(0, -2, -3)}},
        {1, 0, {cVector4(0, -2, 3), cVector4(0, 2, 3)}},
        {-1, 2, {}},
        {2, -1, {}},
    };
    for (const auto& c : cases) {
        zunStandIn::clearCapture();
        EXPECT_EQ(mgr.isBlockedArrayScan(centre, 4.0f, 6.0f, east, 10.0f, 0.0f, c.cols, c.rows, nullptr), 0);
        ASSERT_EQ(rays().size(), c.origins.size()) << c.cols << "x" << c.rows;
        for (std::size_t i = 0; i < c.origins.size(); ++i)
            EXPECT_VEC_NEAR(rays()[i].origin, c.origins[i].x, c.origins[i].y, c.origins[i].z, 1e-5f);
    }
    zunStandIn::clearCapture();
    mgr.isBlockedArrayScan(centre, 4.0f, 6.0f, up, 10.0f, 0.0f, 2, 2, nullptr);
    ASSERT_EQ(rays().size(), 9u);
    for (int i = 0; i < 9; ++i)
        EXPECT_VEC_EQ(rays()[i].origin, rays()[(i / 3) * 3].origin);
}

} // namespace

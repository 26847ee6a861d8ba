// Terrain probes: the edges of their rules. Ordinary rays and answers are
// pinned by the golden record's probe scenes.
#include "zunRouteTestSupport.h"

namespace {

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

// Terrain probes: the rays each probe casts and what it makes of the hits.
#include <cmath>

#include "route/zunTurnHorizontal.h"
#include "zunRouteTestSupport.h"
#include "zunTestFixture.h"
#include "zunVectorChecks.h"

namespace {

constexpr float halfPi = 1.57079632679489661923f;

class Probes : public zunTest {
protected:
    void SetUp() override
    {
        zunTest::SetUp();
        zunStandIn::recordRays(true);
    }
    const std::vector<zunStandIn::Ray>& rays() { return zunStandIn::rays(); }
    routeTestMgr mgr;
};

TEST_F(Probes, TurnHorizontalTurnsPositiveAnglesTowardMinusY)
{
    const cVector4 east = vec4(1.0f, 0.0f, 0.5f, 7.0f);
    const cVector4 right = turnHorizontal(east, halfPi);
    EXPECT_VEC_NEAR(right, 0.0f, -1.0f, 0.5f, 1e-6f);
    EXPECT_EQ(right.w, 1.0f);
    EXPECT_VEC_NEAR(turnHorizontal(east, -halfPi), 0.0f, 1.0f, 0.5f, 1e-6f);
}

// Floor top at z = 0; the point stands `above` over it.
struct HeightCase { float above; float expected; };

class ValidateHeightBands : public Probes, public ::testing::WithParamInterface<HeightCase> {};

TEST_P(ValidateHeightBands, SnapsToTheHoverHeightOnlyWithin5OfIt)
{
    wall(-100, -100, -5, 100, 100, 0);
    cVector4 point = vec4(3.0f, 4.0f, GetParam().above, 0.5f);
    const cVector4 result = mgr.validateHeight(point);
    EXPECT_FLOAT_EQ(result.z, GetParam().expected);
    EXPECT_EQ(result.x, 3.0f);
    EXPECT_EQ(result.y, 4.0f);
    EXPECT_EQ(point.z, GetParam().above) << "the argument is only read";

    ASSERT_EQ(rays().size(), 1u);
    EXPECT_VEC_EQ(rays()[0].direction, cVector4(0, 0, -1));
    EXPECT_EQ(rays()[0].length, 30.0f);
}

INSTANTIATE_TEST_SUITE_P(Bands, ValidateHeightBands,
                         ::testing::Values(HeightCase{24.7f, 24.7f},   // at the hover height
                                           HeightCase{20.0f, 24.7f},   // raised by 4.7
                                           HeightCase{29.0f, 24.7f},   // lowered by 4.3
                                           HeightCase{10.0f, 10.0f},   // ground too close
                                           HeightCase{29.8f, 29.8f},   // ground too far
                                           HeightCase{31.0f, 31.0f})); // no ground within 30

TEST_F(Probes, ValidateHeightKeepsWOnlyWhenNothingIsBelow)
{
    cVector4 point = vec4(0.0f, 0.0f, 50.0f, 0.25f);
    EXPECT_EQ(mgr.validateHeight(point).w, 0.25f);
    wall(-10, -10, 35, 10, 10, 40);   // 10 below: hit, but too close to correct
    EXPECT_EQ(mgr.validateHeight(point).w, 1.0f);
    EXPECT_EQ(mgr.validateHeight(point).z, 50.0f);
}

TEST_F(Probes, ValidateTracePassesTheDirectionAsGiven)
{
    wall(10, -5, -5, 11, 5, 5);
    cVector4 origin(0, 0, 0), direction(2, 0, 0), third = vec4(7, 8, 9, 2);
    float clear = -1.0f;
    EXPECT_EQ(mgr.validateTrace(origin, direction, third, clear, 20.0f), 1);
    EXPECT_EQ(clear, -1.0f) << "a hit leaves clearLength alone";
    EXPECT_EQ(mgr.validateTrace(origin, direction, third, clear, 5.0f), 0);
    EXPECT_EQ(clear, 5.0f);
    EXPECT_VEC_EQ(third, cVector4(7, 8, 9));
    EXPECT_EQ(third.w, 2.0f);
    ASSERT_EQ(rays().size(), 2u);
    EXPECT_VEC_EQ(rays()[0].direction, direction);
}

TEST_F(Probes, ZeroDirectionsCastNothingAndLeaveHitOutAlone)
{
    wall(-50, -50, -50, 50, 50, 50);   // everything would hit
    cVector4 origin(0, 0, 0), zero(0, 0, 0), span(0, 0, 10);
    cVector4 hitOut(1, 2, 3);
    const int seed = mgr.rndSeed;
    EXPECT_EQ(mgr.isBlocked(origin, zero, 10.0f, 0), 0);
    EXPECT_EQ(mgr.isBlockedHorzTurn(origin, zero, 10.0f, 1.0f, 0), 0);
    EXPECT_EQ(mgr.isBlockedVertScan(origin, span, zero, 10.0f, 0.0f, 4, &hitOut), 0);
    EXPECT_EQ(mgr.isBlockedArrayScan(origin, 2, 2, zero, 10.0f, 0.0f, 2, 2, &hitOut), 0);
    EXPECT_EQ(zunStandIn::rayCount(), 0);
    EXPECT_EQ(mgr.rndSeed, seed) << "no draw without a direction";
    EXPECT_VEC_EQ(hitOut, cVector4(1, 2, 3));
}

TEST_F(Probes, IsBlockedNormalisesAndHorzTurnTurns)
{
    wall(-1, -12, -1, 1, -11, 1);   // 11 along -y
    cVector4 origin(0, 0, 0), east(3, 0, 0);
    EXPECT_EQ(mgr.isBlocked(origin, east, 20.0f, 0), 0);
    EXPECT_EQ(mgr.isBlockedHorzTurn(origin, east, 20.0f, halfPi, 0), 1);
    EXPECT_EQ(mgr.isBlockedHorzTurn(origin, east, 10.0f, halfPi, 0), 0) << "beyond the length";
    ASSERT_EQ(rays().size(), 3u);
    EXPECT_VEC_EQ(rays()[0].direction, cVector4(1, 0, 0));
    EXPECT_VEC_NEAR(rays()[1].direction, 0.0f, -1.0f, 0.0f, 1e-6f);
}

TEST_F(Probes, VertScanWithCountZeroStillDraws)
{
    cVector4 origin(0, 0, 0), span(0, 0, 10), east(1, 0, 0);
    zunAIPathMgr twin;
    twin.rnd();
    EXPECT_EQ(mgr.isBlockedVertScan(origin, span, east, 10.0f, 0.0f, 0, nullptr), 0);
    EXPECT_EQ(zunStandIn::rayCount(), 0);
    EXPECT_EQ(mgr.rndSeed, twin.rndSeed);
}

TEST_F(Probes, VertScanShiftsEveryOriginByOneDrawnFraction)
{
    // Hits nearer the higher a ray starts: the nearest is the top ray's.
    zunStandIn::setHitScan([](const cVector4& o, const cVector4& d, float, cVector4& hit) {
        hit = o + d * (20.0f - o.z);
        return 1;
    });
    cVector4 origin(1, 2, 0), span(0, 0, 10), east(1, 0, 0), hitOut;
    zunAIPathMgr twin;
    const float r = twin.rnd();
    EXPECT_EQ(mgr.isBlockedVertScan(origin, span, east, 50.0f, 0.0f, 5, &hitOut), 1);
    ASSERT_EQ(rays().size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_FLOAT_EQ(rays()[i].origin.z, (static_cast<float>(i) + r) * 2.0f) << i;
        EXPECT_EQ(rays()[i].origin.x, 1.0f);
        EXPECT_EQ(rays()[i].length, 50.0f);
    }
    EXPECT_VEC_EQ(hitOut, rays()[4].hit) << "the nearest hit point itself";
    EXPECT_EQ(mgr.isBlockedVertScan(origin, span, east, 50.0f, 0.0f, 5, nullptr), 1);
}

TEST_F(Probes, ArrayScanCastsNineRaysRowByRowFromTheTop)
{
    cVector4 centre(10, 20, 30), east(5, 0, 0), hitOut(-1, -1, -1);
    EXPECT_EQ(mgr.isBlockedArrayScan(centre, 2.0f, 2.0f, east, 40.0f, 0.0f, 2, 2, &hitOut), 0);
    EXPECT_VEC_EQ(hitOut, cVector4(-1, -1, -1)) << "no hit, no write";
    ASSERT_EQ(rays().size(), 9u);
    const float lateral[3] = {-1.0f, 0.0f, 1.0f};
    const float height[3] = {1.0f, 0.0f, -1.0f};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            const zunStandIn::Ray& ray = rays()[row * 3 + col];
            EXPECT_VEC_NEAR(ray.origin, 10.0f, 20.0f + lateral[col], 30.0f + height[row], 1e-5f);
            EXPECT_VEC_EQ(ray.direction, cVector4(1, 0, 0));
            EXPECT_EQ(ray.length, 40.0f);
        }
}

TEST_F(Probes, ArrayScanHandsOutTheCentreLineAtTheNearestDistance)
{
    // The bottom-right ray meets something 4.0 ahead, every other ray 6.0.
    zunStandIn::setHitScan([](const cVector4& o, const cVector4& d, float, cVector4& hit) {
        const bool outer = o.y > 0.5f && o.z < -0.5f;
        hit = o + d * (outer ? 4.0f : 6.0f);
        return 1;
    });
    cVector4 centre(0, 0, 0), north(0, 1, 0), hitOut;
    // Turned by pi/2 the grid faces +x.
    EXPECT_EQ(mgr.isBlockedArrayScan(centre, 2.0f, 2.0f, north, 40.0f, halfPi, 2, 2, &hitOut), 1);
    EXPECT_VEC_NEAR(hitOut, 4.0f, 0.0f, 0.0f, 1e-5f);
    EXPECT_EQ(hitOut.w, 1.0f);
    EXPECT_EQ(mgr.isBlockedArrayScan(centre, 2.0f, 2.0f, north, 40.0f, halfPi, 2, 2, nullptr), 1);
}

TEST_F(Probes, ArrayScanDegenerateGrids)
{
    cVector4 centre(0, 0, 0), east(1, 0, 0), up(0, 0, 1);
    mgr.isBlockedArrayScan(centre, 4.0f, 6.0f, east, 10.0f, 0.0f, 0, 1, nullptr);
    ASSERT_EQ(rays().size(), 2u) << "cols 0: one column";
    EXPECT_VEC_NEAR(rays()[0].origin, 0.0f, -2.0f, 3.0f, 1e-5f);
    EXPECT_VEC_NEAR(rays()[1].origin, 0.0f, -2.0f, -3.0f, 1e-5f);

    zunStandIn::clearCapture();
    mgr.isBlockedArrayScan(centre, 4.0f, 6.0f, east, 10.0f, 0.0f, 1, 0, nullptr);
    ASSERT_EQ(rays().size(), 2u) << "rows 0: one row, at the top";
    EXPECT_VEC_NEAR(rays()[0].origin, 0.0f, -2.0f, 3.0f, 1e-5f);
    EXPECT_VEC_NEAR(rays()[1].origin, 0.0f, 2.0f, 3.0f, 1e-5f);

    zunStandIn::clearCapture();
    mgr.isBlockedArrayScan(centre, 4.0f, 6.0f, up, 10.0f, 0.0f, 2, 2, nullptr);
    ASSERT_EQ(rays().size(), 9u) << "vertical: no lateral axis";
    for (int i = 0; i < 9; ++i)
        EXPECT_VEC_EQ(rays()[i].origin, rays()[(i / 3) * 3].origin);

    zunStandIn::clearCapture();
    EXPECT_EQ(mgr.isBlockedArrayScan(centre, 4.0f, 6.0f, east, 10.0f, 0.0f, 2, -1, nullptr), 0);
    EXPECT_EQ(mgr.isBlockedArrayScan(centre, 4.0f, 6.0f, east, 10.0f, 0.0f, -1, 2, nullptr), 0);
    EXPECT_EQ(zunStandIn::rayCount(), 0);
}

} // namespace

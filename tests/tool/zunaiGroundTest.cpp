// Ground queries: floors below a point on open ground, a ramp and stacked
// storeys; points on the ground; warnings for points given at odd heights.

#include <string>
#include <vector>

#include "zunTestFixture.h"
#include "zunaiError.h"
#include "zunaiGround.h"

namespace {

using Ground = zunTest;

void quad(zunaiLevelMesh& mesh, zunaiPoint a, zunaiPoint b, zunaiPoint c, zunaiPoint d)
{
    mesh.triangles.push_back(zunaiTriangle{{a, b, c}});
    mesh.triangles.push_back(zunaiTriangle{{a, c, d}});
}

// A slab from z0 to z1 over [x0, x1] x [y0, y1]: its top and bottom (sides
// are never met by vertical rays).
void slab(zunaiLevelMesh& mesh, float x0, float y0, float x1, float y1, float z0, float z1)
{
    for (float z : {z0, z1})
        quad(mesh, {x0, y0, z}, {x1, y0, z}, {x1, y1, z}, {x0, y1, z});
}

// Ground at 0 over [-100, 100]^2; a ramp over x in [0, 100], y in [0, 40]
// rising from 0 to 20; a building of two upper storeys (slabs 60-62 and
// 120-122) over [-100, -60] x [60, 100].
zunaiLevelMesh level()
{
    zunaiLevelMesh mesh;
    quad(mesh, {-100, -100, 0}, {100, -100, 0}, {100, 100, 0}, {-100, 100, 0});
    quad(mesh, {0, 0, 0}, {100, 0, 20}, {100, 40, 20}, {0, 40, 0});
    slab(mesh, -100, 60, -60, 100, 60, 62);
    slab(mesh, -100, 60, -60, 100, 120, 122);
    zunaiMeasureMesh(mesh);
    zunaiLoadIntoStandIn(mesh);
    return mesh;
}

std::vector<float> grounds(const std::vector<zunaiFloor>& floors)
{
    std::vector<float> z;
    for (const zunaiFloor& f : floors) {
        EXPECT_FLOAT_EQ(f.mark, f.ground + 24.7f);
        z.push_back(f.ground);
    }
    return z;
}

TEST_F(Ground, FloorsHighestFirstOnGroundRampAndStoreys)
{
    const zunaiLevelMesh mesh = level();
    const struct {
        zunaiPointInput at;
        std::vector<float> floors;
    } cases[] = {
        {{-50, -50, {}}, {0}},
        {{50, 20, {}}, {10, 0}},
        {{75, 20, 40.0f}, {15, 0}},
        {{-80, 80, {}}, {122, 120, 62, 60, 0}},
        {{-80, 80, 90.0f}, {62, 60, 0}},
        {{150, 0, {}}, {}},
    };
    for (const auto& c : cases) {
        const std::vector<float> found = grounds(zunaiProbePoint(mesh, c.at).floors);
        ASSERT_EQ(found.size(), c.floors.size()) << zunaiFormatPoint(c.at);
        for (std::size_t i = 0; i < found.size(); ++i)
            EXPECT_NEAR(found[i], c.floors[i], 1e-3) << zunaiFormatPoint(c.at);
    }
}

TEST_F(Ground, PointsOnTheGroundAndWarningsForOddHeights)
{
    const zunaiLevelMesh mesh = level();
    EXPECT_FLOAT_EQ(zunaiPlacePoint(mesh, {-80, 80, {}}).at.z, 122 + 24.7f);
    EXPECT_NEAR(zunaiPlacePoint(mesh, {50, 20, {}}).at.z, 10 + 24.7f, 1e-3);
    try {
        zunaiPlacePoint(mesh, {150, 0, {}});
        FAIL();
    } catch (const zunaiError& e) {
        EXPECT_EQ(e.message, "no ground at 150,0: a ray cast down there meets nothing");
    }

    const struct {
        zunaiPointInput at;
        std::string warning;
    } cases[] = {
        {{-50, -50, 24.7f}, ""},
        {{-80, 80, 90.0f}, ""},
        {{-80, 80, 61.0f}, "point -80,80,61 lies inside the level's geometry (3 surfaces above it)"},
        {{-50, -50, 0.0f},
         "point -50,-50,0 is 0 above the floor below it (at 0); marks stand 24.7 above the ground (X,Y puts a point "
         "there)"},
        {{-50, -50, 100.0f},
         "point -50,-50,100 is 100 above the floor below it (at 0); marks stand 24.7 above the ground (X,Y puts a "
         "point there)"},
        {{150, 0, 24.7f}, "point 150,0,24.7 has no floor below it"},
    };
    for (const auto& c : cases) {
        const zunaiPlacedPoint placed = zunaiPlacePoint(mesh, c.at);
        EXPECT_EQ(placed.warning, c.warning);
        EXPECT_EQ(placed.at.z, *c.at.z);
    }
}

TEST_F(Ground, PointTexts)
{
    zunaiPointInput p;
    ASSERT_TRUE(zunaiReadPointInput("+1.5,-2", p));
    EXPECT_EQ(zunaiFormatPoint(p), "1.5,-2");
    ASSERT_TRUE(zunaiReadPointInput("1,2,3e1", p));
    EXPECT_EQ(zunaiFormatPoint(p), "1,2,30");
    for (const char* bad : {"", "1", "1,", "1,2,", "1,2,3,4", "a,b", "1,,2", "1, 2", "nan,0", "1e99,0"})
        EXPECT_FALSE(zunaiReadPointInput(bad, p)) << bad;
}

} // namespace

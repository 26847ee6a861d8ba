// Levels: glTF files turned z up and scaled, the reasons given for files
// that cannot be read; floors below a point on open ground, a ramp and
// stacked storeys, points placed on the ground and warnings for odd heights.

#include <cstdint>
#include <string>
#include <vector>

#include "zunTestFixture.h"
#include "zunaiBase64.h"
#include "zunaiError.h"
#include "zunaiGround.h"
#include "zunaiLevelImport.h"
#include "zunaiToolTestSupport.h"

namespace {

using namespace zunaiTestSupport;
using Level = zunTest;

// One triangle, y up, (0,0,0) (1,0,0) (0,0,-1), in a node moved 10 up.
const float gltfCorners[9] = {0, 0, 0, 1, 0, 0, 0, 0, -1};
const std::string gltfBuffer(reinterpret_cast<const char*>(gltfCorners), sizeof gltfCorners);

std::string gltfJson(const std::string& bufferUri)
{
    return R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0]}],)"
           R"("nodes":[{"mesh":0,"translation":[0,10,0]}],)"
           R"("meshes":[{"primitives":[{"attributes":{"POSITION":0}}]}],)"
           R"("accessors":[{"bufferView":0,"componentType":5126,"count":3,"type":"VEC3","min":[0,0,-1],"max":[1,0,0]}],)"
           R"("bufferViews":[{"buffer":0,"byteLength":36}],"buffers":[{"byteLength":36)" +
           (bufferUri.empty() ? std::string() : R"(,"uri":")" + bufferUri + "\"") + "}]}";
}

std::string glb()
{
    const auto u32 = [](std::size_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
    std::string json = gltfJson("");
    json.resize((json.size() + 3) / 4 * 4, ' ');
    // The buffer's 36 bytes are already a multiple of 4.
    const std::string body =
        u32(json.size()) + "JSON" + json + u32(gltfBuffer.size()) + std::string("BIN\0", 4) + gltfBuffer;
    return "glTF" + u32(2) + u32(12 + body.size()) + body;
}

zunaiLevelMesh import(const TempDir& dir, const std::string& name, const std::string& text, zunaiImportOptions options)
{
    writeFile(dir / name, text);
    return zunaiImportLevel(dir / name, name, options);
}

// The complaint about `text` as the file `name` (a coordinate that is no
// number and a missing file are refused end to end, by zunai).
std::string importError(const TempDir& dir, const std::string& name, const std::string& text)
{
    try {
        import(dir, name, text, zunaiImportOptions{});
    } catch (const zunaiError& e) {
        return e.message;
    }
    return "(no error)";
}

// OBJ files turned and scaled are read end to end (zunai probe on a y-up
// level in metres); glTF and its binary form here, a node's move included.
TEST_F(Level, GltfAndGlbTurnedAndScaled)
{
    TempDir dir;
    const zunaiImportOptions yUp{zunaiUp::Y, 2.0};
    const zunaiLevelMesh gltf =
        import(dir, "tri.gltf", gltfJson("data:application/octet-stream;base64," + zunaiBase64(gltfBuffer)), yUp);
    const zunaiLevelMesh binary = import(dir, "tri.glb", glb(), yUp);
    for (const zunaiLevelMesh* mesh : {&gltf, &binary}) {
        ASSERT_EQ(mesh->triangles.size(), 1u);
        // (0, 10, 0) after the node's move, turned z up and doubled; (0, 0, -1) likewise.
        const zunaiPoint* c = mesh->triangles[0].corner;
        EXPECT_EQ((std::vector<float>{c[0].x, c[0].y, c[0].z, c[2].x, c[2].y, c[2].z}),
                  (std::vector<float>{0, 0, 20, 0, 2, 20}));
    }
}

TEST_F(Level, BrokenFilesNamedWithLineAndReason)
{
    TempDir dir;
    std::string many;
    for (int i = 0; i < 8950; ++i)
        many += "v " + std::to_string(i) + " 0 0\n";
    for (int i = 0; i < 1202; ++i)
        many += "f 1 2 3\n";
    many += "f 1 2 9001\n";
    const struct {
        const char* name;
        std::string text;
        std::string message;
    } cases[] = {
        {"index.obj", many, "level file index.obj, line 10153: face 1,203 refers to vertex 9,001; the file has 8,950"},
        {"zero.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 0 1 2\n",
         "level file zero.obj, line 4: face 1 refers to vertex 0; vertices count from 1"},
        {"back.obj", "v 0 0 0\nv 1 0 0\nf -1 -2 -3\nv 0 1 0\n",
         "level file back.obj, line 3: face 1 refers to vertex -3, counted back from the 2 vertices before it"},
        {"short.obj", "v 0 0\n", "level file short.obj, line 1: vertex 1 has 2 coordinates; it needs 3"},
        {"edge.obj", "v 0 0 0\nv 1 0 0\nf 1 2\n",
         "level file edge.obj, line 3: face 1 has 2 corners; a face needs 3 or more"},
        {"empty.obj", "# a comment and an object name, but no faces\no level\nv 0 0 0\n",
         "level file empty.obj: no triangles in it"},
        {"broken.gltf", "{\"asset\": ",
         "level file broken.gltf: not glTF 2.0 (malformed JSON, or no asset with version \"2.0\")"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(importError(dir, c.name, c.text), c.message) << c.name;
    // The importer's own reasons for what it began to read, without our folder.
    const std::string truncated = importError(dir, "short.glb", glb().substr(0, 40));
    EXPECT_EQ(truncated.rfind("level file short.glb: ", 0), 0u) << truncated;
    EXPECT_EQ(truncated.find(dir.dir().string()), std::string::npos) << truncated;
}

// Ground at 0 over [-100, 100]^2; a ramp over x in [0, 100], y in [0, 40]
// rising from 0 to 20; a building of two upper storeys (slabs 60-62 and
// 120-122, their tops and bottoms) over [-100, -60] x [60, 100].
zunaiLevelMesh ground()
{
    zunaiLevelMesh mesh;
    addQuad(mesh, {-100, -100, 0}, {100, -100, 0}, {100, 100, 0}, {-100, 100, 0});
    addQuad(mesh, {0, 0, 0}, {100, 0, 20}, {100, 40, 20}, {0, 40, 0});
    for (float z : {60.0f, 62.0f, 120.0f, 122.0f})
        addQuad(mesh, {-100, 60, z}, {-60, 60, z}, {-60, 100, z}, {-100, 100, z});
    zunaiMeasureMesh(mesh);
    zunaiLoadIntoStandIn(mesh);
    return mesh;
}

// The floors below a point, highest first; where a point without a height
// is placed (on the highest), and the warning for a point whose height is
// odd: inside the geometry, over no floor, or not 19.7 to 30 above its floor.
TEST_F(Level, FloorsBelowPointsPlacedAndWarningsForOddHeights)
{
    const zunaiLevelMesh mesh = ground();
    const std::string hover =
        " above the floor below it (at 0); marks stand 24.7 above the ground (X,Y puts a point there)";
    const struct {
        zunaiPointInput at;
        std::vector<float> floors;
        std::string warning;
    } cases[] = {
        {{-50, -50, {}}, {0}, ""},
        {{50, 20, {}}, {10, 0}, ""},
        {{75, 20, 40.0f}, {15, 0}, ""},
        {{-80, 80, {}}, {122, 120, 62, 60, 0}, ""},
        {{-80, 80, 90.0f}, {62, 60, 0}, ""},
        {{150, 0, {}}, {}, ""},
        {{-50, -50, 24.7f}, {0}, ""},
        {{-50, -50, 30.0f}, {0}, ""},
        {{-50, -50, 19.6f}, {0}, "point -50,-50,19.6 is 19.6" + hover},
        {{-50, -50, 0.0f}, {0}, "point -50,-50,0 is 0" + hover},
        {{-50, -50, 100.0f}, {0}, "point -50,-50,100 is 100" + hover},
        {{-80, 80, 61.0f}, {60, 0}, "point -80,80,61 lies inside the level's geometry (3 surfaces above it)"},
        {{150, 0, 24.7f}, {}, "point 150,0,24.7 has no floor below it"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(zunaiFormatPoint(c.at));
        const zunaiProbe probe = zunaiProbePoint(mesh, c.at);
        ASSERT_EQ(probe.floors.size(), c.floors.size());
        for (std::size_t i = 0; i < c.floors.size(); ++i) {
            EXPECT_NEAR(probe.floors[i].ground, c.floors[i], 1e-3);
            EXPECT_FLOAT_EQ(probe.floors[i].mark, probe.floors[i].ground + 24.7f);
        }
        EXPECT_EQ(probe.warning, c.warning);
        if (c.at.z || !c.floors.empty()) {
            EXPECT_FLOAT_EQ(zunaiPlacePoint(mesh, c.at).at.z, c.at.z ? *c.at.z : c.floors[0] + 24.7f);
        }
    }

    // Points as batch files give them.
    zunaiPointInput p;
    ASSERT_TRUE(zunaiReadPointInput("+1.5,-2", p));
    EXPECT_EQ(zunaiFormatPoint(p), "1.5,-2");
    ASSERT_TRUE(zunaiReadPointInput("1,2,3e1", p));
    EXPECT_EQ(zunaiFormatPoint(p), "1,2,30");
    for (const char* bad : {"", "1", "1,", "1,2,", "1,2,3,4", "a,b", "1,,2", "1, 2", "nan,0", "1e99,0"})
        EXPECT_FALSE(zunaiReadPointInput(bad, p)) << bad;
}

} // namespace

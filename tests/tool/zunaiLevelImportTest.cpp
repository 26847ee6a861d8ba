// Level import: OBJ and glTF files turned z up and scaled, and the reasons
// given for files that cannot be read.

#include <cstdint>
#include <cstring>
#include <string>

#include "zunTestFixture.h"
#include "zunaiBase64.h"
#include "zunaiError.h"
#include "zunaiLevelImport.h"
#include "zunaiToolTestSupport.h"

namespace {

using namespace zunaiTestSupport;
using LevelImport = zunTest;

// One triangle, y up, (0,0,0) (1,0,0) (0,0,-1), in a node moved 10 up.
const float gltfCorners[9] = {0, 0, 0, 1, 0, 0, 0, 0, -1};

std::string gltfJson(const std::string& bufferUri)
{
    return R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0]}],)"
           R"("nodes":[{"mesh":0,"translation":[0,10,0]}],)"
           R"("meshes":[{"primitives":[{"attributes":{"POSITION":0}}]}],)"
           R"("accessors":[{"bufferView":0,"componentType":5126,"count":3,"type":"VEC3","min":[0,0,-1],"max":[1,0,0]}],)"
           R"("bufferViews":[{"buffer":0,"byteLength":36}],"buffers":[{"byteLength":36)" +
           (bufferUri.empty() ? std::string() : R"(,"uri":")" + bufferUri + "\"") + "}]}";
}

std::string gltfBuffer() { return std::string(reinterpret_cast<const char*>(gltfCorners), sizeof gltfCorners); }

std::string littleEndian(std::uint32_t v)
{
    return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}

std::string glb()
{
    std::string json = gltfJson("");
    while (json.size() % 4) json += ' ';
    const std::string bin = gltfBuffer();   // 36 bytes, already a multiple of 4
    const std::string body = littleEndian(std::uint32_t(json.size())) + "JSON" + json +
                             littleEndian(std::uint32_t(bin.size())) + std::string("BIN\0", 4) + bin;
    return "glTF" + littleEndian(2) + littleEndian(std::uint32_t(12 + body.size())) + body;
}

zunaiLevelMesh import(const TempDir& dir, const std::string& name, const std::string& text, zunaiImportOptions options)
{
    writeFile(dir / name, text);
    return zunaiImportLevel(dir / name, name, options);
}

std::string importError(const TempDir& dir, const std::string& name, const std::string& text)
{
    writeFile(dir / name, text);
    try {
        zunaiImportLevel(dir / name, name, zunaiImportOptions{});
    } catch (const zunaiError& e) {
        return e.message;
    }
    return "(no error)";
}

void expectCorner(const zunaiPoint& p, float x, float y, float z)
{
    EXPECT_FLOAT_EQ(p.x, x);
    EXPECT_FLOAT_EQ(p.y, y);
    EXPECT_FLOAT_EQ(p.z, z);
}

TEST_F(LevelImport, ObjTurnedAndScaledQuadsFanned)
{
    TempDir dir;
    const std::string quad = "v 0 0 0\nv 1 0 0\nv 1 2 0\nv 0 2 0\nf 1 2 3 4\n";
    const zunaiLevelMesh asIs = import(dir, "quad.obj", quad, zunaiImportOptions{});
    ASSERT_EQ(asIs.triangles.size(), 2u);
    expectCorner(asIs.max, 1, 2, 0);

    // y up in metres: (x, y, z) -> (x, -z, y), then times 100.
    const zunaiLevelMesh turned = import(dir, "quad.obj", quad, zunaiImportOptions{zunaiUp::Y, 100.0});
    ASSERT_EQ(turned.triangles.size(), 2u);
    expectCorner(turned.min, 0, 0, 0);
    expectCorner(turned.max, 100, 0, 200);
}

TEST_F(LevelImport, GltfAndGlbWithTheirNodesPlacement)
{
    TempDir dir;
    const zunaiImportOptions yUp{zunaiUp::Y, 2.0};
    const zunaiLevelMesh gltf =
        import(dir, "tri.gltf", gltfJson("data:application/octet-stream;base64," + zunaiBase64(gltfBuffer())), yUp);
    const zunaiLevelMesh binary = import(dir, "tri.glb", glb(), yUp);
    for (const zunaiLevelMesh* mesh : {&gltf, &binary}) {
        ASSERT_EQ(mesh->triangles.size(), 1u);
        // (0, 10, 0) after the node's move, turned z up and doubled.
        expectCorner(mesh->triangles[0].corner[0], 0, 0, 20);
        expectCorner(mesh->triangles[0].corner[2], 0, 2, 20);
    }
}

TEST_F(LevelImport, BrokenFilesNamedWithLineAndReason)
{
    TempDir dir;
    std::string many;
    for (int i = 0; i < 8950; ++i) many += "v " + std::to_string(i) + " 0 0\n";
    for (int i = 0; i < 1202; ++i) many += "f 1 2 3\n";
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
        {"coordinate.obj", "# a comment\nv 0 0 0\nv 1 zero 0\n",
         "level file coordinate.obj, line 3: vertex 2 has a coordinate that is no number ('zero')"},
        {"short.obj", "v 0 0\n", "level file short.obj, line 1: vertex 1 has 2 coordinates; it needs 3"},
        {"edge.obj", "v 0 0 0\nv 1 0 0\nf 1 2\n",
         "level file edge.obj, line 3: face 1 has 2 corners; a face needs 3 or more"},
        {"empty.obj", "# a comment and an object name, but no faces\no level\nv 0 0 0\n", "level file empty.obj: no triangles in it"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(importError(dir, c.name, c.text), c.message) << c.name;

    // glTF the importer cannot read, and its own reasons for what it began to read.
    EXPECT_EQ(importError(dir, "broken.gltf", "{\"asset\": "),
              "level file broken.gltf: not glTF 2.0 (malformed JSON, or no asset with version \"2.0\")");
    const std::string truncated = importError(dir, "short.glb", glb().substr(0, 40));
    EXPECT_EQ(truncated.rfind("level file short.glb: ", 0), 0u) << truncated;
    EXPECT_EQ(truncated.find(dir.path().string()), std::string::npos) << truncated;
    EXPECT_EQ(importError(dir, "missing.obj", std::string()).find("level file missing.obj"), 0u);
    std::filesystem::remove(dir / "missing.obj");
    try {
        zunaiImportLevel(dir / "missing.obj", "missing.obj", zunaiImportOptions{});
        FAIL();
    } catch (const zunaiError& e) {
        EXPECT_EQ(e.message, "cannot read level file missing.obj");
    }
}

} // namespace

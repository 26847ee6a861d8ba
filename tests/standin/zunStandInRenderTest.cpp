// The stand-in render library: vectors, the level and its ray test, OBJ
// levels, the hook and what zunHitScan and the debug outputs capture. The
// fuzz checks, replayed by the reliability suite, hold the ray test to a
// test of every triangle and to the exact geometry.

#include <cmath>
#include <random>
#include <string>

#include "host/zunRender.h"
#include "standin/render/zunStandInLevel.h"
#include "zunScratchGame.h"
#include "zunTestFixture.h"
#include "zunVectorChecks.h"

namespace {

struct Cast {
    int result;
    cVector4 hit;
};

// zunHitScan as the module calls it, with hit preset to a marker.
Cast cast(const cVector4& origin, const cVector4& direction, float length) {
    float o[4] = {origin.x, origin.y, origin.z, origin.w};
    float d[4] = {direction.x, direction.y, direction.z, direction.w};
    float h[4] = {-7.0f, -7.0f, -7.0f, 5.0f};
    unsigned long a = 9, b = 9, c = 9;
    const int result = zunHitScan(&o, &d, length, &h, &a, b, c, 0);
    EXPECT_EQ(a + b + c, 0ul);
    return Cast{result, vec4(h[0], h[1], h[2], h[3])};
}

// A 20 x 20 floor at z = 0 around the origin.
void addFloor(float z = 0.0f) {
    zunStandIn::addTriangle(cVector4(-10, -10, z), cVector4(10, -10, z), cVector4(10, 10, z));
    zunStandIn::addTriangle(cVector4(-10, -10, z), cVector4(10, 10, z), cVector4(-10, 10, z));
}

class zunStandInRenderTest : public zunTest {
protected:
    std::string writeFile(const std::string& name, const std::string& text) {
        zunWriteFile(game.dir() / name, text);
        return (game.dir() / name).string();
    }
    zunScratchGame game{"zunai-render"};
};

TEST(zunVectorTest, ArithmeticOnXyzWithWOne) {
    EXPECT_VEC4_EQ(cVector4(), vec4(0, 0, 0, 1));
    const cVector4 a = vec4(1, 2, 3, 7), b = vec4(0.5f, -2, 4, 9);
    EXPECT_VEC4_EQ(a + b, vec4(1.5f, 0, 7, 1));
    EXPECT_VEC4_EQ(a - b, vec4(0.5f, 4, -1, 1));
    EXPECT_VEC4_EQ(a * 2.0f, vec4(2, 4, 6, 1));
    EXPECT_VEC4_EQ(a / 4.0f, vec4(0.25f, 0.5f, 0.75f, 1));
    cVector4 acc = a;
    acc += b;
    EXPECT_VEC4_EQ(acc, vec4(1.5f, 0, 7, 7));   // += keeps w

    cVector4 v = vec4(3, 0, 4, 100);
    EXPECT_EQ(v.len(), 5.0f);   // w takes no part
    v.normalize();
    EXPECT_VEC4_EQ(v, vec4(0.6f, 0, 0.8f, 100));
    cVector4 zero(0, 0, 0);
    zero.normalize();   // stays zero
    EXPECT_VEC_EQ(zero, cVector4(0, 0, 0));
}

TEST_F(zunStandInRenderTest, NearestHitAtItsDistanceFromEitherSide) {
    addFloor(0.0f);
    addFloor(-3.0f);
    EXPECT_VEC4_EQ(cast(cVector4(1, 2, 5), cVector4(0, 0, -1), 100).hit, vec4(1, 2, 0, 5));   // w left alone
    EXPECT_EQ(cast(cVector4(1, 2, -8), cVector4(0, 0, 1), 100).hit.z, -3.0f);
    // An unnormalised direction still measures length in world units.
    EXPECT_EQ(cast(cVector4(0, 0, 5), cVector4(0, 0, -50), 5.5f).result, 1);
    EXPECT_EQ(cast(cVector4(0, 0, 5), cVector4(0, 0, -50), 4.5f).result, 0);
    // Slanted ray: distance along the ray, not along z.
    EXPECT_VEC_NEAR(cast(cVector4(0, 0, 4), cVector4(3, 0, -4), 5.01f).hit, 3.0f, 0.0f, 0.0f, 1e-5f);
    EXPECT_EQ(cast(cVector4(0, 0, 4), cVector4(3, 0, -4), 4.9f).result, 0);
    // Away from the floor, or past its edge: clear.
    EXPECT_EQ(cast(cVector4(0, 0, 5), cVector4(0, 0, 1), 100).result, 0);
    EXPECT_EQ(cast(cVector4(11, 0, 5), cVector4(0, 0, -1), 100).result, 0);
    Cast clear = cast(cVector4(0, 0, 5), cVector4(1, 0, 0), 100);
    EXPECT_EQ(clear.result, 0);
    EXPECT_EQ(clear.hit.x, -7.0f);   // hit untouched on a miss
    // The length is inclusive; a zero direction, a negative or NaN length never hit.
    EXPECT_EQ(cast(cVector4(0, 0, 10), cVector4(0, 0, -1), 10.0f).result, 1);
    EXPECT_EQ(cast(cVector4(0, 0, 10), cVector4(0, 0, -1), std::nextafter(10.0f, 0.0f)).result, 0);
    EXPECT_EQ(cast(cVector4(0, 0, 0), cVector4(0, 0, -1), 0.0f).result, 1);   // starts on the floor
    EXPECT_EQ(cast(cVector4(0, 0, 1), cVector4(0, 0, 0), 10.0f).result, 0);
    EXPECT_EQ(cast(cVector4(0, 0, 1), cVector4(0, 0, -1), -5.0f).result, 0);
    EXPECT_EQ(cast(cVector4(0, 0, 1), cVector4(0, 0, -1), NAN).result, 0);
}

TEST_F(zunStandInRenderTest, BoxesAreClosedAndSeamless) {
    zunStandIn::addBox(cVector4(2.7f, 1.3f, 0.9f), cVector4(0.1f, 0.3f, 0.1f));   // corners in any order
    EXPECT_EQ(zunStandIn::triangleCount(), 12);
    const cVector4 centre(1.4f, 0.8f, 0.5f);
    const cVector4 dirs[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    const float expected[6] = {2.7f, 0.1f, 1.3f, 0.3f, 0.9f, 0.1f};
    for (int i = 0; i < 6; ++i) {
        Cast c = cast(centre, dirs[i], 10);
        ASSERT_EQ(c.result, 1) << i;
        const float along = i < 2 ? c.hit.x : i < 4 ? c.hit.y : c.hit.z;
        EXPECT_NEAR(along, expected[i], 1e-5f) << i;
    }
    // Rays down through the seam of the top face's two triangles, and along
    // its edges, all meet the box.
    for (int k = 0; k <= 100; ++k) {
        const float f = static_cast<float>(k) / 100.0f;
        const float x = 0.1f + 2.6f * f, y = 0.3f + 1.0f * f;
        EXPECT_EQ(cast(cVector4(x, y, 5), cVector4(0, 0, -1), 10).result, 1) << "diagonal " << k;
        EXPECT_EQ(cast(cVector4(x, 0.3f, 5), cVector4(0, 0, -1), 10).result, 1) << "edge " << k;
    }
}

TEST_F(zunStandInRenderTest, RaysThroughSharedEdgesHit) {
    // Two triangles folded along a shared edge leave no gap for rounding to
    // let a ray through, unless it runs almost in their plane.
    std::mt19937 rng(77);
    std::uniform_real_distribution<float> pos(-300, 300), unit(-1, 1), along(0, 1);
    int rays = 0;
    for (int pair = 0; pair < 300; ++pair) {
        zunStandIn::clearLevel();
        const cVector4 a(pos(rng), pos(rng), pos(rng));
        const cVector4 b = a + cVector4(unit(rng), unit(rng), unit(rng)) * 30.0f;
        const cVector4 c = a + cVector4(unit(rng), unit(rng), unit(rng)) * 30.0f;
        zunStandIn::addTriangle(a, b, c);
        zunStandIn::addTriangle(b, a, a + b - c);
        const cVector4 e1 = b - a, e2 = c - a;
        cVector4 normal(e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z, e1.x * e2.y - e1.y * e2.x);
        normal.normalize();
        for (int k = 0; k < 50; ++k) {
            const cVector4 onEdge = a + (b - a) * along(rng);
            const cVector4 origin = onEdge + cVector4(unit(rng), unit(rng), unit(rng)) * 40.0f;
            const cVector4 direction = onEdge - origin;
            const float cosine = (normal.x * direction.x + normal.y * direction.y + normal.z * direction.z) / direction.len();
            if (std::fabs(cosine) < 0.1f) continue;
            ++rays;
            ASSERT_EQ(cast(origin, direction, 200).result, 1) << "pair " << pair << " ray " << k;
        }
    }
    EXPECT_GT(rays, 10000);
}

TEST_F(zunStandInRenderTest, DegenerateLevelsKeepTheHierarchyShallow) {
    // Centres spaced ever wider, and identical triangles that no split can
    // separate: the build must stay shallow and still find every triangle.
    float x = 1.0f;
    for (int i = 0; i < 300; ++i, x *= 1.25f)
        zunStandIn::addTriangle(cVector4(x, -1, -1), cVector4(x, 1, -1), cVector4(x, 0, 1));
    for (int i = 0; i < 200; ++i) addFloor(-5.0f);   // identical triangles
    zunStandIn::addTriangle(cVector4(0, 0, 0), cVector4(NAN, 0, 0), cVector4(0, 1, 0));   // never hits
    EXPECT_EQ(zunStandIn::triangleCount(), 701);
    EXPECT_LE(zunStandIn::levelStats().maxDepth, 96);
    // A miss leaves the hit at its marker: each hit point below is a hit.
    EXPECT_EQ(cast(cVector4(0, 0, 0), cVector4(0, 0, -1), 10).hit.z, -5.0f);
    EXPECT_EQ(cast(cVector4(0.5f, 0, 0), cVector4(1, 0, 0), 1e30f).hit.x, 1.0f);
    const float y = x / 1.25f;   // the farthest triangle
    EXPECT_NEAR(cast(cVector4(y * 1.1f, 0, 0), cVector4(-1, 0, 0), y).hit.x, y, y * 1e-6f);
}

TEST_F(zunStandInRenderTest, LoadsObjFaces) {
    addFloor(-50.0f);   // replaced by the load
    const std::string path = writeFile("good.obj",
        "\xEF\xBB\xBF# a level\r\n"
        "mtllib level.mtl\r\n"
        "o thing\r\ng part\r\ns 1\r\nusemtl stone\r\n"
        "v 0 0 0\r\nv 10 0 0\r\nv 10 10 0\r\nv 0 10 0\r\n"
        "vt 0 0\r\nvn 0 0 1\r\n"
        "\r\n"
        "f -4/1/1 -3/1/1 -2/1/1 -1/1/1\r\n"                    // quad: 2 triangles, back to the first vertex
        "v 0\t0  5\n"                                         // tabs and runs of spaces
        "v +20 0 5 1.0\nv 20 10 5 # inline comment\nv 10 15 5\nv 0.0 10e0 5\n"
        "f -5//1 -4//1 -3//1 -2//1 -1//1\n"                   // pentagon: 3 triangles
        "f 1 2 3");                                           // no final line end
    ASSERT_TRUE(zunStandIn::loadLevel(path.c_str()));
    EXPECT_EQ(zunStandIn::triangleCount(), 6);
    // Down onto each triangle: the quad's second and first, each of the fan's.
    const cVector4 onto[] = {{2, 8, 0}, {5, 1, 0}, {15, 4, 5}, {3, 1, 5}, {10, 14, 5}, {2, 9, 5}};
    for (const cVector4& p : onto)
        EXPECT_EQ(cast(cVector4(p.x, p.y, p.z + 1), cVector4(0, 0, -1), 10).hit.z, p.z) << p.x << ", " << p.y;
    EXPECT_EQ(cast(cVector4(0, 0, -49), cVector4(0, 0, -1), 10).result, 0);   // old level gone
}

TEST_F(zunStandInRenderTest, RefusesBrokenObjAndKeepsTheLevel) {
    addFloor(0.0f);
    const std::string base = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
    const char* broken[] = {
        "v 1 2 x\n", "v 1,5 2 3\n", "v 1 2\n", "v 1 2 nan\n", "v 1 2 1e99\n", "v 1 2 3 q\n",
        "f 0 1 2\n", "f 1 2 4\n", "f -4 1 2\n", "f 1 2\n", "f 1 2 3x\n", "f 1/a 2 3\n", "f 1//2z 2 3\n",
        "f +-1 2 3\n",
    };
    for (const char* tail : broken) {
        const std::string path = writeFile("broken.obj", base + tail);
        EXPECT_FALSE(zunStandIn::loadLevel(path.c_str())) << tail;
        EXPECT_EQ(zunStandIn::triangleCount(), 2) << tail;
    }
    EXPECT_FALSE(zunStandIn::loadLevel((game.dir() / "missing.obj").string().c_str()));
    EXPECT_FALSE(zunStandIn::loadLevel(game.dir().string().c_str()));   // a folder
    EXPECT_FALSE(zunStandIn::loadLevel(nullptr));
    EXPECT_EQ(zunStandIn::triangleCount(), 2);
    EXPECT_EQ(cast(cVector4(0, 0, 5), cVector4(0, 0, -1), 10).result, 1);
    // A face may only use vertices read before it.
    EXPECT_FALSE(zunStandIn::loadLevel(writeFile("order.obj", "f 1 2 3\n" + base).c_str()));
}

// The hook sees every ray as passed and replaces the level's test; rays are
// counted always and kept while recording; clearCapture clears captures
// only, reset everything.
TEST_F(zunStandInRenderTest, HookCapturesAndResets) {
    addFloor(0.0f);
    zunStandIn::Ray seen{};
    int answer = 1;
    zunStandIn::setHitScan([&](const cVector4& o, const cVector4& d, float length, cVector4& hit) {
        seen = zunStandIn::Ray{o, d, length, answer, hit};
        hit = vec4(4, 5, 6, 0);
        return answer;
    });
    EXPECT_VEC_EQ(cast(vec4(1, 2, 3, 0.5f), vec4(0, 0, -8, 2), 7).hit, cVector4(4, 5, 6));
    EXPECT_VEC4_EQ(seen.origin, vec4(1, 2, 3, 0.5f));
    EXPECT_VEC4_EQ(seen.direction, vec4(0, 0, -8, 2));   // as passed, not normalised
    EXPECT_EQ(seen.length, 7.0f);
    EXPECT_TRUE(zunStandIn::rays().empty());
    zunStandIn::recordRays(true);
    answer = 0;
    EXPECT_VEC4_EQ(cast(cVector4(1, 2, 3), cVector4(0, 0, -1), 7).hit, vec4(-7, -7, -7, 5));   // a miss writes nothing
    zunStandIn::setHitScan(nullptr);
    EXPECT_EQ(cast(cVector4(1, 2, 3), cVector4(0, 0, -3), 7).hit.z, 0.0f);
    // What is kept of each ray and drawn line is in the golden record, one by one.
    EXPECT_EQ(zunStandIn::rayCount(), 3);
    EXPECT_EQ(zunStandIn::rays().size(), 2u);
    cVector4 from(1, 2, 3), to(4, 5, 6);
    zunGenericDrawWorldLine(from, to, 0x00FF00);
    zunAddSystemText(nullptr, 3, 1);
    ASSERT_EQ(zunStandIn::lines().size(), 1u);
    EXPECT_VEC_EQ(zunStandIn::lines()[0].to, to);   // the record's drawn lines are level, so z is checked here
    ASSERT_EQ(zunStandIn::texts().size(), 1u);
    EXPECT_EQ(zunStandIn::texts()[0].text, "");   // texts are checked with the path database's messages

    zunStandIn::clearCapture();   // captures only: level and recording stay
    EXPECT_EQ(zunStandIn::rayCount(), 0);
    EXPECT_TRUE(zunStandIn::rays().empty() && zunStandIn::lines().empty() && zunStandIn::texts().empty());
    EXPECT_EQ(cast(cVector4(0, 0, 1), cVector4(0, 0, -1), 2).result, 1);
    EXPECT_EQ(zunStandIn::rays().size(), 1u);

    zunStandIn::setHitScan([](const cVector4&, const cVector4&, float, cVector4&) { return 1; });
    zunStandIn::reset();
    EXPECT_EQ(zunStandIn::triangleCount(), 0);
    EXPECT_TRUE(zunStandIn::rays().empty() && zunStandIn::lines().empty() && zunStandIn::texts().empty());
    EXPECT_EQ(cast(cVector4(0, 0, 1), cVector4(0, 0, -1), 2).result, 0);   // no hook, empty level
    EXPECT_TRUE(zunStandIn::rays().empty());                                // recording off
}

}  // namespace

#include "zunFuzzChecks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "standin/render/zunStandInLevel.h"
#include "standin/zunStandIn.h"
#include "zunAI.h"
#include "zunManagerChecks.h"
#include "zunScratchGame.h"

namespace fs = std::filesystem;

namespace zunFuzz {

namespace {

// The manager's paths as text, a line per path: its marks' coordinates as
// the database writes them ("%f", C locale). False when the manager is not
// sound or something is missing or not fresh, which no load without failures
// leaves.
bool describe(zunAIPathMgr& manager, std::string& out, std::string& why)
{
    const ::testing::AssertionResult sound = managerIsSound(manager);
    if (!sound || manager.newPath || manager.selectedPath || manager.activePaths.count != 0) {
        why = std::string(sound.message()) + " (or loading touched the recording, the selection or the active paths)";
        return false;
    }
    int number = 0;
    for (auto* node = manager.paths.head; node; node = node->next, ++number) {
        const zunAIPath* path = node->item;
        if (!path || path->marks.count == 0 || path->curMark != 0 || path->active != 0) {
            why = "path " + std::to_string(number) + " is null, empty or not fresh";
            return false;
        }
        for (auto* m = path->marks.head; m; m = m->next) {
            if (!m->item || m->item->position.w != 1.0f) {
                why = "path " + std::to_string(number) + " holds a null mark or one whose w is not 1";
                return false;
            }
            const cVector4& p = m->item->position;
            char xyz[200];
            std::snprintf(xyz, sizeof xyz, "%f %f %f;", double(p.x), double(p.y), double(p.z));
            out += xyz;
        }
        out += '\n';
    }
    return true;
}

struct Vec3 {
    double x, y, z;
};

Vec3 operator-(const Vec3& a, const Vec3& b) { return Vec3{a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator+(const Vec3& a, const Vec3& b) { return Vec3{a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator*(const Vec3& a, double f) { return Vec3{a.x * f, a.y * f, a.z * f}; }
double dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 cross(const Vec3& a, const Vec3& b)
{
    return Vec3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double norm(const Vec3& a) { return std::sqrt(dot(a, a)); }
double largest(const Vec3& a) { return std::fmax(std::fabs(a.x), std::fmax(std::fabs(a.y), std::fabs(a.z))); }

struct Triangle {
    Vec3 a, b, c;
};

// The vertices and triangles of an OBJ text that loadLevel accepted: "v"
// lines give vertices, "f" lines polygons fanned from their first corner,
// corners "i", "i/t", "i//n" or "i/t/n", negative indices counting back.
// Meant for accepted files: false when it meets a line they can't hold.
bool readObj(const std::string& text, std::vector<Vec3>& vertices, std::vector<Triangle>& triangles)
{
    std::istringstream lines(text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? text.substr(3) : text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        line.resize(std::min(line.find('#'), line.size()));
        // Words split at blanks, tabs, vertical tabs and form feeds only, as
        // the level's reader splits them.
        std::vector<std::string> words;
        for (std::size_t from = 0; (from = line.find_first_not_of(" \t\v\f", from)) != std::string::npos;) {
            const std::size_t to = line.find_first_of(" \t\v\f", from);
            words.push_back(line.substr(from, to - from));
            from = to;
        }
        if (words.empty() || (words[0] != "v" && words[0] != "f"))
            continue;
        if (words.size() < 4)
            return false;
        if (words[0] == "v") {
            // The level keeps its corners in single precision.
            vertices.push_back(Vec3{std::strtof(words[1].c_str(), nullptr), std::strtof(words[2].c_str(), nullptr),
                                    std::strtof(words[3].c_str(), nullptr)});
            continue;
        }
        std::vector<Vec3> corners;
        const long count = static_cast<long>(vertices.size());
        for (std::size_t w = 1; w < words.size(); ++w) {
            const long i = std::strtol(words[w].c_str(), nullptr, 10);
            if (i == 0 || i > count || -i > count)
                return false;
            corners.push_back(vertices[static_cast<std::size_t>(i > 0 ? i - 1 : count + i)]);
        }
        for (std::size_t i = 1; i + 1 < corners.size(); ++i)
            triangles.push_back(Triangle{corners[0], corners[i], corners[i + 1]});
    }
    return true;
}

// How far `p` lies from `t`: from its plane when it lies above the triangle,
// else from the nearest edge.
double distanceTo(const Vec3& p, const Triangle& t)
{
    const Vec3 n = cross(t.b - t.a, t.c - t.a);
    const Vec3* corners[3] = {&t.a, &t.b, &t.c};
    bool above = dot(n, n) > 0;
    double nearest = HUGE_VAL;
    for (int i = 0; i < 3; ++i) {
        const Vec3& a = *corners[i];
        const Vec3 ab = *corners[(i + 1) % 3] - a;
        above = above && dot(cross(ab, p - a), n) >= 0;
        const double along = dot(ab, ab) > 0 ? std::fmin(std::fmax(dot(p - a, ab) / dot(ab, ab), 0.0), 1.0) : 0.0;
        nearest = std::fmin(nearest, norm(p - (a + ab * along)));
    }
    return above ? std::fabs(dot(p - t.a, n)) / norm(n) : nearest;
}

// How far a float ray test may stray on `t` for this ray: the edge tolerance
// of the ray test (1e-5 of the edges, so that no ray slips through the seam
// of two triangles), and rounding of the coordinates involved, amplified for
// slivers and for rays that meet the plane at a slant.
double tolerance(const Triangle& t, const Vec3& origin, const Vec3& unit, double length)
{
    const Vec3 e1 = t.b - t.a, e2 = t.c - t.a;
    const double l1 = norm(e1), l2 = norm(e2), l3 = norm(t.c - t.b);
    const Vec3 n = cross(e1, e2);
    const double area = norm(n);
    if (!(area > 0.0))
        return -1.0;   // without area nothing can be hit on it
    const double sine = area / (l1 * l2);
    const double facing = std::fmax(std::fabs(dot(unit, n)) / area, 1e-3);
    const double scale = largest(origin) + length + l1 + l2 + l3;
    return 1e-3 + 2e-5 * (l1 + l2 + l3) + 2e-6 * scale / (sine * facing);
}

// The nearest hit, worked out in double precision, that no rounding can
// lose: well inside a triangle with area, at a clear angle to its plane, well
// within the ray; and how far the ray test may stray from it. HUGE_VAL when
// there is none.
double clearHit(const std::vector<Triangle>& triangles, const Vec3& origin, const Vec3& unit, double length,
                double& slack)
{
    double best = HUGE_VAL;
    for (const Triangle& t : triangles) {
        const Vec3 e1 = t.b - t.a, e2 = t.c - t.a;
        const Vec3 n = cross(e1, e2);
        const double area = norm(n);
        if (!(area > 1e-6))
            continue;
        const double facing = dot(unit, n) / area;
        if (std::fabs(facing) < 0.05)
            continue;
        const Vec3 pv = cross(unit, e2);
        const double det = dot(e1, pv);
        const Vec3 s = origin - t.a;
        const double u = dot(s, pv) / det;
        const Vec3 q = cross(s, e1);
        const double v = dot(unit, q) / det;
        const double hit = dot(e2, q) / det;
        const double stray = tolerance(t, origin, unit, length);
        if (u > 1e-3 && v > 1e-3 && u + v < 1.0 - 1e-3 && hit > stray && hit < length - stray && hit < best) {
            best = hit;
            slack = stray;
        }
    }
    return best;
}

int castRay(const float origin[3], const float direction[3], float length, float hit[3])
{
    float o[4] = {origin[0], origin[1], origin[2], 1.0f};
    float d[4] = {direction[0], direction[1], direction[2], 1.0f};
    float h[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    unsigned long a = 0, b = 0, c = 0;
    const int result = zunHitScan(&o, &d, length, &h, &a, b, c, 0);
    for (int i = 0; i < 3; ++i)
        hit[i] = h[i];
    return result;
}

Vec3 toVec3(const float v[3]) { return Vec3{v[0], v[1], v[2]}; }

// One ray through zunHitScan and through the ray test without the
// hierarchy; given the level's triangles, also against the exact geometry.
std::string checkRay(const std::vector<Triangle>* exact, const float origin[3], const float direction[3], float length)
{
    float hitAt[3], linearAt[3];
    const int result = castRay(origin, direction, length, hitAt);
    const int expected = zunStandIn::hitScanLinear(origin, direction, length, linearAt);
    const Vec3 from = toVec3(origin), hit = toVec3(hitAt);
    char where[300];
    std::snprintf(where, sizeof where, " (ray from %.9g %.9g %.9g along %.9g %.9g %.9g for %.9g; hit %.9g %.9g %.9g)",
                  origin[0], origin[1], origin[2], direction[0], direction[1], direction[2], length, hitAt[0],
                  hitAt[1], hitAt[2]);
    const auto fail = [&](const char* what) { return what + std::string(where); };
    if (result != expected)
        return fail("the hierarchy and the linear test disagree on a hit");
    // Hit points are computed in float from the origin: allow for its rounding.
    const double slack = 1e-4 * length + 1e-5 * (largest(from) + largest(hit)) + 1e-3;
    const double reach = norm(hit - from);
    if (result && !std::isfinite(hit.x + hit.y + hit.z))   // floats: their sum overflows no double
        return fail("a hit point is not finite");
    if (result && reach > length + slack)
        return fail("a hit lies beyond the ray's length");
    if (result && std::fabs(reach - norm(toVec3(linearAt) - from)) > 1e-4 * length + 2 * slack)
        return fail("the hierarchy's hit is not the nearest");
    // The exact geometry judges moderate rays on moderate levels only.
    if (!exact || largest(from) > 1e5 || length > 1e6f)
        return std::string();

    const Vec3 d = toVec3(direction);
    const Vec3 unit = d * (1.0 / norm(d));
    const auto onTriangle = [&](const Triangle& t) { return distanceTo(hit, t) <= tolerance(t, from, unit, length); };
    if (result && std::none_of(exact->begin(), exact->end(), onTriangle))
        return fail("a hit lies on no triangle");
    double stray = 0.0;
    const double clear = clearHit(*exact, from, unit, length, stray);
    if (clear < HUGE_VAL && !result)
        return fail("a ray misses a triangle that it meets squarely");
    if (clear < HUGE_VAL && reach > clear + stray)
        return fail("a ray's hit lies behind a triangle that it meets squarely");
    return std::string();
}

} // namespace

std::string checkPathDatabase(const std::uint8_t* data, std::size_t size)
{
    const zunScratchGame game("zunai-fuzz");
    zunStandIn::reset();
    fs::create_directories(game.memory());
    zunWriteFile(game.memory() / "fuzz.qzt", std::string(reinterpret_cast<const char*>(data), size));

    const long long startBlocks = zunStandIn::allocStats().liveBlocks;
    // The input, then what saving it wrote: both load to the same marks and
    // save to the same bytes.
    char names[2][20] = {"fuzz.qzt", "levels\\paths.qzt"};
    std::string marks[2], bytes[2], why;
    for (int round = 0; round < 2; ++round) {
        zunAIPathMgr manager;
        if (manager.loadPaths(names[round]) != 1)
            return std::string("loadPaths refused ") + names[round];
        if (!describe(manager, marks[round], why))
            return std::string("after loading ") + names[round] + ": " + why;
        if (manager.saveAllPaths() != 1)
            return "saveAllPaths failed";
        bytes[round] = zunReadFile(game.database());
    }
    if (marks[1] != marks[0])
        return "the saved database reloads to other marks:\n" + marks[0] + "---\n" + marks[1];
    if (bytes[1] != bytes[0])
        return "saving the reloaded database writes other bytes";
    if (zunStandIn::allocStats().liveBlocks != startBlocks)
        return "blocks leaked";
    return std::string();
}

std::string checkLevel(const std::uint8_t* data, std::size_t size)
{
    const zunScratchGame game("zunai-fuzz");
    zunStandIn::reset();
    const std::string text(reinterpret_cast<const char*>(data), size);
    const fs::path file = game.dir() / "fuzz.obj";
    zunWriteFile(file, text);

    // A box that a refused file must leave in place.
    zunStandIn::addBox(cVector4(-1.0f, -1.0f, -1.0f), cVector4(1.0f, 1.0f, 1.0f));
    const float boxOrigin[3] = {-10.0f, 0.25f, 0.5f};
    const float boxDirection[3] = {1.0f, 0.0f, 0.0f};
    const int boxTriangles = zunStandIn::triangleCount();

    if (!zunStandIn::loadLevel(file.string().c_str())) {
        if (zunStandIn::triangleCount() != boxTriangles)
            return "a refused file changed the level";
        float hit[3];
        if (!castRay(boxOrigin, boxDirection, 100.0f, hit) || std::fabs(hit[0] + 1.0f) > 1e-5f)
            return "a refused file changed what rays hit";
        return std::string();
    }
    std::vector<Vec3> vertices;
    std::vector<Triangle> triangles;
    if (!readObj(text, vertices, triangles))
        return "the level reader accepted a file with a line that no OBJ file holds";
    if (static_cast<int>(triangles.size()) != zunStandIn::triangleCount())
        return "the level holds " + std::to_string(zunStandIn::triangleCount()) + " triangles, the file " +
               std::to_string(triangles.size());

    // Levels whose corners stay within 1e5 are judged against the exact
    // geometry; beyond that float keeps too few digits for a verdict.
    bool moderate = true;
    for (const Triangle& t : triangles)
        for (const Vec3& v : {t.a, t.b, t.c})
            moderate = moderate && std::fabs(v.x) <= 1e5 && std::fabs(v.y) <= 1e5 && std::fabs(v.z) <= 1e5;
    const std::vector<Triangle>* exact = moderate ? &triangles : nullptr;

    const auto firstSix = static_cast<std::ptrdiff_t>(std::min<std::size_t>(vertices.size(), 6));
    std::vector<Vec3> from(vertices.begin(), vertices.begin() + firstSix);
    from.push_back(Vec3{0.0, 0.0, 0.0});
    from.push_back(Vec3{-100.0, 50.0, 20.0});

    const float axes[][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0},
                             {0, 0, 1}, {0, 0, -1}, {1, 1, 1}, {-1, 2, -0.5f}};
    const float lengths[] = {50.0f, 200.0f, 1e6f};
    std::string why;
    for (std::size_t i = 0; i < from.size(); ++i) {
        // From a little off each vertex, along the axes and towards the others.
        const float origin[3] = {static_cast<float>(from[i].x) + 0.37f, static_cast<float>(from[i].y) - 0.21f,
                                 static_cast<float>(from[i].z) + 0.13f};
        if (!std::isfinite(origin[0]) || !std::isfinite(origin[1]) || !std::isfinite(origin[2]))
            continue;
        for (const auto& axis : axes)
            for (float length : lengths)
                if (!(why = checkRay(exact, origin, axis, length)).empty())
                    return why;
        for (std::size_t j = 0; j < from.size(); ++j) {
            if (j == i)
                continue;
            const float towards[3] = {static_cast<float>(from[j].x) - origin[0],
                                      static_cast<float>(from[j].y) - origin[1],
                                      static_cast<float>(from[j].z) - origin[2]};
            const float reach = static_cast<float>(norm(toVec3(towards)));
            if (!std::isfinite(reach))
                continue;
            if (!(why = checkRay(exact, origin, towards, reach * 1.5f + 1.0f)).empty())
                return why;
        }
        // Rays that can never hit.
        float hit[3];
        const float none[3] = {0.0f, 0.0f, 0.0f};
        if (castRay(origin, none, 1e6f, hit))
            return "a ray with a zero direction hit";
        if (castRay(origin, axes[0], -1.0f, hit))
            return "a ray of negative length hit";
    }
    return std::string();
}

} // namespace zunFuzz

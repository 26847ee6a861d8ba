// How well generated databases serve chained requests: for each test level,
// a database generated with the default agent, then chained requests
// between random pairs of points that the walkable surface connects (the
// island of the level's spawn point). Prints per level: the share of
// requests that reach their goal (the tool's definition), rays and time per
// request, and the route's length over the surface's own shortest way.
//
//   zunaiGenerateQuality [PAIRS [SEED [HUBS [REACH [large]]]]]
//
// With `large`, the large terrain of the timing benchmark alone.

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <recastnavigation/DetourNavMesh.h>
#include <recastnavigation/DetourNavMeshQuery.h>

#include "zunaiGenerate.h"
#include "zunaiRoutes.h"
#include "zunaiTestLevels.h"

namespace fs = std::filesystem;

namespace {

std::mt19937* theRandom = nullptr;
float uniform() { return std::uniform_real_distribution<float>(0.0f, 1.0f)(*theRandom); }

struct Sampler {
    const zunaiWalkable& surface;
    dtQueryFilter filter;
    dtPolyRef spawnRef = 0;
    float spawn[3];

    Sampler(const zunaiWalkable& s, const zunaiPoint& at) : surface(s)
    {
        filter.setIncludeFlags(0xffff);
        float centre[3], extents[3] = {40.0f, 60.0f, 40.0f};
        zunaiToSurface(at, centre);
        surface.query()->findNearestPoly(centre, extents, &filter, &spawnRef, spawn);
    }

    bool point(dtPolyRef& ref, float out[3])
    {
        return dtStatusSucceed(surface.query()->findRandomPointAroundCircle(spawnRef, spawn, 1e9f, &filter, uniform,
                                                                            &ref, out));
    }

    // Length of the surface's shortest way, or -1.
    double way(dtPolyRef a, const float* pa, dtPolyRef b, const float* pb)
    {
        static dtPolyRef polys[8192];
        static float corners[8192 * 3];
        int n = 0, m = 0;
        if (dtStatusFailed(surface.query()->findPath(a, b, pa, pb, &filter, polys, &n, 8192)) || n == 0)
            return -1.0;
        surface.query()->findStraightPath(pa, pb, polys, n, corners, nullptr, nullptr, &m, 8192);
        double length = 0.0;
        for (int i = 1; i < m; ++i)
            length += zunaiDistance(zunaiFromSurface(&corners[(i - 1) * 3]), zunaiFromSurface(&corners[i * 3]));
        return length;
    }
};

// Debugging aid: the searches of a chained request, pass by pass.
void trace(zunaiSession& session, const zunaiPoint& from, const zunaiPoint& to)
{
    cVector4 P(from.x, from.y, from.z), G(to.x, to.y, to.z);
    zunAIPath *prevStart = nullptr, *prevGoal = nullptr;
    auto index = [&](zunAIPath* p) {
        int i = 0, found = -1;
        session.database.paths.walk([&](zunAIPath* q) { if (q == p) found = i; ++i; });
        return found;
    };
    for (int pass = 0; pass < 10; ++pass) {
        int rg = 0, rs = 0;
        const float join = pass == 0 ? 150.0f : 60.0f;
        zunAIPath* g = session.database.findBestPath(G, P, G, rg, join, -0.707f, prevGoal, 4.0f);
        zunAIPath* st = session.database.findBestPath(P, G, P, rs, join, -0.707f, prevStart, 4.0f);
        auto ends = [&](zunAIPath* p, cVector4& to) {
            if (!p)
                return;
            float near = 0.0f;
            p->getMinDistanceVectorToPath(to, near);
            const cVector4& a = p->getMark(0)->getPosition();
            const cVector4& b = p->getLastMark()->getPosition();
            std::printf("      [%.0f,%.0f,%.0f .. %.0f,%.0f,%.0f] near-to %.1f\n", a.x, a.y, a.z, b.x, b.y, b.z, near);
        };
        ends(g, P);
        ends(st, G);
        std::printf("    pass %d goal %d -> %.0f,%.0f,%.0f  start %d -> %.0f,%.0f,%.0f\n", pass, index(g), G.x, G.y, G.z,
                    index(st), P.x, P.y, P.z);
        if ((g && g == prevStart && st == prevGoal) || (!g && !st) || (g && g == st))
            break;
        prevGoal = g;
        prevStart = st;
        const float dx = G.x - P.x, dy = G.y - P.y, dz = G.z - P.z;
        if (std::sqrt(dx * dx + dy * dy + dz * dz) < 60.0f && std::fabs(dz) < 4.0f)
            break;
    }
}

// The request point over a surface point: where a mark would stand.
zunaiPoint requestPoint(const float surfacePoint[3])
{
    zunaiPoint p = zunaiFromSurface(surfacePoint);
    struct Open : zunAIPathMgr {
        using zunAIPathMgr::validateHeight;
    } open;
    cVector4 at(p.x, p.y, p.z + 24.7f);
    const cVector4 placed = open.validateHeight(at);
    return zunaiPoint{placed.x, placed.y, placed.z};
}

void measure(zunaiTestLevelKind kind, int pairs, unsigned seed, const zunaiNetworkOptions& network)
{
    const zunaiTestLevel level = zunaiMakeTestLevel(kind);
    const fs::path dir = fs::temp_directory_path() / ("zunai-quality-" + level.name + "-" + std::to_string(seed));
    fs::remove_all(dir);
    zunaiWriteTestGame(dir, level);
    zunaiGameOptions where;
    where.game = dir.string();
    const zunaiGame game = zunaiFindGame(where, true);
    zunaiGenerateOptions options;
    options.network = network;
    const zunaiGenerateSummary made = zunaiGenerate(game, options);

    zunaiSession session(game, true);
    zunaiWalkable surface(session.mesh, options.agent);
    Sampler sampler(surface, level.spawn);
    std::mt19937 random(seed);
    theRandom = &random;
    int asked = 0, reached = 0;
    long long rays = 0;
    double seconds = 0.0, ratioSum = 0.0;
    int ratioCount = 0;
    while (asked < pairs) {
        dtPolyRef ra, rb;
        float a[3], b[3];
        if (!sampler.point(ra, a) || !sampler.point(rb, b))
            break;
        const double way = sampler.way(ra, a, rb, b);
        if (way < 0.0)
            continue;
        zunaiRequest request;
        request.from = requestPoint(a);
        request.to = requestPoint(b);
        const auto started = std::chrono::steady_clock::now();
        const zunaiRouteResult result = zunaiRunRequest(session, request);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        session.routes.deleteAllPaths();
        ++asked;
        rays += result.rays;
        if (!result.reached && std::getenv("ZUNAI_QUALITY_FAILS"))
            std::printf("  miss %.0f,%.0f,%.1f -> %.0f,%.0f,%.1f found %d marks %zu goal %.0f way %.0f\n", request.from.x,
                        request.from.y, request.from.z, request.to.x, request.to.y, request.to.z, int(result.found),
                        result.marks.size(), result.goalDistance, way);
        if (!result.reached && std::getenv("ZUNAI_QUALITY_TRACE"))
            trace(session, request.from, request.to);
        if (result.reached) {
            ++reached;
            if (way > 1.0) {
                ratioSum += result.length / way;
                ++ratioCount;
            }
        }
    }
    std::printf("%-14s %6zu tris %5d paths %6d marks %5.2fs gen %5.1f%% cover | %4d pairs %5.1f%% reach %7.0f rays "
                "%7.3f ms  length x%.2f\n",
                level.name.c_str(), level.mesh.triangles.size(), made.paths, made.marks, made.seconds,
                100.0 * made.coverage, asked, asked ? 100.0 * reached / asked : 0.0,
                asked ? double(rays) / asked : 0.0, asked ? 1000.0 * seconds / asked : 0.0,
                ratioCount ? ratioSum / ratioCount : 0.0);
    std::fflush(stdout);
    fs::remove_all(dir);
}

} // namespace

int main(int argc, char** argv)
{
    const int pairs = argc > 1 ? std::atoi(argv[1]) : 200;
    const unsigned seed = argc > 2 ? unsigned(std::atoi(argv[2])) : 7u;
    zunaiNetworkOptions network;
    if (argc > 3)
        network.hubs = std::atoi(argv[3]);
    if (argc > 4)
        network.cover = float(std::atof(argv[4]));
    if (argc > 5 && std::string(argv[5]) == "large") {
        measure(zunaiTestLevelKind::LargeTerrain, pairs, seed, network);
        return 0;
    }
    for (zunaiTestLevelKind kind : {zunaiTestLevelKind::Terrain, zunaiTestLevelKind::Rooms,
                                    zunaiTestLevelKind::Storeys, zunaiTestLevelKind::Maze})
        measure(kind, pairs, seed, network);
    return 0;
}

// Route finding on a level the size of the sample courtyard (400 x 400 with
// a few walls):
// - BM_WalkedPath: paths walked out around the walls (rays and marks per
//   path, time per path). Arg 1 replays the rays' recorded answers from a
//   table instead of casting them, which leaves the module's own share.
// - BM_FindBestPathRejectAll: 10,000 stored paths none of which passes the
//   cheap tests (ns per stored path). high:0: all too far away; high:1: all
//   too high; also over 1,000 paths, which stay in the caches.
// - BM_ChainedRoute: a route request over a database of 1,000 paths laid out
//   as a street grid.

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "standin/zunStandIn.h"
#include "zunAI.h"

namespace {

struct walkMgr : zunAIPathMgr {
    using zunAIPathMgr::createPath;
};

constexpr float hover = 24.7f;

void buildLevel()
{
    zunStandIn::reset();
    zunStandIn::addBox(cVector4(-200, -200, -1), cVector4(200, 200, 0));       // floor
    zunStandIn::addBox(cVector4(-200, -200, 0), cVector4(200, -196, 60));      // outer walls
    zunStandIn::addBox(cVector4(-200, 196, 0), cVector4(200, 200, 60));
    zunStandIn::addBox(cVector4(-200, -200, 0), cVector4(-196, 200, 60));
    zunStandIn::addBox(cVector4(196, -200, 0), cVector4(200, 200, 60));
    zunStandIn::addBox(cVector4(-80, -196, 0), cVector4(-76, 60, 60));        // inner walls
    zunStandIn::addBox(cVector4(20, -60, 0), cVector4(24, 196, 60));
    zunStandIn::addBox(cVector4(60, -120, 0), cVector4(160, -116, 60));
    zunStandIn::addBox(cVector4(-160, 100, 0), cVector4(-100, 140, 60));       // a block
}

struct walk { cVector4 start, goal; };

std::vector<walk> walks()
{
    return {
        {cVector4(-180, -150, hover), cVector4(0, -150, hover)},
        {cVector4(-40, 150, hover), cVector4(120, 100, hover)},
        {cVector4(100, -180, hover), cVector4(100, -40, hover)},
        {cVector4(-180, 80, hover), cVector4(-120, 180, hover)},
    };
}

void BM_WalkedPath(benchmark::State& state)
{
    buildLevel();
    walkMgr mgr;
    const std::vector<walk> list = walks();

    // One round with the level, recording every ray's answer.
    zunStandIn::recordRays(true);
    long long marks = 0;
    for (walk w : list) {
        zunAIPath* path = mgr.createPath(w.start, w.goal);
        marks += path->getNumMarks();
        delete path;
    }
    const std::vector<zunStandIn::Ray> answers = zunStandIn::rays();
    zunStandIn::recordRays(false);
    zunStandIn::clearCapture();

    std::size_t next = 0;
    const bool replay = state.range(0) != 0;
    if (replay)
        zunStandIn::setHitScan([&](const cVector4&, const cVector4&, float, cVector4& hit) {
            const zunStandIn::Ray& answer = answers[next++];
            hit = answer.hit;
            return answer.result;
        });

    long long rounds = 0;
    for (auto _ : state) {
        next = 0;
        for (walk w : list) {
            zunAIPath* path = mgr.createPath(w.start, w.goal);
            benchmark::DoNotOptimize(path);
            delete path;
        }
        ++rounds;
        if (replay && next != answers.size())
            state.SkipWithError("the replayed walk cast other rays");
    }
    const double paths = static_cast<double>(rounds) * static_cast<double>(list.size());
    state.counters["rays/path"] = static_cast<double>(answers.size()) / static_cast<double>(list.size());
    state.counters["marks/path"] = static_cast<double>(marks) / static_cast<double>(list.size());
    state.counters["per path"] = benchmark::Counter(paths, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    zunStandIn::reset();
}

void fillRandomPaths(zunAIPathMgr& db, int count, std::mt19937& rng)
{
    std::uniform_real_distribution<float> x(-190.0f, 190.0f), step(-20.0f, 20.0f);
    std::uniform_int_distribution<int> marks(2, 8);
    for (int i = 0; i < count; ++i) {
        zunAIPath* path = new zunAIPath;
        cVector4 at(x(rng), x(rng), hover);
        for (int m = marks(rng); m > 0; --m) {
            path->addMark(at);
            at = cVector4(at.x + step(rng), at.y + step(rng), hover);
        }
        db.addPath(path);
    }
}

void BM_FindBestPathRejectAll(benchmark::State& state)
{
    zunStandIn::reset();
    buildLevel();
    std::mt19937 rng(4783u);
    zunAIPathMgr db;
    const int stored = static_cast<int>(state.range(1));
    fillRandomPaths(db, stored, rng);
    // Arg 0: far outside the level, every path beyond the join distance or
    // leading the wrong way. Arg 1: above the level, every entry too low.
    cVector4 from = state.range(0) == 0 ? cVector4(-1000, -1000, hover) : cVector4(0, 0, hover + 50.0f);
    cVector4 to(0, 150, hover), exitPoint;
    int reversed = 0;
    zunStandIn::clearCapture();
    for (auto _ : state) {
        zunAIPath* found = db.findBestPath(from, to, exitPoint, reversed, 150.0f, -0.707f, nullptr, 4.0f);
        benchmark::DoNotOptimize(found);
        if (found)
            state.SkipWithError("a path passed the tests");
    }
    if (zunStandIn::rayCount() != 0)
        state.SkipWithError("rays were cast");
    state.counters["per stored path"] = benchmark::Counter(static_cast<double>(state.iterations()) * stored,
                                                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    db.deleteAllPaths();
    zunStandIn::reset();
}

// Streets along a grid of crossings 18 apart; each street a three-mark path
// stopping 2 short of both crossings.
void fillStreetGrid(zunAIPathMgr& db, int count)
{
    const int n = 23;
    int made = 0;
    for (int dir = 0; dir < 2 && made < count; ++dir)
        for (int row = 0; row < n && made < count; ++row)
            for (int col = 0; col + 1 < n && made < count; ++col, ++made) {
                const float a = -198.0f + 18.0f * static_cast<float>(col);
                const float r = -198.0f + 18.0f * static_cast<float>(row);
                cVector4 p0 = dir ? cVector4(r, a + 2.0f, hover) : cVector4(a + 2.0f, r, hover);
                cVector4 p1 = dir ? cVector4(r, a + 9.0f, hover) : cVector4(a + 9.0f, r, hover);
                cVector4 p2 = dir ? cVector4(r, a + 16.0f, hover) : cVector4(a + 16.0f, r, hover);
                zunAIPath* path = new zunAIPath;
                path->addMark(p0);
                path->addMark(p1);
                path->addMark(p2);
                db.addPath(path);
            }
}

void BM_ChainedRoute(benchmark::State& state)
{
    buildLevel();
    zunAIPathMgr db;
    fillStreetGrid(db, 1000);
    zunAIPathMgr routes;
    cVector4 start(-190, -190, hover), goal(190, 190, hover);
    long long marks = 0;
    zunStandIn::clearCapture();
    for (auto _ : state) {
        zunAIPath* route = routes.getPath(start, goal, db, nullptr);
        marks = route ? route->getNumMarks() : 0;
        routes.deleteAllPaths();
    }
    state.counters["stored paths"] = static_cast<double>(db.getNumPaths());
    state.counters["route marks"] = static_cast<double>(marks);
    state.counters["rays/route"] = static_cast<double>(zunStandIn::rayCount()) / static_cast<double>(state.iterations());
    state.counters["per route"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    db.deleteAllPaths();
    zunStandIn::reset();
}

} // namespace

BENCHMARK(BM_WalkedPath)->Arg(0)->Arg(1)->ArgName("replayed");
// 10,000 paths (about 6 MB of paths, nodes and marks: beyond the caches, so
// the walk waits on memory) and 1,000 (cache-resident: the module's own cost).
BENCHMARK(BM_FindBestPathRejectAll)->ArgsProduct({{0, 1}, {10000, 1000}})->ArgNames({"high", "paths"});
BENCHMARK(BM_ChainedRoute);

BENCHMARK_MAIN();

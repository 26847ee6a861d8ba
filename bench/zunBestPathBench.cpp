// Best-path selection and chained routes over path databases of 100 to
// 100,000 stored paths: the streets of a town (bench/zunBenchSupport.h)
// whose size grows with the database, its density staying the same.
//
// - BM_FindBestPathRejected/high:0: asked from far outside the town: every
//   path is dropped by the cheap tests (join reach); high:1: from above the
//   town, every entry too low. Time per stored path; no ray is cast.
// - BM_FindBestPath: asked in the middle of the town toward a point 100
//   away: the paths near by pass the cheap tests and cost rays.
// - BM_ChainedRoute: a route request (getPath with the default tuning)
//   across three blocks each way in the middle of the town.
#include <memory>

#include "bench/zunBenchSupport.h"

namespace {

using namespace zunBench;

// The town of `paths` streets with its level.
struct TownCase {
    explicit TownCase(int paths) : town(paths)
    {
        town.build();
        town.fill(db);
        // The first cast builds the level's hierarchy: keep it out of the timing.
        cVector4 hit;
        unsigned long a = 0, b = 0, c = 0;
        cVector4 origin = town.centre(), down(0.0f, 0.0f, -1.0f);
        zunHitScan(reinterpret_cast<float(*)[4]>(&origin), reinterpret_cast<float(*)[4]>(&down), 100.0f,
                   reinterpret_cast<float(*)[4]>(&hit), &a, b, c, 0);
        zunStandIn::clearCapture();
    }
    ~TownCase()
    {
        db.deleteAllPaths();
        zunStandIn::reset();
    }
    Town town;
    zunAIPathMgr db;
};

// Google Benchmark runs each case several times: the town of the last size
// asked for is kept, and built anew only for another size.
TownCase& townOf(int paths)
{
    static std::unique_ptr<TownCase> kept;
    if (!kept || kept->town.storedPaths() != paths) {
        kept.reset();
        kept = std::make_unique<TownCase>(paths);
    }
    return *kept;
}

void findOver(benchmark::State& state, TownCase& t, cVector4 from, cVector4 to, bool expectNone)
{
    cVector4 exitPoint;
    int reversed = 0;
    bool found = false;
    const Counters counters;
    for (auto _ : state) {
        cVector4 at = from;
        zunAIPath* path = t.db.findBestPath(at, to, exitPoint, reversed, 150.0f, -0.707f, nullptr, 4.0f);
        benchmark::DoNotOptimize(path);
        found = found || path;
    }
    counters.report(state);
    if (found == expectNone)
        state.SkipWithError(expectNone ? "a path passed the tests" : "no path was found");
    state.counters["per stored path"] = timePer(t.town.storedPaths());
}

void BM_FindBestPathRejected(benchmark::State& state)
{
    TownCase& t = townOf(static_cast<int>(state.range(0)));
    const cVector4 centre = t.town.centre();
    const cVector4 from = state.range(1) == 0 ? cVector4(-10000.0f, -10000.0f, hover)
                                              : cVector4(centre.x, centre.y, hover + 50.0f);
    findOver(state, t, from, centre, true);
}

void BM_FindBestPath(benchmark::State& state)
{
    TownCase& t = townOf(static_cast<int>(state.range(0)));
    const cVector4 centre = t.town.centre();
    // Half a street off the middle crossing, toward a point 100 away.
    const cVector4 from(centre.x + 1.0f, centre.y + 9.0f, hover), to(centre.x + 60.0f, centre.y + 80.0f, hover);
    findOver(state, t, from, to, false);
}

void BM_ChainedRoute(benchmark::State& state)
{
    TownCase& t = townOf(static_cast<int>(state.range(0)));
    const cVector4 centre = t.town.centre();
    const float reach = 3.0f * Town::spacing;
    cVector4 start(centre.x - reach + 1.0f, centre.y - reach + 9.0f, hover);
    cVector4 goal(centre.x + reach + 1.0f, centre.y + reach + 9.0f, hover);
    zunAIPathMgr routes;
    int marks = -1;
    const Counters counters;
    for (auto _ : state) {
        zunAIPath* route = routes.getPath(start, goal, t.db, nullptr);
        marks = route ? route->getNumMarks() : 0;
        routes.deleteAllPaths();
    }
    counters.report(state);
    if (marks <= 0)
        state.SkipWithError("no route");
    state.counters["route marks"] = marks;
    state.counters["per stored path"] = timePer(t.town.storedPaths());
}

} // namespace

BENCHMARK(BM_FindBestPathRejected)
    ->ArgsProduct({{100, 1000, 10000, 100000}, {0, 1}})
    ->ArgNames({"paths", "high"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindBestPath)->ArgName("paths")->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChainedRoute)->ArgName("paths")->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();

// Paths walked out around obstacles (createPath) on the sample level, and
// the module's own share of that work.
//
// - BM_CreatePath/replayed:0: the walks of the demo's requests, both ways,
//   against the sample level's ray test.
// - BM_CreatePath/replayed:1: the same walks with every ray answered from a
//   table recorded in a first round: the module's work, the stand-in's
//   vector operations and the hook mechanism, without the ray test.
// - BM_HookedRay: one zunHitScan through a hook that answers a constant:
//   the hook mechanism alone (std::function, argument copies, counting),
//   to be taken off the replayed time to leave the module's own share.
#include <vector>

#include "bench/zunBenchSupport.h"

namespace {

using namespace zunBench;

struct walkMgr : zunAIPathMgr {
    using zunAIPathMgr::createPath;
};

struct walk {
    cVector4 start, goal;
};

// The demo's requests (zunai demo), each both ways. Marks hover 24.7 above
// the ground, 44.7 on the terrace.
std::vector<walk> sampleWalks()
{
    const cVector4 gate(-150.0f, -178.0f, hover), terrace(140.0f, 158.0f, hover + 20.0f);
    const cVector4 hallDoor(-140.0f, 76.0f, hover), barnYard(95.0f, -95.0f, hover);
    const cVector4 plaza(5.0f, -45.0f, hover), northLane(-5.0f, 115.0f, hover);
    const cVector4 terraceEdge(86.0f, 138.0f, hover + 20.0f);
    std::vector<walk> walks = {{gate, terrace}, {hallDoor, barnYard}, {terraceEdge, gate}, {plaza, northLane}};
    const std::size_t forward = walks.size();
    for (std::size_t i = 0; i < forward; ++i)
        walks.push_back({walks[i].goal, walks[i].start});
    return walks;
}

void BM_CreatePath(benchmark::State& state)
{
    if (!loadSampleLevel()) {
        state.SkipWithError("the sample level did not load");
        return;
    }
    walkMgr mgr;
    const std::vector<walk> walks = sampleWalks();

    // One round against the level, recording every ray's answer.
    zunStandIn::recordRays(true);
    long long marks = 0;
    for (walk w : walks) {
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

    const Counters counters;
    for (auto _ : state) {
        next = 0;
        for (walk w : walks) {
            zunAIPath* path = mgr.createPath(w.start, w.goal);
            benchmark::DoNotOptimize(path);
            delete path;
        }
        if (replay && next != answers.size()) {
            state.SkipWithError("the replayed walks cast other rays");
            break;
        }
    }
    counters.report(state);
    const double perIteration = static_cast<double>(walks.size());
    state.counters["per path"] = timePer(perIteration);
    state.counters["rays/path"] = static_cast<double>(answers.size()) / perIteration;
    state.counters["marks/path"] = static_cast<double>(marks) / perIteration;
    zunStandIn::reset();
}
BENCHMARK(BM_CreatePath)->Arg(0)->Arg(1)->ArgName("replayed")->Unit(benchmark::kMicrosecond);

void BM_HookedRay(benchmark::State& state)
{
    zunStandIn::reset();
    zunStandIn::setHitScan([](const cVector4& origin, const cVector4&, float, cVector4& hit) {
        hit = origin;
        return 1;
    });
    float origin[4] = {1.0f, 2.0f, 3.0f, 1.0f}, direction[4] = {0.0f, 1.0f, 0.0f, 1.0f}, hit[4] = {0, 0, 0, 1};
    unsigned long a = 0, b = 0, c = 0;
    const Counters counters;
    for (auto _ : state) {
        benchmark::DoNotOptimize(zunHitScan(&origin, &direction, 100.0f, &hit, &a, b, c, 0));
        benchmark::ClobberMemory();
    }
    counters.report(state);
    zunStandIn::reset();
}
BENCHMARK(BM_HookedRay);

} // namespace

BENCHMARK_MAIN();

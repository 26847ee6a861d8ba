// Memory expiry walk and one video sensor tick.
#include <benchmark/benchmark.h>

#include "standin/zunStandIn.h"
#include "zunAI.h"

namespace {

// updateMemory over 100,000 memories of which none expires: the cost of the
// walk and one virtual expiry test per memory.
void BM_UpdateMemoryNoneExpire(benchmark::State& state)
{
    zunStandIn::reset();
    const int count = static_cast<int>(state.range(0));
    zunAIMemoryMgr mgr;
    for (int i = 0; i < count; ++i) {
        zunAIMemory* memory = new zunAIMemory;
        memory->vtlRefresh(1000.0f);
        mgr.addMemory(memory);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(mgr.updateMemory(2000.0f));
    if (mgr.memories.count != count)
        state.SkipWithError("memories expired");
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["s_per_memory"] =
        benchmark::Counter(static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate |
                                                          benchmark::Counter::kInvert);
}
BENCHMARK(BM_UpdateMemoryNoneExpire)->Arg(1000)->Arg(10000)->Arg(100000);

// One sensor tick (16 rays of 200 units) in the middle of a small box room:
// four walls, a floor and a ceiling.
void BM_VideoTick(benchmark::State& state)
{
    zunStandIn::reset();
    zunStandIn::addBox(cVector4(-60.0f, -60.0f, -1.0f), cVector4(60.0f, 60.0f, 0.0f));
    zunStandIn::addBox(cVector4(-60.0f, -60.0f, 10.0f), cVector4(60.0f, 60.0f, 11.0f));
    zunStandIn::addBox(cVector4(-61.0f, -60.0f, 0.0f), cVector4(-60.0f, 60.0f, 10.0f));
    zunStandIn::addBox(cVector4(60.0f, -60.0f, 0.0f), cVector4(61.0f, 60.0f, 10.0f));
    zunStandIn::addBox(cVector4(-60.0f, -61.0f, 0.0f), cVector4(60.0f, -60.0f, 10.0f));
    zunStandIn::addBox(cVector4(-60.0f, 60.0f, 0.0f), cVector4(60.0f, 61.0f, 10.0f));
    zunStandIn::addBox(cVector4(10.0f, 10.0f, 0.0f), cVector4(20.0f, 20.0f, 5.0f));
    zunAIVideo video;
    cVector4 position(-5.0f, 3.0f, 1.5f);
    for (auto _ : state) {
        video.vtlUpdate(0.0f, position);
        benchmark::DoNotOptimize(video.meanDistance);
    }
    if (video.lastHits != video.numRays)
        state.SkipWithError("rays left the room");
    state.counters["s_per_ray"] = benchmark::Counter(static_cast<double>(video.numRays),
                                                      benchmark::Counter::kIsIterationInvariantRate |
                                                          benchmark::Counter::kInvert);
}
BENCHMARK(BM_VideoTick);

}  // namespace

BENCHMARK_MAIN();

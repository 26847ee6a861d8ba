// The timed walks of memories and tasks over 1,000 to 100,000 items, and
// one tick of the video sensor.
#include "bench/zunBenchSupport.h"

namespace {

using namespace zunBench;

// updateMemory over memories of which none expires: the cost of the walk
// and one virtual expiry test per memory.
void BM_UpdateMemory(benchmark::State& state)
{
    zunStandIn::reset();
    const int count = static_cast<int>(state.range(0));
    zunAIMemoryMgr mgr;
    for (int i = 0; i < count; ++i) {
        zunAIMemory* memory = new zunAIMemory;
        memory->vtlRefresh(1000.0f);
        mgr.addMemory(memory);
    }
    const Counters counters;
    for (auto _ : state)
        benchmark::DoNotOptimize(mgr.updateMemory(2000.0f));
    counters.report(state);
    if (mgr.memories.count != count)
        state.SkipWithError("memories expired");
    state.counters["per memory"] = timePer(count);
}

// A task of the host's that goes on: one virtual update per task.
struct goOnTask : zunAITask {
    int vtlReset() override { return 1; }
    int vtlUpdate(float time) override { return time >= 0.0f ? 1 : 0; }
};

void BM_UpdateTasks(benchmark::State& state)
{
    zunStandIn::reset();
    const int count = static_cast<int>(state.range(0));
    zunAITaskMgr mgr;
    for (int i = 0; i < count; ++i)
        mgr.addTask(new goOnTask);
    const Counters counters;
    for (auto _ : state)
        benchmark::DoNotOptimize(mgr.updateTasks(2000.0f));
    counters.report(state);
    if (mgr.tasks.count != count)
        state.SkipWithError("tasks were dropped");
    state.counters["per task"] = timePer(count);
}

// One sensor tick (16 rays of 200 units) in the middle of a small box room:
// four walls, a floor, a ceiling and a crate.
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
    const Counters counters;
    for (auto _ : state) {
        video.vtlUpdate(0.0f, position);
        benchmark::DoNotOptimize(video.meanDistance);
    }
    counters.report(state);
    if (video.lastHits != video.numRays)
        state.SkipWithError("rays left the room");
    state.counters["per ray"] = timePer(video.numRays);
    zunStandIn::reset();
}

} // namespace

BENCHMARK(BM_UpdateMemory)->ArgName("memories")->RangeMultiplier(10)->Range(1000, 100000);
BENCHMARK(BM_UpdateTasks)->ArgName("tasks")->RangeMultiplier(10)->Range(1000, 100000);
BENCHMARK(BM_VideoTick);

BENCHMARK_MAIN();

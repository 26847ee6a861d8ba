// Saving and loading the path database: 1,000, 10,000 and 100,000 paths of
// 20 marks each. Bytes per second are bytes of database text written or
// read; both should stay the same from size to size (linear cost).
#include <cstdint>
#include <random>

#include "bench/zunBenchSupport.h"

namespace {

using namespace zunBench;

const int marksPerPath = 20;

void fill(zunAIPathMgr& manager, int paths)
{
    std::mt19937 random(20240611u);
    std::uniform_real_distribution<float> horizontal(-5000.0f, 5000.0f), height(-50.0f, 400.0f);
    for (int p = 0; p < paths; ++p) {
        zunAIPath* path = new zunAIPath;
        for (int m = 0; m < marksPerPath; ++m) {
            cVector4 at(horizontal(random), horizontal(random), height(random));
            path->addMark(at);
        }
        manager.addPath(path);
    }
}

void reportFile(benchmark::State& state, const GameDir& dir)
{
    const auto bytes = static_cast<std::int64_t>(fs::file_size(dir.database()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bytes);
    state.counters["fileMB"] = static_cast<double>(bytes) / 1e6;
}

void BM_SaveAllPaths(benchmark::State& state)
{
    zunStandIn::reset();
    GameDir dir;
    zunAIPathMgr manager;
    fill(manager, static_cast<int>(state.range(0)));
    const Counters counters;
    for (auto _ : state) {
        if (!manager.saveAllPaths()) {
            state.SkipWithError("saveAllPaths failed");
            break;
        }
    }
    counters.report(state);
    reportFile(state, dir);
    manager.deleteAllPaths();
    zunStandIn::reset();
}

void BM_LoadPaths(benchmark::State& state)
{
    zunStandIn::reset();
    GameDir dir;
    const int paths = static_cast<int>(state.range(0));
    {
        zunAIPathMgr source;
        fill(source, paths);
        source.saveAllPaths();
        source.deleteAllPaths();
    }
    char name[] = "levels\\paths.qzt";
    const Counters counters;
    for (auto _ : state) {
        zunAIPathMgr* manager = new zunAIPathMgr;
        const bool loaded = manager->loadPaths(name) && manager->getNumPaths() == paths;
        state.PauseTiming();
        delete manager;
        zunStandIn::clearLog();
        state.ResumeTiming();
        if (!loaded) {
            state.SkipWithError("loadPaths failed");
            break;
        }
    }
    counters.report(state);
    reportFile(state, dir);
    zunStandIn::reset();
}

} // namespace

BENCHMARK(BM_SaveAllPaths)->ArgName("paths")->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadPaths)->ArgName("paths")->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();

// Saving and loading the path database: 10,000 and 100,000 paths of 20
// marks each. Bytes per second are bytes of database text written or read.
// Both must grow linearly with the database.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>

#include "paths/zunAIPathMgr.h"
#include "standin/zunStandIn.h"

namespace {

namespace fs = std::filesystem;

const int marksPerPath = 20;

// A scratch game directory; the working directory is its bin/ while it lives.
class GameDir {
public:
    GameDir()
    {
        previous = fs::current_path();
        root = fs::temp_directory_path() /
               ("zunai-pathbench-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(root / "bin");
        fs::current_path(root / "bin");
    }
    ~GameDir()
    {
        fs::current_path(previous);
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    fs::path database() const { return root / "data" / "memory" / "levels" / "paths.qzt"; }

private:
    fs::path previous;
    fs::path root;
};

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

void BM_SaveAllPaths(benchmark::State& state)
{
    zunStandIn::reset();
    GameDir dir;
    zunAIPathMgr manager;
    fill(manager, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (!manager.saveAllPaths()) {
            state.SkipWithError("saveAllPaths failed");
            break;
        }
        zunStandIn::clearCapture();
    }
    const auto bytes = static_cast<std::int64_t>(fs::file_size(dir.database()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bytes);
    state.counters["fileMB"] = static_cast<double>(bytes) / 1e6;
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
    }
    const auto bytes = static_cast<std::int64_t>(fs::file_size(dir.database()));
    char name[] = "levels\\paths.qzt";
    for (auto _ : state) {
        zunAIPathMgr* manager = new zunAIPathMgr;
        if (!manager->loadPaths(name) || manager->getNumPaths() != paths) {
            state.SkipWithError("loadPaths failed");
            delete manager;
            break;
        }
        state.PauseTiming();
        delete manager;
        zunStandIn::clearLog();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bytes);
    state.counters["fileMB"] = static_cast<double>(bytes) / 1e6;
}

} // namespace

BENCHMARK(BM_SaveAllPaths)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadPaths)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();

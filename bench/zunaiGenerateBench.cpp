// Generating a path database for a large level: a terrain of about
// 100,000 triangles (hills, rocks), from the level file to the database
// written, with the default agent.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "zunaiGenerate.h"
#include "zunaiTestLevels.h"

namespace fs = std::filesystem;

static void generateLargeTerrain(benchmark::State& state)
{
    const zunaiTestLevel level = zunaiMakeTestLevel(zunaiTestLevelKind::LargeTerrain);
    const fs::path dir = fs::temp_directory_path() / "zunai-generate-bench";
    fs::remove_all(dir);
    zunaiWriteTestGame(dir, level);
    zunaiGameOptions where;
    where.game = dir.string();
    const zunaiGame game = zunaiFindGame(where, true);
    zunaiGenerateOptions options;
    options.force = true;
    zunaiGenerateSummary made;
    for (auto _ : state)
        made = zunaiGenerate(game, options);
    state.counters["triangles"] = double(level.mesh.triangles.size());
    state.counters["paths"] = made.paths;
    state.counters["marks"] = made.marks;
    state.counters["coverage"] = made.coverage;
    fs::remove_all(dir);
}
BENCHMARK(generateLargeTerrain)->Unit(benchmark::kSecond)->Iterations(1);

BENCHMARK_MAIN();

// The workbench on large levels: importing a level file into the tool's
// triangles and the stand-in's ray test (its hierarchy built by a first
// ray), and `zunai show`'s whole work on one: import, picture, file.
//
// The levels are rolling terrain with a grid of square towers, written as
// OBJ once per run into a scratch folder: 1,000,000 triangles for the
// import, 500,000 for the picture.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "host/zunRender.h"
#include "standin/zunStandIn.h"
#include "zunaiGame.h"
#include "zunaiLevelImport.h"
#include "zunaiPicture.h"

namespace fs = std::filesystem;

namespace {

fs::path scratch()
{
    static const fs::path dir = fs::temp_directory_path() / "zunai-level-bench";
    fs::create_directories(dir / "bin");
    fs::create_directories(dir / "data" / "levels");
    return dir;
}

// Terrain of about `triangles` triangles over 4000 x 4000 units.
fs::path terrain(int triangles)
{
    const fs::path file = scratch() / "data" / "levels" / ("terrain-" + std::to_string(triangles) + ".obj");
    if (fs::exists(file))
        return file;
    const int n = int(std::sqrt(triangles / 2.0));   // cells per side
    const double cell = 4000.0 / n;
    std::FILE* out = std::fopen(file.string().c_str(), "w");
    for (int j = 0; j <= n; ++j)
        for (int i = 0; i <= n; ++i) {
            const double x = -2000.0 + i * cell, y = -2000.0 + j * cell;
            const double z = 30.0 * std::sin(x / 300.0) * std::cos(y / 410.0);
            std::fprintf(out, "v %.3f %.3f %.3f\n", x, y, z);
        }
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const int a = j * (n + 1) + i + 1, b = a + 1, c = a + n + 1, d = c + 1;
            std::fprintf(out, "f %d %d %d\nf %d %d %d\n", a, b, d, a, d, c);
        }
    std::fclose(out);
    return file;
}

void castOneRay()
{
    float origin[4] = {0.0f, 0.0f, 1000.0f, 1.0f}, direction[4] = {0.0f, 0.0f, -1.0f, 1.0f}, hit[4] = {0, 0, 0, 1};
    unsigned long first = 0, second = 0, third = 0;
    benchmark::DoNotOptimize(zunHitScan(&origin, &direction, 2000.0f, &hit, &first, second, third, 0));
}

void BM_ImportLevel(benchmark::State& state)
{
    const fs::path file = terrain(int(state.range(0)));
    std::size_t triangles = 0;
    for (auto _ : state) {
        zunStandIn::reset();
        const zunaiLevelMesh mesh = zunaiImportLevel(file, file.filename().string(), zunaiImportOptions{});
        zunaiLoadIntoStandIn(mesh);
        castOneRay();
        triangles = mesh.triangles.size();
    }
    state.counters["triangles"] = double(triangles);
}
BENCHMARK(BM_ImportLevel)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(2);

// zunai show --level terrain-500000.obj --svg FILE: the level, no database;
// the import, the picture with its height map, and the file.
void BM_ShowLevel(benchmark::State& state)
{
    const fs::path file = terrain(int(state.range(0)));
    const fs::path svg = scratch() / "show.svg";
    for (auto _ : state) {
        zunaiGameOptions options;
        options.game = scratch().string();
        options.level = file.string();
        const zunaiGame game = zunaiFindGame(options, true);
        zunaiSession session(game, false);
        zunaiWritePicture(zunaiSessionScene(session, "show", {}, zunaiPictureOptions{}), svg, {});
    }
    state.counters["svgBytes"] = double(fs::file_size(svg));
}
BENCHMARK(BM_ShowLevel)->Arg(500000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();

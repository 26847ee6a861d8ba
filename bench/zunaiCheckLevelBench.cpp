// zunai check --level on a large level: a floor of 100,352 triangles
// (224 x 224 squares of 20 units) with 1,000 stored paths of 10 marks each
// (a grid of paths 40 apart, ends within joining reach), every mark probed
// with the hover rule and the ground ray, every link with the grid probe, and
// joins tried from every path end.

#include <benchmark/benchmark.h>

#include "standin/zunStandIn.h"
#include "zunaiLevelCheck.h"

namespace {

constexpr int squares = 224;
constexpr float side = 20.0f;

void buildFloor()
{
    zunStandIn::reset();
    for (int i = 0; i < squares; ++i)
        for (int j = 0; j < squares; ++j) {
            const float x0 = i * side, y0 = j * side, x1 = x0 + side, y1 = y0 + side;
            zunStandIn::addTriangle(cVector4(x0, y0, 0), cVector4(x1, y0, 0), cVector4(x1, y1, 0));
            zunStandIn::addTriangle(cVector4(x0, y0, 0), cVector4(x1, y1, 0), cVector4(x0, y1, 0));
        }
}

// 1,000 paths in 40 rows of 25, each 10 marks 15 apart along x.
zunaiCheckReport storedPaths()
{
    zunaiCheckReport report;
    int line = 1;
    for (int row = 0; row < 40; ++row)
        for (int col = 0; col < 25; ++col) {
            zunaiCheckedPath path;
            path.number = path.loadsAs = int(report.paths.size());
            path.firstLine = line;
            for (int m = 0; m < 10; ++m) {
                path.marks.push_back(zunaiPoint{100.0f + col * 170.0f + m * 15.0f, 100.0f + row * 40.0f, 24.7f});
                path.markLines.push_back(line);
                line += 3;
            }
            path.lastLine = line - 1;
            report.marks += 10;
            report.paths.push_back(path);
        }
    return report;
}

void checkLevelLarge(benchmark::State& state)
{
    buildFloor();
    const zunaiCheckReport report = storedPaths();
    zunaiLevelCheckReport result;
    for (auto _ : state)
        result = zunaiCheckLevel(report);
    state.counters["triangles"] = zunStandIn::triangleCount();
    state.counters["paths"] = double(report.paths.size());
    state.counters["problems"] = double(result.problems.size());
    state.counters["groups"] = double(result.groups.size());
}
BENCHMARK(checkLevelLarge)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();

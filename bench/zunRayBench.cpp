// Rays per second of the stand-in's ray test through zunHitScan, in levels
// of many small random boxes over a 400 x 400 x 60 area, at 1k, 10k and 100k
// triangles. Rays run ~100 units from random origins in random directions.

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "host/zunRender.h"
#include "standin/zunStandIn.h"

namespace {

struct BenchRay { float origin[4], direction[4], length; };

void buildBoxLevel(int triangles, std::mt19937& rng) {
    zunStandIn::reset();
    std::uniform_real_distribution<float> x(0.0f, 400.0f), z(0.0f, 60.0f), size(0.5f, 6.0f);
    for (int i = 0; i < triangles / 12; ++i) {
        const cVector4 min(x(rng), x(rng), z(rng));
        zunStandIn::addBox(min, cVector4(min.x + size(rng), min.y + size(rng), min.z + size(rng)));
    }
}

std::vector<BenchRay> makeRays(std::mt19937& rng) {
    std::uniform_real_distribution<float> x(0.0f, 400.0f), z(0.0f, 60.0f), length(80.0f, 120.0f);
    std::normal_distribution<float> g(0.0f, 1.0f);
    std::vector<BenchRay> rays(8192);
    for (BenchRay& r : rays) {
        float dx, dy, dz, len;
        do {
            dx = g(rng);
            dy = g(rng);
            dz = g(rng);
            len = std::sqrt(dx * dx + dy * dy + dz * dz);
        } while (len < 1e-3f);
        r = BenchRay{{x(rng), x(rng), z(rng), 1.0f}, {dx / len, dy / len, dz / len, 1.0f}, length(rng)};
    }
    return rays;
}

void BM_HitScan(benchmark::State& state) {
    std::mt19937 rng(20240611u);
    buildBoxLevel(static_cast<int>(state.range(0)), rng);
    std::vector<BenchRay> rays = makeRays(rng);
    float hit[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    unsigned long a, b, c;
    // The first cast builds the hierarchy; keep that out of the timing.
    zunHitScan(&rays[0].origin, &rays[0].direction, rays[0].length, &hit, &a, b, c, 0);

    std::size_t i = 0;
    long long hits = 0;
    for (auto _ : state) {
        BenchRay& r = rays[i];
        hits += zunHitScan(&r.origin, &r.direction, r.length, &hit, &a, b, c, 0);
        benchmark::DoNotOptimize(hit);
        i = (i + 1) & (rays.size() - 1);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["triangles"] = static_cast<double>(zunStandIn::triangleCount());
    state.counters["hit_fraction"] = static_cast<double>(hits) / static_cast<double>(state.iterations());
    state.counters["rays/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    zunStandIn::reset();
}

}  // namespace

BENCHMARK(BM_HitScan)->Arg(1000)->Arg(10000)->Arg(100000);

BENCHMARK_MAIN();

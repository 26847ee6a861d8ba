// Rays per second of the stand-in's ray test through zunHitScan, in levels
// of many small random boxes over a 400 x 400 x 60 area, at 1k, 10k and 100k
// triangles. Rays run ~100 units from random origins in random directions.
//
// BM_HitScan adds boxes to reach the count, so the area gets ten times more
// crowded at each step and rays pass more boxes. BM_HitScanDetail keeps the
// 10k level's boxes and cuts each face into n x n squares instead: the same
// world in more triangles.

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "bench/zunBenchSupport.h"

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

// The box from min to max with each face cut into n x n squares.
void addDetailedBox(const cVector4& min, const cVector4& max, int n) {
    const float lo[3] = {min.x, min.y, min.z}, hi[3] = {max.x, max.y, max.z};
    for (int axis = 0; axis < 3; ++axis) {
        const int u = (axis + 1) % 3, v = (axis + 2) % 3;
        for (int side = 0; side < 2; ++side) {
            for (int i = 0; i < n; ++i) {
                for (int j = 0; j < n; ++j) {
                    float p[4][3];
                    for (int k = 0; k < 4; ++k) {
                        const int di = (k == 1 || k == 2) ? 1 : 0, dj = k >= 2 ? 1 : 0;
                        p[k][axis] = side ? hi[axis] : lo[axis];
                        p[k][u] = lo[u] + (hi[u] - lo[u]) * static_cast<float>(i + di) / static_cast<float>(n);
                        p[k][v] = lo[v] + (hi[v] - lo[v]) * static_cast<float>(j + dj) / static_cast<float>(n);
                    }
                    const cVector4 a(p[0][0], p[0][1], p[0][2]), b(p[1][0], p[1][1], p[1][2]);
                    const cVector4 c(p[2][0], p[2][1], p[2][2]), d(p[3][0], p[3][1], p[3][2]);
                    zunStandIn::addTriangle(a, b, c);
                    zunStandIn::addTriangle(a, c, d);
                }
            }
        }
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

void runRays(benchmark::State& state, std::vector<BenchRay>& rays) {
    float hit[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    unsigned long a, b, c;
    // The first cast builds the hierarchy; keep that out of the timing.
    zunHitScan(&rays[0].origin, &rays[0].direction, rays[0].length, &hit, &a, b, c, 0);

    std::size_t i = 0;
    long long hits = 0;
    const zunBench::Counters counters;
    for (auto _ : state) {
        BenchRay& r = rays[i];
        hits += zunHitScan(&r.origin, &r.direction, r.length, &hit, &a, b, c, 0);
        benchmark::DoNotOptimize(hit);
        i = (i + 1) & (rays.size() - 1);
    }
    counters.report(state);
    state.counters["triangles"] = static_cast<double>(zunStandIn::triangleCount());
    state.counters["hit_fraction"] = static_cast<double>(hits) / static_cast<double>(state.iterations());
    state.counters["rays/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_HitScan(benchmark::State& state) {
    std::mt19937 rng(20240611u);
    buildBoxLevel(static_cast<int>(state.range(0)), rng);
    std::vector<BenchRay> rays = makeRays(rng);
    runRays(state, rays);
    zunStandIn::reset();
}

void BM_HitScanDetail(benchmark::State& state) {
    std::mt19937 rng(20240611u);
    buildBoxLevel(10000, rng);
    std::vector<BenchRay> rays = makeRays(rng);
    // The same boxes again, from the same seed, with finer faces.
    std::mt19937 again(20240611u);
    zunStandIn::reset();
    std::uniform_real_distribution<float> x(0.0f, 400.0f), z(0.0f, 60.0f), size(0.5f, 6.0f);
    for (int i = 0; i < 10000 / 12; ++i) {
        const cVector4 min(x(again), x(again), z(again));
        addDetailedBox(min, cVector4(min.x + size(again), min.y + size(again), min.z + size(again)),
                       static_cast<int>(state.range(0)));
    }
    runRays(state, rays);
    zunStandIn::reset();
}

}  // namespace

BENCHMARK(BM_HitScan)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_HitScanDetail)->Arg(1)->Arg(3);

BENCHMARK_MAIN();

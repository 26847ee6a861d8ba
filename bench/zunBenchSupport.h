// What the benchmark programs share: the counters every case reports beside
// its time, the sample level, a scratch game directory, and the town whose
// street grid is the path database of the route cases.
#ifndef ZUN_BENCH_SUPPORT_H
#define ZUN_BENCH_SUPPORT_H

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "standin/zunStandIn.h"
#include "tests/zunScratchGame.h"
#include "zunAI.h"

namespace zunBench {

namespace fs = std::filesystem;

// Marks float this far above the ground below them.
constexpr float hover = 24.7f;

// Rays cast (zunStandIn::rayCount) and module allocations made (the core's
// allocation count) per iteration, taken from construction to report().
class Counters {
public:
    Counters() : rays(zunStandIn::rayCount()), allocations(zunStandIn::allocStats().allocations) {}

    void report(benchmark::State& state) const
    {
        state.counters["rays"] = benchmark::Counter(static_cast<double>(zunStandIn::rayCount() - rays),
                                                    benchmark::Counter::kAvgIterations);
        state.counters["allocs"] = benchmark::Counter(
            static_cast<double>(zunStandIn::allocStats().allocations - allocations), benchmark::Counter::kAvgIterations);
    }

private:
    long long rays;
    long long allocations;
};

// Time per `items` items of one iteration, in the unit of the benchmark (so
// "per path" next to a time column in microseconds is in microseconds).
inline benchmark::Counter timePer(double items)
{
    return benchmark::Counter(items, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The sample game: its level and its database of stored paths.
inline std::string sampleDir() { return ZUNAI_SAMPLE_DIR; }

inline bool loadSampleLevel()
{
    zunStandIn::reset();
    return zunStandIn::loadLevel((sampleDir() + "/data/levels/courtyard.obj").c_str());
}

// A scratch game directory; the working directory is its bin/ while it lives.
class GameDir : public zunScratchGame {
public:
    GameDir() : zunScratchGame("zunai-bench") {}
};

// A town of square blocks: a street along every side of every block, each
// street between two crossings one stored path of five marks; a floor under
// it all and a house filling the middle of every block, so that a ray across
// a block meets a wall. Built for a given number of stored paths, with the
// same density at every size: the town grows, its blocks stay the same.
class Town {
public:
    static constexpr float spacing = 18.0f;   // crossing to crossing

    explicit Town(int paths)
    {
        side = 2;
        while (2 * side * (side - 1) < paths)
            ++side;
        this->paths = paths;
    }

    float extent() const { return spacing * static_cast<float>(side - 1); }
    cVector4 centre() const { return cVector4(extent() / 2.0f, extent() / 2.0f, hover); }
    int storedPaths() const { return paths; }

    // The streets in crossing order, each crossing's east street then its
    // north street, until the count is reached.
    void fill(zunAIPathMgr& db) const
    {
        int made = 0;
        for (int row = 0; row < side && made < paths; ++row)
            for (int col = 0; col < side && made < paths; ++col)
                for (int north = 0; north < 2 && made < paths; ++north) {
                    if ((north ? row : col) + 1 >= side)
                        continue;
                    const float x = spacing * static_cast<float>(col), y = spacing * static_cast<float>(row);
                    zunAIPath* path = new zunAIPath;
                    for (float along : {2.0f, 5.5f, 9.0f, 12.5f, 16.0f}) {
                        cVector4 at = north ? cVector4(x, y + along, hover) : cVector4(x + along, y, hover);
                        path->addMark(at);
                    }
                    db.addPath(path);
                    ++made;
                }
    }

    void build() const
    {
        zunStandIn::reset();
        zunStandIn::addBox(cVector4(-20.0f, -20.0f, -1.0f), cVector4(extent() + 20.0f, extent() + 20.0f, 0.0f));
        for (int row = 0; row + 1 < side; ++row)
            for (int col = 0; col + 1 < side; ++col) {
                const float x = spacing * static_cast<float>(col), y = spacing * static_cast<float>(row);
                zunStandIn::addBox(cVector4(x + 4.0f, y + 4.0f, 0.0f), cVector4(x + 14.0f, y + 14.0f, 40.0f));
            }
    }

private:
    int side;    // crossings along each side
    int paths;
};

} // namespace zunBench

#endif

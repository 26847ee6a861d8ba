#ifndef ZUN_RELIABILITY_SUPPORT_H
#define ZUN_RELIABILITY_SUPPORT_H

// Shared parts of the reliability tests: a copy of the sample game directory
// entered at its bin/ folder, structural checks of lists and managers, views
// of what a manager holds, and the allocation-failure sweep driver.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "standin/zunStandIn.h"
#include "zunAI.h"
#include "zunManagerChecks.h"
#include "zunScratchGame.h"
#include "zunTestFixture.h"

namespace reliability {

namespace fs = std::filesystem;

using Marks = std::vector<cVector4>;
using Paths = std::vector<Marks>;

// Positions of a path's allocated marks, in order (null items left out).
inline Marks marksOf(const zunAIPath& path)
{
    Marks out;
    for (auto* node = path.marks.head; node; node = node->next)
        if (node->item)
            out.push_back(node->item->position);
    return out;
}

inline Paths pathsOf(const zunAIPathMgr& manager)
{
    Paths out;
    for (auto* node = manager.paths.head; node; node = node->next)
        out.push_back(node->item ? marksOf(*node->item) : Marks());
    return out;
}

inline bool samePosition(const cVector4& a, const cVector4& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z && a.w == b.w;
}

inline bool sameMarks(const Marks& a, const Marks& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!samePosition(a[i], b[i]))
            return false;
    return true;
}

// `part` is `whole` with some marks left out, the rest in order.
inline bool isSubsequence(const Marks& part, const Marks& whole)
{
    std::size_t j = 0;
    for (const cVector4& mark : part) {
        while (j < whole.size() && !samePosition(whole[j], mark))
            ++j;
        if (j == whole.size())
            return false;
        ++j;
    }
    return true;
}

// Marks the same path of `whole` matches each path of `part`: paths in order,
// each one's marks a subsequence of its counterpart's. Answers the number of
// paths that match their counterpart exactly, or -1 when some path matches
// none. `missing` receives the number of paths of `whole` left out.
inline int matchPaths(const Paths& part, const Paths& whole, int& missing)
{
    std::size_t j = 0;
    int exact = 0;
    for (const Marks& path : part) {
        while (j < whole.size() && !isSubsequence(path, whole[j]))
            ++j;
        if (j == whole.size())
            return -1;
        if (sameMarks(path, whole[j]))
            ++exact;
        ++j;
    }
    missing = static_cast<int>(whole.size() - part.size());
    return exact;
}

inline std::string readBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const fs::path& file, const std::string& bytes)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

// A fresh copy of the sample game directory, entered at its bin/ folder.
class GameDir : public zunScratchGame {
public:
    GameDir() : zunScratchGame("zunai-reliability", ZUNAI_SAMPLE) {}
};

// Loads the game directory's database, "levels\paths.qzt", into `manager`.
inline int loadSample(zunAIPathMgr& manager)
{
    char name[] = "levels\\paths.qzt";
    return manager.loadPaths(name);
}

// Which allocations of a run fail.
enum class Injected { none, one, fromOn };

inline const char* injectedName(Injected mode)
{
    return mode == Injected::none ? "none" : mode == Injected::one ? "one" : "from k on";
}

struct SweepFigures {
    long long allocations = 0;   // N, of the run without failures
    long long runs = 0;
    long long injected = 0;      // failed allocations over all runs
};

// Total of every sweep in this process, printed at the end.
inline long long& injectedInProcess()
{
    static long long total = 0;
    return total;
}

// The sweep. A Scenario's constructor builds its state without failures,
// operate() runs the operation under test, verify(mode) checks what it left
// (no failures are armed then), and its destructor releases everything.
// The scenario is run once to count its allocations N, then for every
// k = 0..N once with allocation k failing and once with every allocation
// from k on failing (every `fromOnStride`-th k for the latter). After each
// run the live blocks are back where they started.
template <class Scenario, class... Args>
SweepFigures sweep(const char* name, int fromOnStride, Args&... args)
{
    SweepFigures figures;
    const long long startBlocks = zunStandIn::allocStats().liveBlocks;

    auto runOnce = [&](Injected mode, int k) {
        SCOPED_TRACE(std::string(name) + ": allocation " + std::to_string(k) + ", " + injectedName(mode));
        const long long failuresBefore = zunStandIn::allocStats().failures;
        {
            Scenario scenario(args...);
            const long long allocationsBefore = zunStandIn::allocStats().allocations;
            if (mode == Injected::one)
                zunStandIn::failAllocations(k, 1);
            else if (mode == Injected::fromOn)
                zunStandIn::failAllocations(k, -1);
            scenario.operate();
            zunStandIn::stopFailing();
            if (mode == Injected::none)
                figures.allocations = zunStandIn::allocStats().allocations - allocationsBefore;
            scenario.verify(mode);
        }
        const long long injected = zunStandIn::allocStats().failures - failuresBefore;
        figures.injected += injected;
        ++figures.runs;
        EXPECT_EQ(zunStandIn::allocStats().liveBlocks, startBlocks) << "blocks leaked";
        if (mode == Injected::one) {
            EXPECT_LE(injected, 1);
        }
    };

    runOnce(Injected::none, 0);
    const int n = static_cast<int>(figures.allocations);
    for (int k = 0; k <= n && !::testing::Test::HasFatalFailure(); ++k) {
        runOnce(Injected::one, k);
        if (k % fromOnStride == 0 || k == n)
            runOnce(Injected::fromOn, k);
    }
    injectedInProcess() += figures.injected;
    std::printf("sweep %s: %lld allocations, %lld runs, %lld injected failures\n", name, figures.allocations,
                figures.runs, figures.injected);
    ::testing::Test::RecordProperty("allocations", std::to_string(figures.allocations));
    ::testing::Test::RecordProperty("injected_failures", std::to_string(figures.injected));
    return figures;
}

} // namespace reliability

#endif

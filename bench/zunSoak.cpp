// Soak: a simulated host that runs the module for a long stretch of frames
// on the sample level. Characters, each with a route manager, a memory
// manager, a task manager and a video sensor, ask now and then for walked and
// chained routes and follow them; a designer records paths into the database
// and deletes them again; every 1,000 frames the database is saved and
// reloaded, and the reload must hold what was saved. Throughout, every live
// block of the module must be one that the host can account for, and at the
// end every block must be back.
//
//   zunSoak [--frames N] [--characters N] [--seed N]
//
// Prints the peak of live blocks, the run time and what was done; exits 1 at
// the first check that fails. A program, not a timed test.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "standin/zunStandIn.h"
#include "zunAI.h"

namespace fs = std::filesystem;

namespace {

[[noreturn]] void fail(long frame, const std::string& what)
{
    std::fprintf(stderr, "zunSoak: frame %ld: %s\n", frame, what.c_str());
    std::exit(1);
}

// A host memory of the soak: what a character noticed, for a while.
struct Sighting : zunAIMemory {
    Sighting(int kind, float time, float keep)
    {
        type = kind;
        duration = keep;
        vtlRefresh(time);
    }
};

// A host task that is done at a given time; tasks of type 0 end at a reset.
struct Errand : zunAITask {
    float doneAt;
    Errand(int kind, float at) : doneAt(at) { type = kind; }
    int vtlReset() override { return type != 0; }
    int vtlUpdate(float time) override { return time < doneAt; }
};

struct Character {
    zunAIPathMgr* routes = nullptr;    // owns the routes it asked for
    zunAIMemoryMgr* memories = nullptr;
    zunAITaskMgr* tasks = nullptr;
    zunAIVideo video;                  // allocates nothing; held by the host
    cVector4 position;
    zunAIPath* route = nullptr;        // the route being followed, in `routes`
    long nextRequest = 0;
    bool chained = false;              // the kind of the next request
};

// Blocks of one path and of the nodes that hold it in a list.
long long blocksOf(const zunList<zunAIPath>& paths)
{
    long long blocks = 0;
    for (auto* node = paths.head; node; node = node->next) {
        ++blocks;   // the node
        if (node->item)
            blocks += 1 + 2LL * node->item->marks.count;   // the path, each mark and its node
    }
    return blocks;
}

long long blocksOf(const zunAIPathMgr& manager)
{
    return 1 + blocksOf(manager.paths) + blocksOf(manager.activePaths) +
           (manager.newPath ? 1 + 2LL * manager.newPath->marks.count : 0);
}

// The database as its file holds it: each mark's coordinates as "%f".
std::string describe(const zunAIPathMgr& manager)
{
    std::string text;
    char number[64];
    for (auto* node = manager.paths.head; node && node->item; node = node->next) {
        for (auto* m = node->item->marks.head; m && m->item; m = m->next) {
            const cVector4& p = m->item->position;
            std::snprintf(number, sizeof number, "%f %f %f;", double(p.x), double(p.y), double(p.z));
            text += number;
        }
        text += '\n';
    }
    return text;
}

long argument(int argc, char** argv, const char* name, long fallback)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0) {
            char* end = nullptr;
            const long value = std::strtol(argv[i + 1], &end, 10);
            if (!end || *end || value < 0) {
                std::fprintf(stderr, "zunSoak: %s takes a whole number, not '%s'\n", name, argv[i + 1]);
                std::exit(2);
            }
            return value;
        }
    return fallback;
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; i += 2)
        if (std::strcmp(argv[i], "--frames") && std::strcmp(argv[i], "--characters") && std::strcmp(argv[i], "--seed")) {
            std::fprintf(stderr, "usage: zunSoak [--frames N] [--characters N] [--seed N]\n");
            return 2;
        }
    const long frames = argument(argc, argv, "--frames", 100000);
    const long characterCount = argument(argc, argv, "--characters", 50);
    std::mt19937 random(static_cast<unsigned>(argument(argc, argv, "--seed", 1)));
    auto uniform = [&](float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(random); };
    auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };

    // A game directory of our own: the sample's level and database, bin/ as
    // the working directory.
    const fs::path sample(ZUNAI_SAMPLE_DIR);
    const fs::path previousDir = fs::current_path();
    const fs::path game = fs::temp_directory_path() / ("zunai-soak-" + std::to_string(std::random_device()()));
    fs::create_directories(game / "bin");
    fs::create_directories(game / "data" / "levels");
    fs::create_directories(game / "data" / "memory" / "levels");
    fs::copy_file(sample / "data" / "levels" / "courtyard.obj", game / "data" / "levels" / "courtyard.obj");
    fs::copy_file(sample / "data" / "memory" / "levels" / "paths.qzt", game / "data" / "memory" / "levels" / "paths.qzt");
    fs::current_path(game / "bin");

    zunStandIn::reset();
    if (!zunStandIn::loadLevel("../data/levels/courtyard.obj"))
        fail(0, "cannot load the sample level");
    const long long startBlocks = zunStandIn::allocStats().liveBlocks;
    const auto started = std::chrono::steady_clock::now();

    char databaseName[] = "levels\\paths.qzt";
    zunAIPathMgr* database = new zunAIPathMgr;
    if (database->loadPaths(databaseName) != 1 || database->getNumPaths() == 0)
        fail(0, "cannot load the sample database");
    const int samplePaths = database->getNumPaths();

    // Where characters stand and go: the stored marks, which lie on open ground.
    std::vector<cVector4> places;
    database->paths.walk([&](zunAIPath* path) { path->marks.walk([&](zunAIMark* m) { places.push_back(m->position); }); });

    std::vector<Character> characters(static_cast<std::size_t>(characterCount));
    for (std::size_t i = 0; i < characters.size(); ++i) {
        Character& c = characters[i];
        c.routes = new zunAIPathMgr;
        c.memories = new zunAIMemoryMgr;
        c.tasks = new zunAITaskMgr;
        c.position = places[static_cast<std::size_t>(below(static_cast<int>(places.size())))];
        c.nextRequest = static_cast<long>(i) * 4;   // staggered: a request every ~200 frames each
        c.chained = i % 2 == 1;
    }

    // The first marks of the paths the designer recorded and has not yet
    // deleted, oldest first; a mark picks its path for deletion.
    std::vector<cVector4> recorded;
    zunAIPathMgr::pathInfo tuning;

    long long peak = 0, peakFirstHalf = 0, peakLastQuarter = 0;
    long walkedAsked = 0, walkedMarks = 0, chainedAsked = 0, chainedFound = 0, copies = 0;
    long recordings = 0, deletions = 0, saves = 0, memoriesAdded = 0, tasksAdded = 0;
    long long rays = 0;
    zunAIPathMgr::pathInfo* info = &tuning;

    for (long frame = 0; frame < frames; ++frame) {
        const float time = static_cast<float>(frame) * 0.25f;

        for (Character& c : characters) {
            c.video.vtlUpdate(time, c.position);
            c.memories->updateMemory(time);
            c.tasks->updateTasks(time);

            // Following the route: a mark every 4 frames; at its end the
            // route is done and goes.
            if (c.route && frame % 4 == 0) {
                if (zunAIMark* mark = c.route->getNextMark()) {
                    c.position = mark->position;
                } else {
                    c.routes->deletePath(c.route);
                    c.route = nullptr;
                }
            }

            if (frame == c.nextRequest) {
                if (c.route)
                    c.routes->deletePath(c.route);
                c.route = nullptr;
                cVector4 goal = places[static_cast<std::size_t>(below(static_cast<int>(places.size())))];
                if (c.chained) {
                    ++chainedAsked;
                    c.route = c.routes->getPath(c.position, goal, *database, info);
                    if (c.route) {
                        ++chainedFound;
                    } else if (zunAIPath* copy = database->getCopyPath(below(database->getNumPaths()))) {
                        // No route: patrol a stored path for a while.
                        ++copies;
                        c.routes->addPath(copy);
                        c.route = copy;
                    }
                } else {
                    ++walkedAsked;
                    c.route = c.routes->getPath(c.position, goal);
                    if (c.route)
                        walkedMarks += c.route->getNumMarks();
                }
                if (c.routes->getNumPaths() != (c.route ? 1 : 0))
                    fail(frame, "a character's routes are not what it asked for");
                c.chained = !c.chained;
                c.nextRequest = frame + 180 + below(41);
            }

            if ((frame + (&c - &characters[0])) % 10 == 0) {
                if (zunAIMemory* memory = new Sighting(below(5), time, uniform(5.0f, 50.0f))) {
                    c.memories->addMemory(memory);
                    ++memoriesAdded;
                }
            }
            if ((frame + (&c - &characters[0])) % 50 == 0) {
                // Keep what was seen lately of one kind.
                zunArray<zunAIMemory> found;
                c.memories->findMemoryArray(found, below(5), time - 10.0f, 4);
                for (int i = 0; i < found.count; ++i)
                    found.data[i]->vtlRefresh(time);
            }
            if ((frame + (&c - &characters[0])) % 15 == 0) {
                if (zunAITask* task = new Errand(below(4), time + uniform(1.0f, 30.0f))) {
                    c.tasks->addTask(task);
                    ++tasksAdded;
                }
            }
            if ((frame + (&c - &characters[0])) % 500 == 0)
                c.tasks->resetTasks();
        }

        // The designer: records a path near a character every 300 frames,
        // and deletes the oldest recording once there are more than four.
        if (frame % 300 == 150) {
            const cVector4 at = characters[static_cast<std::size_t>(below(static_cast<int>(characters.size())))].position;
            cVector4 first;
            for (int i = 0; i < 5; ++i) {
                cVector4 mark(at.x + uniform(-20.0f, 20.0f), at.y + uniform(-20.0f, 20.0f), at.z);
                if (i == 0)
                    first = mark;
                if (database->addNewMark(mark) != 1)
                    fail(frame, "addNewMark failed");
            }
            database->deleteLastMark();
            if (database->saveNewPath() != 1)
                fail(frame, "saveNewPath failed");
            recorded.push_back(first);
            ++recordings;
        }
        if (frame % 300 == 0 && recorded.size() > 4) {
            if (database->selectClosestPath(recorded.front()) != 1)
                fail(frame, "the designer's oldest recording cannot be selected");
            if (database->selectedPath->getMark(0) == nullptr ||
                (database->selectedPath->getMark(0)->position - recorded.front()).len() > 1e-3f)
                fail(frame, "another path than the oldest recording was selected");
            if (database->deleteSelectedPath() != 1)
                fail(frame, "deleteSelectedPath failed");
            recorded.erase(recorded.begin());
            ++deletions;
        }

        // A frame's debug output, then the host's own end of frame.
        if (frame % 10 == 0) {
            database->drawPaths();
            for (Character& c : characters)
                c.routes->drawPaths();
        }
        rays += zunStandIn::rayCount();
        zunStandIn::clearCapture();

        // Save and reload: the reload replaces the database.
        if (frame % 1000 == 999) {
            if (database->saveAllPaths() != 1)
                fail(frame, "saveAllPaths failed");
            zunAIPathMgr* reloaded = new zunAIPathMgr;
            if (reloaded->loadPaths(databaseName) != 1)
                fail(frame, "the saved database cannot be loaded");
            if (describe(*reloaded) != describe(*database))
                fail(frame, "the saved database reloads to other marks");
            delete database;
            database = reloaded;
            ++saves;
            zunStandIn::clearLog();

            // Every live block is one the host can account for.
            long long expected = blocksOf(*database);
            for (const Character& c : characters)
                expected += blocksOf(*c.routes) + 2 + 2LL * c.memories->memories.count + 2LL * c.tasks->tasks.count;
            const long long live = zunStandIn::allocStats().liveBlocks - startBlocks;
            if (live != expected)
                fail(frame, std::to_string(live) + " live blocks, " + std::to_string(expected) + " accounted for");
            if (database->getNumPaths() != samplePaths + static_cast<int>(recorded.size()))
                fail(frame, "the database holds " + std::to_string(database->getNumPaths()) + " paths");
        }

        const long long live = zunStandIn::allocStats().liveBlocks - startBlocks;
        peak = std::max(peak, live);
        if (frame < frames / 2)
            peakFirstHalf = std::max(peakFirstHalf, live);
        if (frame >= frames - frames / 4)
            peakLastQuarter = std::max(peakLastQuarter, live);
    }

    // The host shuts down: every block comes back.
    for (Character& c : characters) {
        delete c.routes;
        delete c.memories;
        delete c.tasks;
    }
    delete database;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const long long left = zunStandIn::allocStats().liveBlocks - startBlocks;

    fs::current_path(previousDir);
    std::error_code ignored;
    fs::remove_all(game, ignored);

    std::printf("zunSoak: %ld frames, %ld characters, %.1f s (%.1f us per frame)\n", frames, characterCount, seconds,
                frames ? 1e6 * seconds / static_cast<double>(frames) : 0.0);
    std::printf("  routes: %ld walked (%.1f marks each), %ld chained asked, %ld found, %ld stored paths patrolled\n",
                walkedAsked, walkedAsked ? double(walkedMarks) / double(walkedAsked) : 0.0, chainedAsked,
                chainedFound, copies);
    std::printf("  memories added %ld, tasks added %ld; paths recorded %ld, deleted %ld; database saved and "
                "reloaded %ld times\n",
                memoriesAdded, tasksAdded, recordings, deletions, saves);
    std::printf("  rays cast %lld, allocations %lld\n", rays, zunStandIn::allocStats().allocations);
    std::printf("  live blocks: peak %lld (first half %lld, last quarter %lld), %lld left at the end\n", peak,
                peakFirstHalf, peakLastQuarter, left);
    if (left != 0) {
        std::fprintf(stderr, "zunSoak: %lld blocks leaked\n", left);
        return 1;
    }
    // Bounded: the second half holds no more than the first did, give or
    // take the spread of a busy frame.
    if (frames >= 4000 && peakLastQuarter > peakFirstHalf + peakFirstHalf / 4) {
        std::fprintf(stderr, "zunSoak: live blocks grow (peak %lld in the first half, %lld in the last quarter)\n",
                     peakFirstHalf, peakLastQuarter);
        return 1;
    }
    std::printf("zunSoak: passed\n");
    return 0;
}

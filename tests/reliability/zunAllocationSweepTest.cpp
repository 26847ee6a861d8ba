// Allocation-failure sweeps: every operation that allocates, run with each
// of its allocations failing in turn and with every allocation from some
// point on failing. After each run nothing has crashed, every list is sound,
// what is kept is a piece of what a run without failures keeps (one failure
// losing or damaging at most a given number of pieces), and every block
// comes back once the managers are gone.
#include <limits>
#include <memory>
#include <vector>

#include "zunAI.h"
#include "zunManagerChecks.h"
#include "zunScratchGame.h"
#include "zunTestFixture.h"
#include "zunVectorChecks.h"

namespace {

// What a run keeps, as paths of marks; a memory or a task is a path of one
// mark made of its fields.
using Marks = std::vector<cVector4>;
using Paths = std::vector<Marks>;

// Positions of a path's allocated marks in order; those before its first
// null item only, when asked.
Marks marksOf(const zunAIPath& path, bool toFirstNull = false)
{
    Marks out;
    for (auto* node = path.marks.head; node && (node->item || !toFirstNull); node = node->next)
        if (node->item)
            out.push_back(node->item->position);
    return out;
}

Paths pathsOf(const zunList<zunAIPath>& list)
{
    Paths out;
    for (auto* node = list.head; node; node = node->next)
        out.push_back(node->item ? marksOf(*node->item) : Marks());
    return out;
}

// `part` is `whole` with some marks left out, the rest in order.
bool isSubsequence(const Marks& part, const Marks& whole)
{
    std::size_t j = 0;
    for (const cVector4& mark : part) {
        while (j < whole.size() && !vecEq(whole[j], mark, true))
            ++j;
        if (j++ == whole.size())
            return false;
    }
    return true;
}

// Each path of `part` matches a later path of `whole` than the one before,
// its marks a subsequence of its counterpart's. Answers the number of paths
// that match exactly, or -1 when some path matches none.
int matchPaths(const Paths& part, const Paths& whole)
{
    std::size_t j = 0;
    int exact = 0;
    for (const Marks& path : part) {
        while (j < whole.size() && !isSubsequence(path, whole[j]))
            ++j;
        if (j == whole.size())
            return -1;
        exact += path.size() == whole[j++].size();
    }
    return exact;
}

bool samePaths(const Paths& a, const Paths& b)
{
    return a.size() == b.size() && matchPaths(a, b) == static_cast<int>(b.size());
}

// The sample's database, as the module names it.
char sampleName[] = "levels\\paths.qzt";

// Arms a run's failures around the operation itself, and counts its
// allocations: from allocation k on, `failing` of them fail (0: none, -1: all).
struct Armed {
    int k, failing;
    long long allocations = 0;
    template <class Operate>
    void operate(Operate operation)
    {
        const long long before = zunStandIn::allocStats().allocations;
        zunStandIn::failAllocations(k, failing);
        operation();
        zunStandIn::stopFailing();
        allocations = zunStandIn::allocStats().allocations - before;
    }
};

// The sample's database as a load without failures reads it, and the file's
// bytes, put back after every save.
const zunScratchGame* game = nullptr;
Paths sampleFile;
std::string sampleBytes;

// Saving `manager` and loading the file again gives its paths up to the
// first null item or markless path, where saving and loading stop.
void expectSaveReload(zunAIPathMgr& manager)
{
    Paths want;
    for (auto* node = manager.paths.head; node && node->item && !marksOf(*node->item, true).empty(); node = node->next)
        want.push_back(marksOf(*node->item, true));
    EXPECT_EQ(manager.saveAllPaths(), 1);
    zunAIPathMgr reloaded;
    EXPECT_EQ(reloaded.loadPaths(sampleName), 1);
    EXPECT_TRUE(samePaths(pathsOf(reloaded.paths), want)) << "after a save and a reload";
    zunWriteFile(game->database(), sampleBytes);
}

// The demo's route requests on the sample level: across the courtyard and
// around its buildings, so that each route has many marks.
const float ground = 24.7f, terrace = 44.7f;
const cVector4 requests[][2] = {
    {{-150.0f, -178.0f, ground}, {140.0f, 158.0f, terrace}},
    {{-140.0f, 76.0f, ground}, {95.0f, -95.0f, ground}},
    {{86.0f, 138.0f, terrace}, {-150.0f, -178.0f, ground}},
    {{5.0f, -45.0f, ground}, {-5.0f, 115.0f, ground}},
};

// A manager holding two routes already, so that new ones go behind others.
void addTwoRoutes(zunAIPathMgr& manager)
{
    for (int i = 0; i < 2; ++i) {
        zunAIPath* path = new zunAIPath;
        cVector4 a(float(i), 0.0f, ground), b(float(i), 5.0f, ground);
        path->addMark(a);
        path->addMark(b);
        manager.addPath(path);
    }
}

// The paths an operation answered: sound and fresh, in `owner`'s list when
// `registered`, else handed over (and deleted here). Their marks.
Paths answered(const std::vector<zunAIPath*>& paths, zunAIPathMgr& owner, bool registered)
{
    Paths view;
    for (zunAIPath* path : paths) {
        if (!path)
            continue;
        EXPECT_TRUE(pathIsSound(*path));
        EXPECT_EQ(owner.paths.contains(path), registered ? 1 : 0);
        EXPECT_EQ(path->getCurMark(), 0);
        EXPECT_EQ(path->isActive(), 0);
        view.push_back(marksOf(*path));
        if (!registered)
            delete path;
    }
    return view;
}

// --- the operations ------------------------------------------------------------

// loadPaths; while recording, the recording receives the first path's marks
// and is stored with them.
template <bool recording>
Paths loadPaths(Armed& run)
{
    zunAIPathMgr manager;
    cVector4 recorded(1.5f, 2.5f, 3.5f);
    if (recording)
        manager.addNewMark(recorded);
    int answer = 0;
    run.operate([&] { answer = manager.loadPaths(sampleName); });
    EXPECT_EQ(answer, 1);
    EXPECT_TRUE(managerIsSound(manager));
    EXPECT_EQ(manager.newPath, nullptr);
    EXPECT_TRUE(!zunStandIn::log().empty() && zunStandIn::log().back() == "AI: PathMgr->Loaded paths successfully.");
    if (run.failing == 0 && recording) {
        EXPECT_VEC4_EQ(manager.getPath(0)->getMark(0)->position, recorded);
    } else if (run.failing == 0) {
        EXPECT_EQ(run.allocations, 12 * 2 + 86 * 2) << "a path, a node, a mark and a node each";
    }
    expectSaveReload(manager);
    return pathsOf(manager.paths);
}

// addNewMark five times, deleteLastMark, saveNewPath on the sample database.
Paths recordAndCommit(Armed& run)
{
    zunAIPathMgr manager;
    EXPECT_EQ(manager.loadPaths(sampleName), 1);
    int added = 0, saved = -1;
    run.operate([&] {
        for (int i = 0; i < 5; ++i) {
            cVector4 at(10.5f * i, -20.25f + i, ground);
            added += manager.addNewMark(at);
        }
        manager.deleteLastMark();
        saved = manager.saveNewPath();
    });
    EXPECT_TRUE(managerIsSound(manager));
    if (run.failing == 0) {
        EXPECT_EQ(added, 5);
        EXPECT_EQ(saved, 1);
    }
    Paths view = pathsOf(manager.paths);
    if (manager.newPath)
        view.push_back(marksOf(*manager.newPath));
    expectSaveReload(manager);
    return view;
}

struct WalkingMgr : zunAIPathMgr {
    using zunAIPathMgr::createPath;
};

// createPath (handed over) or getPath(start, goal) (registered) for each request.
template <bool registered>
Paths walk(Armed& run)
{
    WalkingMgr manager;
    addTwoRoutes(manager);
    std::vector<zunAIPath*> answers;
    run.operate([&] {
        for (const auto& r : requests) {
            cVector4 from = r[0], to = r[1];
            answers.push_back(registered ? manager.getPath(from, to) : manager.createPath(from, to));
        }
    });
    EXPECT_TRUE(managerIsSound(manager));
    const Paths view = answered(answers, manager, registered);
    EXPECT_EQ(manager.getNumPaths(), 2 + (registered ? static_cast<int>(view.size()) : 0));
    return view;
}

// getPath(start, goal, database, info), with the defaults or a tuning of its own.
Paths chainedRoutes(Armed& run)
{
    zunAIPathMgr database, routes;
    EXPECT_EQ(database.loadPaths(sampleName), 1);
    std::vector<zunAIPath*> answers;
    run.operate([&] {
        for (std::size_t i = 0; i < 4; ++i) {
            cVector4 from = requests[i][0], to = requests[i][1];
            zunAIPathMgr::pathInfo tuning{120.0f, 70.0f, -0.707f, 4.0f};
            answers.push_back(routes.getPath(from, to, database, i % 2 ? &tuning : nullptr));
        }
    });
    EXPECT_TRUE(managerIsSound(routes));
    EXPECT_TRUE(managerIsSound(database));
    EXPECT_TRUE(samePaths(pathsOf(database.paths), sampleFile)) << "the database changed";
    const Paths view = answered(answers, routes, true);
    EXPECT_TRUE(samePaths(pathsOf(routes.paths), view)) << "routes are registered in order, once each";
    return view;
}

Paths copyPaths(Armed& run)
{
    zunAIPathMgr database;
    EXPECT_EQ(database.loadPaths(sampleName), 1);
    std::vector<zunAIPath*> copies;
    run.operate([&] {
        for (int i = -1; i <= database.getNumPaths(); ++i)
            copies.push_back(database.getCopyPath(i));
    });
    EXPECT_TRUE(managerIsSound(database));
    EXPECT_TRUE(samePaths(pathsOf(database.paths), sampleFile)) << "the database changed";
    EXPECT_EQ(copies.front(), nullptr);
    EXPECT_EQ(copies.back(), nullptr);
    return answered(copies, database, false);
}

// A source with the sample database, a selection, a recording and an active
// path, copied by construction and by assignment over a manager with paths
// of its own. Each copy gives its paths, its active path and its recording.
Paths managerCopies(Armed& run)
{
    const int selected = 5;
    zunAIPathMgr source;
    EXPECT_EQ(source.loadPaths(sampleName), 1);
    cVector4 near = source.getPath(selected)->getMark(1)->position;
    EXPECT_EQ(source.selectClosestPath(near), 1);
    zunAIPath* route = new zunAIPath;
    for (int i = 0; i < 3; ++i) {
        cVector4 recorded(1.0f + i, 2.0f, ground), active(-1.0f - i, 2.0f, ground);
        source.addNewMark(recorded);
        route->addMark(active);
    }
    source.addActivePath(route);
    std::unique_ptr<zunAIPathMgr> constructed;
    zunAIPathMgr assigned;
    addTwoRoutes(assigned);
    run.operate([&] {
        constructed.reset(new zunAIPathMgr(source));
        assigned = source;
    });
    EXPECT_TRUE(managerIsSound(source));
    EXPECT_TRUE(samePaths(pathsOf(source.paths), sampleFile)) << "the source changed";
    EXPECT_EQ(source.selectedPath, source.getPath(selected));
    Paths view;
    for (zunAIPathMgr* copy : {constructed.get(), &assigned}) {
        if (!copy)
            continue;
        EXPECT_TRUE(managerIsSound(*copy));
        for (const Paths& part : {pathsOf(copy->paths), pathsOf(copy->activePaths)})
            view.insert(view.end(), part.begin(), part.end());
        if (copy->newPath)
            view.push_back(marksOf(*copy->newPath));
        if (copy->selectedPath) {
            EXPECT_NE(copy->selectedPath, source.selectedPath);
            EXPECT_TRUE(isSubsequence(marksOf(*copy->selectedPath), sampleFile[selected]));
        }
        if (run.failing == 0) {
            EXPECT_EQ(copy->selectedPath, copy->getPath(selected));
        }
    }
    return view;
}

// Host memories and tasks alive; none may outlive the operation's managers.
int live = 0;

// A host memory; a piece of one mark (its type and when it was refreshed).
struct CountedMemory : zunAIMemory {
    CountedMemory(int kind, float refreshedAt)
    {
        ++live;
        type = kind;
        duration = 50.0f;
        vtlRefresh(refreshedAt);
    }
    ~CountedMemory() override { --live; }
};

Marks memoryMarks(zunAIMemory* const* memories, int count)
{
    Marks out;
    for (int i = 0; i < count; ++i)
        out.push_back(cVector4(float(memories[i]->type), memories[i]->lastUsed, 0.0f));
    return out;
}

// addMemory, updateMemory and both findMemoryArray: 40 memories refreshed at
// 100..139; at 170 those before 120 expire. Then the six arrays as pieces.
Paths memories(Armed& run)
{
    zunAIMemoryMgr manager;
    zunArray<zunAIMemory> found[3], recent[3];
    run.operate([&] {
        for (int i = 0; i < 40; ++i)
            if (zunAIMemory* memory = new CountedMemory(i % 3, 100.0f + i))
                manager.addMemory(memory);
        manager.updateMemory(170.0f);
        for (int t = 0; t < 3; ++t) {
            manager.findMemoryArray(found[t], t, 100);
            manager.findMemoryArray(recent[t], t, 130.0f, 100);
        }
    });
    EXPECT_TRUE(listIsSound(manager.memories));
    EXPECT_EQ(manager.memories.count, live) << "a memory is neither listed nor destroyed";
    Paths view;
    int byType[3] = {0, 0, 0};
    for (auto* node = manager.memories.head; node; node = node->next) {
        view.push_back(memoryMarks(&node->item, 1));
        EXPECT_EQ(manager.haveMemory(node->item), 1);
        ++byType[node->item->type];
    }
    for (int t = 0; t < 3; ++t) {
        EXPECT_EQ(manager.getNumMemoriesType(t), byType[t]);
        for (zunArray<zunAIMemory>* array : {&found[t], &recent[t]}) {
            EXPECT_LE(array->count, array->capacity);
            view.push_back(memoryMarks(array->data, array->count));
        }
    }
    return view;
}

// A host task that ends at a given time, and at a reset when its type is 3;
// a task is a piece of one mark (its type and end).
struct CountedTask : zunAITask {
    float endsAt;
    CountedTask(int kind, float end) : endsAt(end)
    {
        ++live;
        type = kind;
    }
    ~CountedTask() override { --live; }
    int vtlReset() override { return type != 3; }
    int vtlUpdate(float time) override { return time < endsAt; }
};

// addTask: 30 tasks ending at 0, 10, ..., 290; the update at 100 ends 11 of
// them, the reset the 5 survivors of type 3.
Paths tasks(Armed& run)
{
    zunAITaskMgr manager;
    run.operate([&] {
        for (int i = 0; i < 30; ++i)
            if (zunAITask* task = new CountedTask(i % 4, 10.0f * i))
                manager.addTask(task);
        manager.updateTasks(100.0f);
        manager.resetTasks();
    });
    EXPECT_TRUE(listIsSound(manager.tasks));
    EXPECT_EQ(manager.tasks.count, live) << "a task is neither listed nor destroyed";
    Paths view;
    bool byType[4] = {false, false, false, false};
    for (auto* node = manager.tasks.head; node; node = node->next) {
        auto* task = static_cast<CountedTask*>(node->item);
        view.push_back(Marks{cVector4(float(task->type), task->endsAt, 0.0f)});
        byType[task->type] = true;
    }
    for (int t = 0; t < 4; ++t) {
        EXPECT_EQ(manager.haveTask(t), byType[t] ? 1 : 0);
    }
    return view;
}

// --- the sweep -------------------------------------------------------------------

struct Operation {
    const char* name;
    std::size_t pieces;      // what a run without failures leaves
    int oneFailureCosts;     // pieces one failure may lose or damage
    bool leavesWholePieces;  // failing from some point on, only whole pieces are kept
    Paths (*run)(Armed&);
};

const Operation operations[] = {
    {"loadPaths", 12, 1, true, loadPaths<false>},
    {"loadPathsWhileRecording", 12, 1, false, loadPaths<true>},
    {"addNewMarkAndSaveNewPath", 13, 1, false, recordAndCommit},
    {"createPath", 4, 1, false, walk<false>},
    {"getPathWalked", 4, 1, false, walk<true>},
    {"getPathChained", 4, 1, false, chainedRoutes},
    {"getCopyPath", 12, 1, false, copyPaths},
    {"managerCopies", 2 * 14, 14, false, managerCopies},
    {"addMemoryAndFindMemoryArray", 20 + 6, 3, false, memories},
    {"addTask", 14, 1, false, tasks},
};

class Sweep : public zunTest, public ::testing::WithParamInterface<Operation> {
protected:
    void SetUp() override
    {
        zunTest::SetUp();
        game = &sample;
        ASSERT_TRUE(zunStandIn::loadLevel(game->level().string().c_str()));
        sampleBytes = zunReadFile(game->database());
        zunAIPathMgr manager;
        ASSERT_EQ(manager.loadPaths(sampleName), 1);
        sampleFile = pathsOf(manager.paths);
        ASSERT_EQ(sampleFile.size(), 12u);
    }
    zunScratchGame sample{"zunai-reliability", ZUNAI_SAMPLE};
};

// Runs the operation once without failures (its allocations N, its pieces
// the reference), then for every k = 0..N once with allocation k failing
// and once with every allocation from k on failing.
TEST_P(Sweep, EveryAllocationFailing)
{
    const Operation& op = GetParam();
    const long long startBlocks = zunStandIn::allocStats().liveBlocks;
    long long allocations = 0;
    auto runOnce = [&](int k, int failing) {
        SCOPED_TRACE(std::string(op.name) + ": from allocation " + std::to_string(k) + ", failing " +
                     std::to_string(failing));
        const long long failuresBefore = zunStandIn::allocStats().failures;
        Armed run{k, failing};
        const Paths view = op.run(run);
        if (failing == 0)
            allocations = run.allocations;
        EXPECT_EQ(zunStandIn::allocStats().liveBlocks, startBlocks) << "blocks leaked";
        EXPECT_EQ(live, 0) << "host memories or tasks outlived their manager";
        if (failing == 1) {
            EXPECT_LE(zunStandIn::allocStats().failures - failuresBefore, 1);
        }
        return view;
    };

    const Paths reference = runOnce(0, 0);
    ASSERT_EQ(reference.size(), op.pieces);
    for (int k = 0; k <= allocations && !HasFatalFailure(); ++k) {
        SCOPED_TRACE("failing from allocation " + std::to_string(k));
        const int exact = matchPaths(runOnce(k, 1), reference);
        EXPECT_GE(exact, 0) << "one failure: a piece of no run without failures";
        EXPECT_GE(exact + op.oneFailureCosts, static_cast<int>(reference.size())) << "one failure costs too much";
        const Paths rest = runOnce(k, -1);
        const int whole = matchPaths(rest, reference);
        EXPECT_GE(whole, 0) << "all failing: a piece of no run without failures";
        if (op.leavesWholePieces) {
            EXPECT_EQ(whole, static_cast<int>(rest.size())) << "all failing: a damaged piece kept";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Operations, Sweep, ::testing::ValuesIn(operations),
                         [](const ::testing::TestParamInfo<Operation>& info) { return std::string(info.param.name); });

// The core takes 32-bit sizes: a larger request is refused, not cut down to
// a smaller block that the caller would overrun.
TEST(ModuleMemory, RefusesSizesBeyondTheCore)
{
    if (sizeof(std::size_t) <= sizeof(unsigned int))
        GTEST_SKIP() << "sizes cannot exceed the core's range here";
    const zunStandIn::AllocStats before = zunStandIn::allocStats();
    std::size_t huge = std::numeric_limits<unsigned int>::max();
    huge += 17;   // 2^32 + 16
    EXPECT_EQ(zunModuleNew(huge), nullptr);
    EXPECT_EQ(zunStandIn::allocStats().allocations, before.allocations);
    EXPECT_EQ(zunStandIn::allocStats().liveBlocks, before.liveBlocks);
}

} // namespace

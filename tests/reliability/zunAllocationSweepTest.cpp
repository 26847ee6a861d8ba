// Allocation-failure sweeps: every operation that allocates, run with each
// of its allocations failing in turn and with every allocation from some
// point on failing. After each run nothing has crashed, the managers answer
// consistently, nothing that was kept is corrupt, and every block comes back
// once the managers are gone.

#include <cstdio>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "zunReliabilitySupport.h"

namespace {

using namespace reliability;

// Prints the total of the process once every test has run.
class InjectedTotal : public ::testing::Environment {
public:
    void TearDown() override
    {
        std::printf("reliability: %lld injected allocation failures in all\n", injectedInProcess());
    }
};
const ::testing::Environment* const injectedTotal = ::testing::AddGlobalTestEnvironment(new InjectedTotal);

// The demo's route requests on the sample level: they cross the courtyard
// around its buildings, so that each route has many marks.
struct Request {
    cVector4 from, to;
};
const float ground = 24.7f;
const float terrace = 44.7f;
const Request requests[] = {
    {{-150.0f, -178.0f, ground}, {140.0f, 158.0f, terrace}},
    {{-140.0f, 76.0f, ground}, {95.0f, -95.0f, ground}},
    {{86.0f, 138.0f, terrace}, {-150.0f, -178.0f, ground}},
    {{5.0f, -45.0f, ground}, {-5.0f, 115.0f, ground}},
};

// The sample's game directory, its level loaded, and the database as a
// fault-free load reads it. Scenarios that save restore the file after.
class SweepTest : public zunTest {
protected:
    void SetUp() override
    {
        zunTest::SetUp();
        game = std::make_unique<GameDir>();
        ASSERT_TRUE(zunStandIn::loadLevel(game->level().string().c_str()));
        original = readBytes(game->database());
        zunAIPathMgr manager;
        ASSERT_EQ(loadSample(manager), 1);
        file = pathsOf(manager);
        ASSERT_EQ(file.size(), 12u);
    }
    void TearDown() override
    {
        game.reset();
        zunTest::TearDown();
    }

    std::unique_ptr<GameDir> game;
    std::string original;
    Paths file;
};

// What saving `manager` and loading the file again must give: the marks of
// each path up to its first null item (saving walks the marks), and no path
// after one that writes no mark (loading ends at the first path number
// without mark 0).
Paths savedView(const zunAIPathMgr& manager)
{
    Paths view;
    for (auto* node = manager.paths.head; node && node->item; node = node->next) {
        Marks marks;
        for (auto* m = node->item->marks.head; m && m->item; m = m->next)
            marks.push_back(m->item->position);
        if (marks.empty())
            break;
        view.push_back(marks);
    }
    return view;
}

// Saves `manager`, loads the file into a fresh manager and compares; then
// puts the sample's database back for the next run.
void checkSaveReload(zunAIPathMgr& manager, const GameDir& game, const std::string& original)
{
    EXPECT_EQ(manager.saveAllPaths(), 1);
    {
        zunAIPathMgr reloaded;
        EXPECT_EQ(loadSample(reloaded), 1);
        const Paths got = pathsOf(reloaded);
        const Paths want = savedView(manager);
        ASSERT_EQ(got.size(), want.size()) << "paths after a save and a reload";
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_TRUE(sameMarks(got[i], want[i])) << "path " << i << " after a save and a reload";
        }
    }
    writeBytes(game.database(), original);
}

// --- module memory -----------------------------------------------------------

// The core takes 32-bit sizes: a larger request is refused, not cut down to
// a smaller block that the caller would overrun.
TEST_F(SweepTest, ModuleMemoryRefusesSizesBeyondTheCore)
{
    if (sizeof(std::size_t) <= sizeof(unsigned int))
        GTEST_SKIP() << "sizes cannot exceed the core's range here";
    const zunStandIn::AllocStats before = zunStandIn::allocStats();
    std::size_t huge = std::numeric_limits<unsigned int>::max();
    huge += 17;   // 2^32 + 16
    EXPECT_EQ(zunModuleNew(huge), nullptr);
    const zunStandIn::AllocStats after = zunStandIn::allocStats();
    EXPECT_EQ(after.allocations, before.allocations);
    EXPECT_EQ(after.liveBlocks, before.liveBlocks);
}

// --- loadPaths --------------------------------------------------------------

struct LoadScenario {
    const Paths& file;
    const GameDir& game;
    const std::string& original;
    zunAIPathMgr manager;
    int answer = -1;

    LoadScenario(const Paths& f, const GameDir& g, const std::string& o) : file(f), game(g), original(o) {}

    void operate() { answer = loadSample(manager); }

    void verify(Injected mode)
    {
        EXPECT_EQ(answer, 1);
        ASSERT_TRUE(managerIsSound(manager));
        EXPECT_EQ(manager.newPath, nullptr);
        ASSERT_FALSE(zunStandIn::log().empty());
        EXPECT_EQ(zunStandIn::log().back(), "AI: PathMgr->Loaded paths successfully.");

        const Paths loaded = pathsOf(manager);
        int missing = 0;
        const int exact = matchPaths(loaded, file, missing);
        ASSERT_GE(exact, 0) << "a loaded path holds marks that its path in the file doesn't";
        const int all = static_cast<int>(file.size());
        if (mode == Injected::none) {
            EXPECT_EQ(exact, all);
        } else if (mode == Injected::one) {
            // One failure costs one mark (a null item or a dropped mark) or
            // one path (its node), never more.
            EXPECT_GE(exact, all - 1);
            EXPECT_LE(missing, 1);
        } else {
            // Once everything fails nothing half-built is kept: a prefix of
            // the file's paths, each one whole.
            EXPECT_EQ(exact, static_cast<int>(loaded.size()));
            for (std::size_t i = 0; i < loaded.size(); ++i) {
                EXPECT_TRUE(sameMarks(loaded[i], file[i])) << "path " << i;
            }
        }
        checkSaveReload(manager, game, original);
    }
};

TEST_F(SweepTest, LoadPaths)
{
    const SweepFigures figures = sweep<LoadScenario>("loadPaths", 1, file, *game, original);
    // 12 paths and 86 marks: a path, a node, a mark and a node each.
    EXPECT_EQ(figures.allocations, 12 * 2 + 86 * 2);
}

// A database being loaded into a manager that is recording: the recording
// receives the first path's marks and is stored with them.
struct LoadWhileRecordingScenario {
    zunAIPathMgr manager;
    cVector4 recorded{1.5f, 2.5f, 3.5f};
    int answer = -1;

    LoadWhileRecordingScenario() { manager.addNewMark(recorded); }

    void operate() { answer = loadSample(manager); }

    void verify(Injected mode)
    {
        EXPECT_EQ(answer, 1);
        ASSERT_TRUE(managerIsSound(manager));
        EXPECT_EQ(manager.newPath, nullptr);
        if (mode == Injected::none) {
            ASSERT_EQ(manager.getNumPaths(), 12);
            ASSERT_GE(manager.getPath(0)->getNumMarks(), 1);
            EXPECT_TRUE(samePosition(manager.getPath(0)->getMark(0)->position, recorded));
        }
    }
};

TEST_F(SweepTest, LoadPathsWhileRecording)
{
    sweep<LoadWhileRecordingScenario>("loadPaths while recording", 1);
}

// --- addNewMark, deleteLastMark, saveNewPath ---------------------------------

struct RecordScenario {
    const Paths& file;
    const GameDir& game;
    const std::string& original;
    zunAIPathMgr manager;
    Marks points;
    int added[5] = {};
    int saved = -1;

    RecordScenario(const Paths& f, const GameDir& g, const std::string& o) : file(f), game(g), original(o)
    {
        EXPECT_EQ(loadSample(manager), 1);
        for (int i = 0; i < 5; ++i)
            points.push_back(cVector4(10.5f * i, -20.25f + i, ground));
    }

    void operate()
    {
        for (int i = 0; i < 5; ++i)
            added[i] = manager.addNewMark(points[i]);
        manager.deleteLastMark();
        saved = manager.saveNewPath();
    }

    void verify(Injected mode)
    {
        ASSERT_TRUE(managerIsSound(manager));
        const Paths now = pathsOf(manager);
        ASSERT_GE(now.size(), file.size());
        for (std::size_t i = 0; i < file.size(); ++i) {
            EXPECT_TRUE(sameMarks(now[i], file[i])) << "stored path " << i << " changed";
        }

        const Marks firstFour(points.begin(), points.begin() + 4);
        Marks recording;
        if (saved == 1) {
            EXPECT_EQ(manager.newPath, nullptr);
            ASSERT_EQ(now.size(), file.size() + 1);
            recording = now.back();
        } else {
            EXPECT_EQ(saved, 0);
            EXPECT_EQ(now.size(), file.size());
            if (manager.newPath)
                recording = marksOf(*manager.newPath);
        }
        EXPECT_TRUE(isSubsequence(recording, firstFour));

        if (mode == Injected::none) {
            for (int a : added) {
                EXPECT_EQ(a, 1);
            }
            EXPECT_EQ(saved, 1);
            EXPECT_TRUE(sameMarks(recording, firstFour));
        } else if (mode == Injected::one) {
            // Losing one mark leaves at least three; a commit that cannot get
            // its node keeps the recording where it was.
            EXPECT_GE(recording.size(), 3u);
            if (saved == 0) {
                EXPECT_NE(manager.newPath, nullptr) << "the recording was lost";
            }
        }
        checkSaveReload(manager, game, original);
    }
};

TEST_F(SweepTest, RecordAndCommitPath)
{
    sweep<RecordScenario>("addNewMark/saveNewPath", 1, file, *game, original);
}

// --- createPath, getPath(start, goal) -----------------------------------------

struct WalkingMgr : zunAIPathMgr {
    using zunAIPathMgr::createPath;
};

// A manager that already holds two routes, so that the new one is appended
// behind others.
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

struct WalkScenario {
    const std::vector<Marks>& reference;   // per request, from a fault-free walk
    WalkingMgr manager;
    bool registered;                       // getPath (registered) or createPath (handed over)
    std::vector<zunAIPath*> answers;

    WalkScenario(const std::vector<Marks>& r, bool reg) : reference(r), registered(reg) { addTwoRoutes(manager); }
    ~WalkScenario()
    {
        if (!registered)
            for (zunAIPath* path : answers)
                delete path;
    }

    void operate()
    {
        for (const Request& r : requests) {
            cVector4 from = r.from, to = r.to;
            answers.push_back(registered ? manager.getPath(from, to) : manager.createPath(from, to));
        }
    }

    void verify(Injected mode)
    {
        ASSERT_TRUE(managerIsSound(manager));
        int found = 0;
        for (std::size_t i = 0; i < answers.size(); ++i) {
            zunAIPath* path = answers[i];
            if (mode == Injected::none) {
                ASSERT_NE(path, nullptr);
            }
            if (!path)
                continue;
            ++found;
            EXPECT_TRUE(pathIsSound(*path));
            const Marks marks = marksOf(*path);
            EXPECT_TRUE(isSubsequence(marks, reference[i])) << "route " << i << " holds marks of no walk";
            if (mode == Injected::none) {
                EXPECT_TRUE(sameMarks(marks, reference[i]));
            }
            if (registered) {
                EXPECT_EQ(manager.paths.contains(path), 1);
            }
        }
        EXPECT_EQ(manager.getNumPaths(), 2 + (registered ? found : 0));
        if (mode == Injected::one) {
            EXPECT_GE(found, 3);
        }
    }
};

class WalkSweepTest : public SweepTest {
protected:
    void SetUp() override
    {
        SweepTest::SetUp();
        WalkingMgr manager;
        for (const Request& r : requests) {
            cVector4 from = r.from, to = r.to;
            zunAIPath* path = manager.createPath(from, to);
            ASSERT_NE(path, nullptr);
            reference.push_back(marksOf(*path));
            delete path;
        }
    }
    std::vector<Marks> reference;
};

TEST_F(WalkSweepTest, CreatePath)
{
    bool registered = false;
    sweep<WalkScenario>("createPath", 1, reference, registered);
}

TEST_F(WalkSweepTest, WalkedGetPath)
{
    bool registered = true;
    sweep<WalkScenario>("getPath(start, goal)", 1, reference, registered);
}

// --- getPath(start, goal, database, info) ------------------------------------

// The tuning of each request: defaults, or a record of its own.
zunAIPathMgr::pathInfo* tuningOf(std::size_t request, zunAIPathMgr::pathInfo& record)
{
    if (request % 2 == 0)
        return nullptr;
    record.firstJoinDist = 120.0f;
    record.joinDist = 70.0f;
    return &record;
}

struct ChainScenario {
    const Paths& file;
    const std::vector<Marks>& reference;
    zunAIPathMgr database;
    zunAIPathMgr routes;
    std::vector<zunAIPath*> answers;

    ChainScenario(const Paths& f, const std::vector<Marks>& r) : file(f), reference(r)
    {
        EXPECT_EQ(loadSample(database), 1);
    }

    void operate()
    {
        for (std::size_t i = 0; i < sizeof requests / sizeof requests[0]; ++i) {
            cVector4 from = requests[i].from, to = requests[i].to;
            zunAIPathMgr::pathInfo record;
            answers.push_back(routes.getPath(from, to, database, tuningOf(i, record)));
        }
    }

    void verify(Injected mode)
    {
        ASSERT_TRUE(managerIsSound(routes));
        ASSERT_TRUE(managerIsSound(database));
        const Paths stored = pathsOf(database);
        ASSERT_EQ(stored.size(), file.size());
        for (std::size_t i = 0; i < file.size(); ++i) {
            EXPECT_TRUE(sameMarks(stored[i], file[i])) << "the database's path " << i << " changed";
        }

        int found = 0;
        int differ = 0;
        for (std::size_t i = 0; i < answers.size(); ++i) {
            zunAIPath* route = answers[i];
            if (mode == Injected::none) {
                ASSERT_NE(route, nullptr);
            }
            if (!route) {
                ++differ;
                continue;
            }
            EXPECT_EQ(routes.getPath(found), route) << "routes are registered in order";
            ++found;
            const Marks marks = marksOf(*route);
            EXPECT_TRUE(isSubsequence(marks, reference[i])) << "route " << i << " holds marks of no route";
            if (!sameMarks(marks, reference[i]))
                ++differ;
            EXPECT_EQ(route->getCurMark(), 0);
            EXPECT_EQ(route->isActive(), 0);
        }
        EXPECT_EQ(routes.getNumPaths(), found);
        if (mode == Injected::none) {
            EXPECT_EQ(differ, 0);
        }
        if (mode == Injected::one) {
            EXPECT_LE(differ, 1);
        }
    }
};

TEST_F(SweepTest, ChainedGetPath)
{
    std::vector<Marks> reference;
    {
        zunAIPathMgr database, routes;
        ASSERT_EQ(loadSample(database), 1);
        for (std::size_t i = 0; i < sizeof requests / sizeof requests[0]; ++i) {
            cVector4 from = requests[i].from, to = requests[i].to;
            zunAIPathMgr::pathInfo record;
            zunAIPath* route = routes.getPath(from, to, database, tuningOf(i, record));
            ASSERT_NE(route, nullptr);
            reference.push_back(marksOf(*route));
        }
    }
    sweep<ChainScenario>("getPath(start, goal, database, info)", 1, file, reference);
}

// --- getCopyPath ------------------------------------------------------------

struct CopyScenario {
    const Paths& file;
    zunAIPathMgr database;
    std::vector<zunAIPath*> copies;

    explicit CopyScenario(const Paths& f) : file(f) { EXPECT_EQ(loadSample(database), 1); }
    ~CopyScenario()
    {
        for (zunAIPath* copy : copies)
            delete copy;
    }

    void operate()
    {
        for (int i = -1; i <= database.getNumPaths(); ++i)
            copies.push_back(database.getCopyPath(i));
    }

    void verify(Injected mode)
    {
        ASSERT_TRUE(managerIsSound(database));
        ASSERT_EQ(copies.size(), file.size() + 2);
        EXPECT_EQ(copies.front(), nullptr);
        EXPECT_EQ(copies.back(), nullptr);
        const Paths stored = pathsOf(database);
        int failed = 0;
        for (std::size_t i = 0; i < file.size(); ++i) {
            EXPECT_TRUE(sameMarks(stored[i], file[i])) << "stored path " << i << " changed";
            zunAIPath* copy = copies[i + 1];
            if (mode == Injected::none) {
                ASSERT_NE(copy, nullptr);
            }
            if (!copy) {
                ++failed;
                continue;
            }
            EXPECT_TRUE(pathIsSound(*copy));
            EXPECT_EQ(database.paths.contains(copy), 0);
            EXPECT_EQ(copy->getCurMark(), 0);
            EXPECT_EQ(copy->isActive(), 0);
            const Marks marks = marksOf(*copy);
            EXPECT_TRUE(isSubsequence(marks, file[i]));
            if (!sameMarks(marks, file[i]))
                ++failed;
        }
        if (mode == Injected::one) {
            EXPECT_LE(failed, 1);
        }
    }
};

TEST_F(SweepTest, GetCopyPath)
{
    sweep<CopyScenario>("getCopyPath", 1, file);
}

// --- deep copies of managers ---------------------------------------------------

// A source with the sample database, a selection, a recording and an active
// path; the copy is made by construction and by assignment over a manager
// that holds paths of its own.
struct ManagerCopyScenario {
    const Paths& file;
    zunAIPathMgr source;
    zunAIPathMgr* constructed = nullptr;
    zunAIPathMgr assigned;
    Marks recording;
    Marks active;
    int selected = 5;

    explicit ManagerCopyScenario(const Paths& f) : file(f)
    {
        EXPECT_EQ(loadSample(source), 1);
        cVector4 near = source.getPath(selected)->getMark(1)->position;
        EXPECT_EQ(source.selectClosestPath(near), 1);
        for (int i = 0; i < 3; ++i) {
            cVector4 at(1.0f + i, 2.0f, ground);
            source.addNewMark(at);
            recording.push_back(at);
        }
        zunAIPath* route = new zunAIPath;
        for (int i = 0; i < 3; ++i) {
            cVector4 at(-1.0f - i, 2.0f, ground);
            route->addMark(at);
            active.push_back(at);
        }
        source.addActivePath(route);
        addTwoRoutes(assigned);
    }
    ~ManagerCopyScenario() { delete constructed; }

    void operate()
    {
        constructed = new zunAIPathMgr(source);
        assigned = source;
    }

    void check(zunAIPathMgr& copy, Injected mode)
    {
        ASSERT_TRUE(managerIsSound(copy));
        const Paths paths = pathsOf(copy);
        int missing = 0;
        const int exact = matchPaths(paths, file, missing);
        ASSERT_GE(exact, 0) << "a copied path holds marks its source doesn't";
        const Paths actives = [&] {
            Paths out;
            for (auto* node = copy.activePaths.head; node; node = node->next)
                out.push_back(node->item ? marksOf(*node->item) : Marks());
            return out;
        }();
        EXPECT_LE(actives.size(), 1u);
        if (!actives.empty()) {
            EXPECT_TRUE(isSubsequence(actives[0], active));
        }
        if (copy.newPath) {
            EXPECT_TRUE(isSubsequence(marksOf(*copy.newPath), recording));
        }
        if (copy.selectedPath) {
            EXPECT_NE(copy.selectedPath, source.selectedPath);
            EXPECT_TRUE(isSubsequence(marksOf(*copy.selectedPath), file[selected]));
        }
        if (mode == Injected::none) {
            EXPECT_EQ(exact, static_cast<int>(file.size()));
            ASSERT_EQ(actives.size(), 1u);
            EXPECT_TRUE(sameMarks(actives[0], active));
            ASSERT_NE(copy.newPath, nullptr);
            EXPECT_TRUE(sameMarks(marksOf(*copy.newPath), recording));
            EXPECT_EQ(copy.selectedPath, copy.getPath(selected));
        }
    }

    void verify(Injected mode)
    {
        ASSERT_TRUE(managerIsSound(source));
        const Paths stored = pathsOf(source);
        ASSERT_EQ(stored.size(), file.size());
        for (std::size_t i = 0; i < file.size(); ++i) {
            EXPECT_TRUE(sameMarks(stored[i], file[i])) << "source path " << i << " changed";
        }
        EXPECT_EQ(source.selectedPath, source.getPath(selected));
        if (mode == Injected::none) {
            ASSERT_NE(constructed, nullptr);
        }
        if (constructed)
            check(*constructed, mode);
        check(assigned, mode);
    }
};

TEST_F(SweepTest, ManagerCopies)
{
    sweep<ManagerCopyScenario>("zunAIPathMgr copies", 1, file);
}

// --- addMemory, findMemoryArray ----------------------------------------------

// A host memory that counts the live ones.
struct CountedMemory : zunAIMemory {
    static int live;
    CountedMemory(int kind, float refreshedAt)
    {
        ++live;
        type = kind;
        duration = 50.0f;
        vtlRefresh(refreshedAt);
    }
    ~CountedMemory() override { --live; }
};
int CountedMemory::live = 0;

struct MemoryScenario {
    zunAIMemoryMgr* manager;
    zunArray<zunAIMemory> found[3];
    zunArray<zunAIMemory> recent[3];

    MemoryScenario() : manager(new zunAIMemoryMgr) { EXPECT_NE(manager, nullptr); }
    ~MemoryScenario()
    {
        delete manager;
        EXPECT_EQ(CountedMemory::live, 0) << "memories outlived their manager";
    }

    void operate()
    {
        // 40 memories refreshed at 100..139; at 170 those before 120 expire.
        for (int i = 0; i < 40; ++i) {
            zunAIMemory* memory = new CountedMemory(i % 3, 100.0f + i);
            if (memory)
                manager->addMemory(memory);
        }
        manager->updateMemory(170.0f);
        for (int t = 0; t < 3; ++t) {
            manager->findMemoryArray(found[t], t, 100);
            manager->findMemoryArray(recent[t], t, 130.0f, 100);
        }
    }

    // Each element is a listed memory of `type`, in list order, at most once.
    void checkFound(const zunArray<zunAIMemory>& array, int type)
    {
        ASSERT_LE(array.count, array.capacity);
        ASSERT_TRUE(array.count == 0 || array.data != nullptr);
        auto* node = manager->memories.head;
        for (int i = 0; i < array.count; ++i) {
            while (node && node->item != array.data[i])
                node = node->next;
            ASSERT_NE(node, nullptr) << "element " << i << " is not a listed memory, or out of order";
            EXPECT_EQ(array.data[i]->type, type);
            node = node->next;
        }
    }

    void verify(Injected mode)
    {
        ASSERT_TRUE(listIsSound(manager->memories));
        EXPECT_EQ(manager->memories.count, CountedMemory::live) << "a memory is neither listed nor destroyed";
        int byType[3] = {0, 0, 0};
        for (auto* node = manager->memories.head; node; node = node->next) {
            ASSERT_NE(node->item, nullptr);
            EXPECT_GE(node->item->lastUsed, 120.0f) << "an expired memory stayed";
            EXPECT_EQ(manager->haveMemory(node->item), 1);
            ++byType[node->item->type];
        }
        for (int t = 0; t < 3; ++t) {
            EXPECT_EQ(manager->getNumMemoriesType(t), byType[t]);
            checkFound(found[t], t);
            checkFound(recent[t], t);
            for (int i = 0; i < recent[t].count; ++i) {
                EXPECT_GE(recent[t].data[i]->lastUsed, 130.0f);
            }
            EXPECT_LE(found[t].count, byType[t]);
            if (mode == Injected::none) {
                EXPECT_EQ(found[t].count, byType[t]);
            }
            if (mode == Injected::one) {
                EXPECT_GE(found[t].count, byType[t] - 1);
            }
        }
        if (mode == Injected::none) {
            EXPECT_EQ(manager->memories.count, 20);
        }
        if (mode == Injected::one) {
            EXPECT_GE(manager->memories.count, 19);
        }
    }
};

TEST_F(SweepTest, AddMemoryAndFindMemoryArray)
{
    sweep<MemoryScenario>("addMemory/findMemoryArray", 1);
}

// --- addTask -------------------------------------------------------------------

// A host task that ends at a given time, and at a reset when its type is 3.
struct CountedTask : zunAITask {
    static int live;
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
int CountedTask::live = 0;

struct TaskScenario {
    zunAITaskMgr* manager;

    TaskScenario() : manager(new zunAITaskMgr) { EXPECT_NE(manager, nullptr); }
    ~TaskScenario()
    {
        delete manager;
        EXPECT_EQ(CountedTask::live, 0) << "tasks outlived their manager";
    }

    void operate()
    {
        // 30 tasks ending at 0, 10, ..., 290: the update at 100 ends 11 of
        // them; the reset ends the survivors of type 3.
        for (int i = 0; i < 30; ++i) {
            zunAITask* task = new CountedTask(i % 4, 10.0f * i);
            if (task)
                manager->addTask(task);
        }
        manager->updateTasks(100.0f);
        manager->resetTasks();
    }

    void verify(Injected mode)
    {
        ASSERT_TRUE(listIsSound(manager->tasks));
        EXPECT_EQ(manager->tasks.count, CountedTask::live) << "a task is neither listed nor destroyed";
        bool byType[4] = {false, false, false, false};
        float previousEnd = -1.0f;
        for (auto* node = manager->tasks.head; node; node = node->next) {
            ASSERT_NE(node->item, nullptr);
            auto* task = static_cast<CountedTask*>(node->item);
            EXPECT_GT(task->endsAt, 100.0f);
            EXPECT_NE(task->type, 3);
            EXPECT_GT(task->endsAt, previousEnd) << "tasks out of order";
            previousEnd = task->endsAt;
            byType[task->type] = true;
        }
        for (int t = 0; t < 4; ++t) {
            EXPECT_EQ(manager->haveTask(t), byType[t] ? 1 : 0);
        }
        // Of the 19 tasks ending after 100, the 5 of type 3 end at the reset.
        if (mode == Injected::none) {
            EXPECT_EQ(manager->tasks.count, 14);
        }
        if (mode == Injected::one) {
            EXPECT_GE(manager->tasks.count, 13);
        }
    }
};

TEST_F(SweepTest, AddTask)
{
    sweep<TaskScenario>("addTask", 1);
}

} // namespace

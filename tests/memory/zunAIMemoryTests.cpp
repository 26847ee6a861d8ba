// Memories and tasks: the expiry edge, the searches' rules, which calls end
// a task and the generator's edges. Memories and tasks over steps of time and
// the generator's sequence are pinned by the golden record; the list walks by
// the list's tests.
#include <limits>
#include <string>
#include <vector>

#include "zunAI.h"
#include "zunListChecks.h"
#include "zunTestFixture.h"

namespace {

const float nan = std::numeric_limits<float>::quiet_NaN();
int destroyed = 0;   // memories and tasks of the kinds below that ended
std::string calls;   // the tasks' calls, a letter for the call and the task's name

// A host memory that counts its destructions; `expiresAt` > 0 replaces the
// expiry test by one of its own.
struct Memory : zunAIMemory {
    float expiresAt = 0.0f;
    explicit Memory(int kind = 0, float refreshedAt = 0.0f)
    {
        type = kind;
        lastUsed = refreshedAt;
    }
    ~Memory() override { ++destroyed; }
    int vtlUpdate(float time) override { return expiresAt > 0.0f ? time < expiresAt : zunAIMemory::vtlUpdate(time); }
};

// A host task with scripted answers that logs its calls and counts its destructions.
struct Task : zunAITask {
    char name;
    int updateAnswer, resetAnswer;
    Task(char n, int kind, int update = 1, int reset = 1) : name(n), updateAnswer(update), resetAnswer(reset)
    {
        type = kind;
    }
    ~Task() override { ++destroyed; }
    int vtlReset() override { return record('r', resetAnswer); }
    int vtlUpdate(float) override { return record('u', updateAnswer); }
    int record(char call, int answer)
    {
        calls += call;
        calls += name;
        return answer;
    }
};

class MemoryTest : public zunTest {
protected:
    void SetUp() override
    {
        zunTest::SetUp();
        destroyed = 0;
        calls.clear();
    }
    void TearDown() override
    {
        mgr.flushAll();
        taskMgr.tasks.deleteAll();
        zunTest::TearDown();
    }
    zunAIMemoryMgr mgr;
    zunAITaskMgr taskMgr;
};

TEST_F(MemoryTest, ExpiryTest)
{
    zunAIMemory memory;
    EXPECT_EQ(memory.vtlUpdate(1e30f), 1);   // never refreshed
    memory.vtlRefresh(-0.0f);
    EXPECT_EQ(memory.vtlUpdate(1e30f), 1);
    EXPECT_EQ(memory.vtlRefresh(1000.0f), 0);
    EXPECT_EQ(memory.vtlUpdate(6000.0f), 1);   // exactly the default duration: still valid
    EXPECT_EQ(memory.vtlUpdate(6000.5f), 0);
    EXPECT_EQ(memory.vtlUpdate(nan), 1);
    memory.addDuration(0.5f);
    EXPECT_EQ(memory.vtlUpdate(6000.5f), 1);
}

// Expired memories are deleted wherever they stand; a derived memory's own
// test decides; removed memories are never deleted by the manager.
TEST_F(MemoryTest, UpdateDeletesExpiredAndRemovedMemoriesSurvive)
{
    zunAIMemory* m[5];
    for (int i = 0; i < 5; ++i) {
        m[i] = new Memory(i, i % 2 == 0 ? 1000.0f : 2000.0f);   // even ones expire first
        mgr.addMemory(m[i]);
    }
    Memory* own = new Memory(0, 1.0f);
    own->expiresAt = 7000.0f;
    mgr.addMemory(own);
    EXPECT_EQ(mgr.updateMemory(6000.0f), 1);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(mgr.updateMemory(6000.5f), 1);
    EXPECT_EQ(checkedItems(mgr.memories), (std::vector<zunAIMemory*>{m[1], m[3], own}));
    mgr.updateMemory(7000.0f);
    EXPECT_EQ(destroyed, 4);
    EXPECT_EQ(checkedItems(mgr.memories), (std::vector<zunAIMemory*>{m[1], m[3]}));

    Memory kept;
    {
        zunAIMemoryMgr local;
        local.addMemory(&kept);
        local.addMemory(new Memory);
        local.removeMemory(&kept);
        EXPECT_EQ(local.haveMemory(&kept), 0);
    }
    EXPECT_EQ(destroyed, 5);
}

TEST_F(MemoryTest, SearchesByTypeTimeAndCount)
{
    zunAIMemory* never = new Memory(1, 0.0f);
    zunAIMemory* early = new Memory(1, 10.0f);
    zunAIMemory* other = new Memory(2, 30.0f);
    zunAIMemory* atTime = new Memory(1, 20.0f);
    zunAIMemory* late = new Memory(1, 30.0f);
    for (zunAIMemory* m : {never, early, other, atTime, late})
        mgr.addMemory(m);
    EXPECT_EQ(mgr.getNumMemoriesType(1), 4);

    // maxCount is tested after the append; results accumulate.
    zunArray<zunAIMemory> found;
    mgr.findMemoryArray(found, 1, 0);
    mgr.findMemoryArray(found, 1, 2);
    mgr.findMemoryArray(found, 2, 10);
    EXPECT_EQ(std::vector<zunAIMemory*>(found.data, found.data + found.count),
              (std::vector<zunAIMemory*>{never, never, early, other}));

    // lastUsed >= time, the equal one included; passed-over ones don't count.
    zunArray<zunAIMemory> recent;
    mgr.findMemoryArray(recent, 1, 20.0f, 10);
    mgr.findMemoryArray(recent, 1, 15.0f, 1);
    mgr.findMemoryArray(recent, 1, nan, 10);
    mgr.findMemoryArray(recent, 1, -0.0f, 1);   // never refreshed qualifies for times of 0.0 or less
    EXPECT_EQ(std::vector<zunAIMemory*>(recent.data, recent.data + recent.count),
              (std::vector<zunAIMemory*>{atTime, late, atTime, never}));
}

// Copies share the list's nodes and delete nothing.
TEST_F(MemoryTest, CopiesShareTheListAndReleaseNothing)
{
    mgr.addMemory(new Memory(1));
    zunAIMemoryMgr target;
    zunList<zunAIMemory> targetNodes;
    target.addMemory(new Memory(2));
    targetNodes.shareNodesOf(target.memories);
    target = mgr;
    zunAIMemoryMgr copy(mgr);
    EXPECT_EQ(copy.memories.head, mgr.memories.head);
    EXPECT_EQ(target.memories.tail, mgr.memories.tail);
    copy.memories.forgetNodes();
    target.memories.forgetNodes();
    targetNodes.deleteAll();
    EXPECT_EQ(destroyed, 1);
}

// A task ends when its update or its reset answers 0; a removed task and
// those behind a null item are neither called nor found.
TEST_F(MemoryTest, UpdateAndResetDropFinishedTasks)
{
    zunAITask* t[5] = {new Task('a', 0, 0), new Task('b', 0), new Task('c', 0, 0), new Task('d', 0, 1, 0),
                       new Task('e', 1, 0)};
    Task removed('x', 2);
    for (zunAITask* task : t)
        taskMgr.addTask(task);
    taskMgr.addTask(&removed);
    taskMgr.removeTask(&removed);
    EXPECT_EQ(taskMgr.haveTask(1), 1);
    EXPECT_EQ(taskMgr.haveTask(2), 0);
    EXPECT_EQ(taskMgr.updateTasks(1.0f), 1);
    EXPECT_EQ(calls, "uaubucudue");
    EXPECT_EQ(destroyed, 3);
    EXPECT_EQ(checkedItems(taskMgr.tasks), (std::vector<zunAITask*>{t[1], t[3]}));
    EXPECT_EQ(taskMgr.haveTask(1), 0);

    EXPECT_EQ(taskMgr.resetTasks(), 1);   // 'd' would go on updating, but its reset ends it
    EXPECT_EQ(calls, "uaubucuduerbrd");
    EXPECT_EQ(checkedItems(taskMgr.tasks), (std::vector<zunAITask*>{t[1]}));

    taskMgr.tasks.append(nullptr);
    taskMgr.addTask(new Task('f', 3, 0, 0));
    taskMgr.updateTasks(2.0f);
    EXPECT_EQ(taskMgr.haveTask(3), 0);
    EXPECT_EQ(calls, "uaubucuduerbrdub");
}

// Copies go on from where the original is; over a whole cycle the numbers
// stay strictly inside (0, 1); host-set values wrap in 32 bits. (The golden
// record pins both managers' sequences from the start.)
TEST_F(MemoryTest, RndCycleCopiesAndHostSetValues)
{
    taskMgr.rnd();
    zunAITaskMgr copy(taskMgr);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(copy.rnd(), taskMgr.rnd());

    zunAITaskMgr fresh;
    int period = 0;
    do {
        const float r = fresh.rnd();
        ASSERT_TRUE(r > 0.0f && r < 1.0f) << r;
    } while (fresh.rndSeed != 19342 && ++period < 65536);
    EXPECT_LT(period, 65536);

    fresh.rndMul = 0x7FFFFFFF;
    fresh.rndSeed = 0x7FFFFFFF;
    EXPECT_EQ(fresh.rnd(), zunAITaskRndScale);   // (2^31 - 1)^2 mod 2^32 = 1
    EXPECT_EQ(fresh.rndSeed, 1);
}

} // namespace

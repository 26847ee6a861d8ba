#include <limits>
#include <vector>

#include "zunAI.h"
#include "zunListChecks.h"
#include "zunTestFixture.h"

namespace {

const float nan = std::numeric_limits<float>::quiet_NaN();

// A host memory that counts its destructions; `expiresAt` > 0 replaces the
// expiry test by one of its own.
struct Memory : zunAIMemory {
    static int destroyed;
    float expiresAt = 0.0f;
    explicit Memory(int kind = 0, float refreshedAt = 0.0f)
    {
        type = kind;
        lastUsed = refreshedAt;
    }
    ~Memory() override { ++destroyed; }
    int vtlUpdate(float time) override { return expiresAt > 0.0f ? time < expiresAt : zunAIMemory::vtlUpdate(time); }
};
int Memory::destroyed = 0;


class MemoryTest : public zunTest {
protected:
    void SetUp() override
    {
        zunTest::SetUp();
        Memory::destroyed = 0;
    }
    void TearDown() override
    {
        mgr.flushAll();
        zunTest::TearDown();
    }
    zunAIMemoryMgr mgr;
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

TEST_F(MemoryTest, UpdateDropsExpiredAtHeadMiddleAndTail)
{
    zunAIMemory* m[5];
    for (int i = 0; i < 5; ++i) {
        m[i] = new Memory(i, i % 2 == 0 ? 1000.0f : 2000.0f);   // even ones expire first
        mgr.addMemory(m[i]);
    }
    EXPECT_EQ(mgr.updateMemory(6000.0f), 1);
    EXPECT_EQ(Memory::destroyed, 0);
    EXPECT_EQ(mgr.updateMemory(6000.5f), 1);
    EXPECT_EQ(Memory::destroyed, 3);
    EXPECT_EQ(checkedItems(mgr.memories), (std::vector<zunAIMemory*>{m[1], m[3]}));
    mgr.updateMemory(7000.5f);
    EXPECT_EQ(Memory::destroyed, 5);
    EXPECT_TRUE(checkedItems(mgr.memories).empty());

    // A derived memory's own test decides.
    Memory* own = new Memory(0, 1.0f);
    own->expiresAt = 10.0f;
    mgr.addMemory(own);
    mgr.updateMemory(9.0f);
    EXPECT_EQ(mgr.memories.count, 1);
    mgr.updateMemory(10.0f);
    EXPECT_EQ(Memory::destroyed, 6);
}

TEST_F(MemoryTest, NullAtHeadHidesEverythingButFlush)
{
    mgr.addMemory(nullptr);
    zunAIMemory* a = new Memory(7, 1.0f);
    mgr.addMemory(a);
    mgr.addMemory(new Memory(7, 1.0f));
    mgr.updateMemory(1e9f);
    EXPECT_EQ(Memory::destroyed, 0);
    EXPECT_EQ(mgr.getNumMemoriesType(7), 0);
    zunArray<zunAIMemory> found;
    mgr.findMemoryArray(found, 7, 10);
    mgr.findMemoryArray(found, 7, 0.0f, 10);
    EXPECT_EQ(found.count, 0);
    EXPECT_EQ(mgr.haveMemory(a), 1);   // searches by pointer go on past it

    mgr.flushAll();
    EXPECT_EQ(Memory::destroyed, 2);
    EXPECT_TRUE(checkedItems(mgr.memories).empty());
}

TEST_F(MemoryTest, RemovedMemorySurvivesFlushAndManagerEnd)
{
    Memory kept;
    Memory stranger;
    {
        zunAIMemoryMgr local;
        local.addMemory(new Memory);
        local.addMemory(&kept);
        local.addMemory(new Memory);
        local.removeMemory(&kept);
        local.removeMemory(&stranger);   // not listed: nothing changes
        EXPECT_EQ(local.memories.count, 2);
        EXPECT_EQ(local.haveMemory(&kept), 0);
        local.flushAll();
        EXPECT_EQ(Memory::destroyed, 2);
        local.addMemory(&kept);
        local.addMemory(new Memory);
        local.removeMemory(&kept);
    }
    EXPECT_EQ(Memory::destroyed, 3);
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
    EXPECT_EQ(mgr.getNumMemoriesType(3), 0);

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
    EXPECT_EQ(std::vector<zunAIMemory*>(recent.data, recent.data + recent.count),
              (std::vector<zunAIMemory*>{atTime, late, atTime}));

    zunArray<zunAIMemory> all;   // never refreshed qualifies for times of 0.0 or less
    mgr.findMemoryArray(all, 1, -0.0f, 10);
    EXPECT_EQ(all.count, 4);
}

TEST_F(MemoryTest, CopiesShareTheListAndReleaseNothing)
{
    zunAIMemory* a = new Memory(1);
    mgr.addMemory(a);
    zunAIMemoryMgr target;
    target.addMemory(new Memory(2));
    zunList<zunAIMemory> targetNodes;
    targetNodes.shareNodesOf(target.memories);

    target = mgr;
    zunAIMemoryMgr copy(mgr);
    EXPECT_EQ(Memory::destroyed, 0);
    EXPECT_EQ(copy.memories.head, mgr.memories.head);
    EXPECT_EQ(target.memories.tail, mgr.memories.tail);
    EXPECT_EQ(target.getNumMemoriesType(1), 1);
    copy.memories.forgetNodes();
    target.memories.forgetNodes();
    targetNodes.deleteAll();
    EXPECT_EQ(Memory::destroyed, 1);
}

}  // namespace

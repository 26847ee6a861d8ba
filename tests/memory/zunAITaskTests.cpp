#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "zunAI.h"
#include "zunListChecks.h"
#include "zunTestFixture.h"

namespace {

// A host task with scripted answers that logs its calls and counts its destructions.
struct Task : zunAITask {
    static std::string calls;
    static int destroyed;
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
std::string Task::calls;
int Task::destroyed = 0;


class TaskTest : public zunTest {
protected:
    void SetUp() override
    {
        zunTest::SetUp();
        Task::calls.clear();
        Task::destroyed = 0;
    }
    void TearDown() override
    {
        mgr.tasks.deleteAll();
        zunTest::TearDown();
    }
    zunAITaskMgr mgr;
};

TEST_F(TaskTest, UpdateAndResetDropFinishedTasks)
{
    zunAITask* t[5] = {new Task('a', 0, 0), new Task('b', 0), new Task('c', 0, 0), new Task('d', 0, 1, 0),
                       new Task('e', 0, 0)};
    for (zunAITask* task : t)
        mgr.addTask(task);
    EXPECT_EQ(mgr.updateTasks(1.0f), 1);
    EXPECT_EQ(Task::calls, "uaubucudue");
    EXPECT_EQ(Task::destroyed, 3);
    EXPECT_EQ(checkedItems(mgr.tasks), (std::vector<zunAITask*>{t[1], t[3]}));

    // 'd' would go on updating, but its reset ends it.
    EXPECT_EQ(mgr.resetTasks(), 1);
    EXPECT_EQ(Task::calls, "uaubucuduerbrd");
    EXPECT_EQ(checkedItems(mgr.tasks), (std::vector<zunAITask*>{t[1]}));
    EXPECT_EQ(t[1]->taskParam, 2);
}

TEST_F(TaskTest, NullItemsStopTheWalksButNotTheDestructor)
{
    Task removed('x', 0);
    {
        zunAITaskMgr local;
        local.addTask(new Task('a', 1, 0, 0));
        local.addTask(nullptr);
        local.addTask(new Task('b', 2, 0, 0));
        local.addTask(&removed);
        local.removeTask(&removed);   // found behind the null item
        EXPECT_EQ(local.haveTask(1), 1);
        EXPECT_EQ(local.haveTask(2), 0);   // only behind the null item

        local.updateTasks(1.0f);   // drops 'a', then meets the null item
        ASSERT_EQ(local.tasks.count, 2);
        EXPECT_EQ(local.tasks.head->item, nullptr);
        local.updateTasks(2.0f);
        local.resetTasks();
        EXPECT_EQ(local.haveTask(2), 0);
        EXPECT_EQ(Task::calls, "ua");
    }
    EXPECT_EQ(Task::destroyed, 2);   // 'a' and 'b'; the removed task lives
}

// The generator's sequence is pinned by the golden record; here its scale,
// its cycle, copies going on from where they are, and host-set values.
TEST_F(TaskTest, RndCycleCopiesAndHostSetValues)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &zunAITaskRndScale, sizeof bits);
    EXPECT_EQ(bits, 0x37800080u);

    mgr.rnd();
    zunAITaskMgr copy(mgr);
    zunAITaskMgr assigned;
    assigned = mgr;
    zunAIPathMgr paths;
    paths.rnd();
    for (int i = 0; i < 10; ++i) {
        const float expected = mgr.rnd();
        EXPECT_EQ(copy.rnd(), expected);
        EXPECT_EQ(assigned.rnd(), expected);
        EXPECT_EQ(paths.rnd(), expected) << "the path manager's sequence";
    }

    // Over the whole cycle the numbers stay strictly inside (0, 1).
    zunAITaskMgr fresh;
    int period = 0;
    do {
        const float r = fresh.rnd();
        ASSERT_TRUE(r > 0.0f && r < 1.0f) << r;
    } while (fresh.rndSeed != 19342 && ++period < 65536);
    EXPECT_LT(period, 65536);

    // Host-set values: the products wrap in 32 bits without overflow.
    fresh.rndMul = 0x7FFFFFFF;
    fresh.rndSeed = 0x7FFFFFFF;
    EXPECT_EQ(fresh.rnd(), zunAITaskRndScale);   // (2^31 - 1)^2 mod 2^32 = 1
    EXPECT_EQ(fresh.rndSeed, 1);
}

}  // namespace

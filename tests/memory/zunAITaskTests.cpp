// Tasks: which calls end a task, and the generator's edges. Tasks over steps
// of time and the generator's sequence are pinned by the golden record.
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

// A task ends when its update or its reset answers 0; a removed task and
// those behind a null item are neither called nor found.
TEST_F(TaskTest, UpdateAndResetDropFinishedTasks)
{
    zunAITask* t[5] = {new Task('a', 0, 0), new Task('b', 0), new Task('c', 0, 0), new Task('d', 0, 1, 0),
                       new Task('e', 1, 0)};
    Task removed('x', 2);
    for (zunAITask* task : t)
        mgr.addTask(task);
    mgr.addTask(&removed);
    mgr.removeTask(&removed);
    EXPECT_EQ(mgr.haveTask(1), 1);
    EXPECT_EQ(mgr.haveTask(2), 0);
    EXPECT_EQ(mgr.updateTasks(1.0f), 1);
    EXPECT_EQ(Task::calls, "uaubucudue");
    EXPECT_EQ(Task::destroyed, 3);
    EXPECT_EQ(checkedItems(mgr.tasks), (std::vector<zunAITask*>{t[1], t[3]}));
    EXPECT_EQ(mgr.haveTask(1), 0);

    EXPECT_EQ(mgr.resetTasks(), 1);   // 'd' would go on updating, but its reset ends it
    EXPECT_EQ(Task::calls, "uaubucuduerbrd");
    EXPECT_EQ(checkedItems(mgr.tasks), (std::vector<zunAITask*>{t[1]}));

    mgr.tasks.append(nullptr);
    mgr.addTask(new Task('f', 3, 0, 0));
    mgr.updateTasks(2.0f);
    EXPECT_EQ(mgr.haveTask(3), 0);
    EXPECT_EQ(Task::calls, "uaubucuduerbrdub");
}

// Copies go on from where the original is; the path manager's generator is
// the same; over a whole cycle the numbers stay strictly inside (0, 1);
// host-set values wrap in 32 bits.
TEST_F(TaskTest, RndCycleCopiesAndHostSetValues)
{
    mgr.rnd();
    zunAITaskMgr copy(mgr);
    zunAIPathMgr paths;
    paths.rnd();
    for (int i = 0; i < 10; ++i) {
        const float expected = mgr.rnd();
        EXPECT_EQ(copy.rnd(), expected);
        EXPECT_EQ(paths.rnd(), expected);
    }

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

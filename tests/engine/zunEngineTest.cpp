#include "zunAI.h"
#include "zunTestFixture.h"

namespace {

using EngineTest = zunTest;

// Counts constructions so that a failed allocation can be seen to skip them.
struct Counted {
    static int constructed;
    Counted() { ++constructed; }
    ZUN_MODULE_ALLOCATED
};
int Counted::constructed = 0;

// Module objects live in the core allocator; a refused block yields null
// and runs no constructor, and the next allocation succeeds again.
TEST_F(EngineTest, ModuleObjectsLiveInTheCoreAllocator)
{
    Counted::constructed = 0;
    Counted* object = new Counted;
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(zunStandIn::allocStats().liveBlocks, startBlocks + 1);
    delete object;
    EXPECT_EQ(zunStandIn::allocStats().liveBlocks, startBlocks);

    zunStandIn::failAllocations(0, 1);
    EXPECT_EQ(new Counted, nullptr);
    EXPECT_EQ(Counted::constructed, 1);
    zunAIPath* path = new zunAIPath;
    ASSERT_NE(path, nullptr);
    delete path;
}

// Grows by 16 in one block and keeps the order; a failed growth keeps what it had.
TEST_F(EngineTest, ArrayGrowsBySixteenAndKeepsOrder)
{
    int values[40];
    zunArray<int> array;
    const int counts[] = {1, 16, 17, 32, 33};
    const int capacities[] = {16, 16, 32, 32, 48};
    int added = 0;
    for (int step = 0; step < 5; ++step) {
        if (step == 2) {
            zunStandIn::failAllocations(0, 1);
            array.add(&values[16]);   // refused: nothing changes
            EXPECT_EQ(array.count, 16);
            EXPECT_EQ(array.capacity, 16);
        }
        while (added < counts[step])
            array.add(&values[added++]);
        EXPECT_EQ(array.capacity, capacities[step]);
        EXPECT_EQ(array.count, counts[step]);
    }
    for (int i = 0; i < 33; ++i)
        EXPECT_EQ(array.data[i], &values[i]);
    EXPECT_EQ(zunStandIn::allocStats().liveBlocks, startBlocks + 1);
}

} // namespace

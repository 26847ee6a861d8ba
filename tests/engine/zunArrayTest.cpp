#include "zunAI.h"
#include "zunTestFixture.h"

namespace {

using ArrayTest = zunTest;

// Grows by 16 in one block and keeps the order; a failed growth keeps what it had.
TEST_F(ArrayTest, GrowsBySixteenAndKeepsOrder)
{
    int values[40];
    zunArray<int> array;
    EXPECT_EQ(array.capacity, 0);
    const int capacities[] = {16, 16, 32, 32, 48};   // after 1, 16, 17, 32 and 33 elements
    const int counts[] = {1, 16, 17, 32, 33};
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

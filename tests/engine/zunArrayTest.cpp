#include "zunAI.h"
#include "zunTestFixture.h"

namespace {

using ArrayTest = zunTest;

TEST_F(ArrayTest, GrowsBySixteenAndKeepsOrder)
{
    int values[40];
    zunArray<int> array;
    EXPECT_EQ(array.data, nullptr);
    EXPECT_EQ(array.capacity, 0);

    array.add(&values[0]);
    EXPECT_EQ(array.capacity, 16);
    for (int i = 1; i < 17; ++i)
        array.add(&values[i]);
    EXPECT_EQ(array.capacity, 32);
    EXPECT_EQ(array.count, 17);
    for (int i = 0; i < 17; ++i)
        EXPECT_EQ(array.data[i], &values[i]);
    for (int i = 17; i < 33; ++i)
        array.add(&values[i]);
    EXPECT_EQ(array.capacity, 48);
    EXPECT_EQ(zunStandIn::allocStats().liveBlocks, startBlocks + 1);
}

TEST_F(ArrayTest, FailedGrowthKeepsWhatItHad)
{
    int values[17];
    zunArray<int> array;
    for (int i = 0; i < 16; ++i)
        array.add(&values[i]);
    zunStandIn::failAllocations(0, 1);
    array.add(&values[16]);
    EXPECT_EQ(array.count, 16);
    EXPECT_EQ(array.capacity, 16);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(array.data[i], &values[i]);
    array.add(&values[16]);
    EXPECT_EQ(array.count, 17);
    EXPECT_EQ(array.data[16], &values[16]);
}

} // namespace

#include "zunAI.h"
#include "zunTestFixture.h"

namespace {

using EngineTest = zunTest;

TEST_F(EngineTest, FactoryHandsOutTheOneEngineObject)
{
    zunAIEngine* first = zunCreateEngine();
    zunAIEngine* second = zunCreateEngine();
    EXPECT_EQ(first, &theAIEngine);
    EXPECT_EQ(second, first);
}

TEST_F(EngineTest, OperationsAnswerTheirFixedValuesInAnyOrder)
{
    zunAIEngine* engine = zunCreateEngine();
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(engine->vtlUpdateConfig(), 1);
        EXPECT_EQ(engine->vtlTerm(), 1);
        EXPECT_EQ(engine->vtlInit(), 1);
        EXPECT_EQ(engine->vtlGetFloat(), 0.0f);
    }
}

TEST_F(EngineTest, CopiesBehaveAlike)
{
    zunAIEngine copy(theAIEngine);
    zunAIEngine assigned;
    assigned = copy;
    EXPECT_EQ(copy.vtlInit(), 1);
    EXPECT_EQ(assigned.vtlGetFloat(), 0.0f);
    EXPECT_EQ(theAIEngine.vtlUpdateConfig(), 1);
}

// Counts constructions so that a failed allocation can be seen to skip them.
struct Counted {
    static int constructed;
    Counted() { ++constructed; }
    ZUN_MODULE_ALLOCATED
};
int Counted::constructed = 0;

TEST_F(EngineTest, ModuleObjectsLiveInTheCoreAllocator)
{
    Counted::constructed = 0;
    long long before = zunStandIn::allocStats().liveBlocks;
    Counted* object = new Counted;
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(zunStandIn::allocStats().liveBlocks, before + 1);
    delete object;
    EXPECT_EQ(zunStandIn::allocStats().liveBlocks, before);
    EXPECT_EQ(Counted::constructed, 1);
}

TEST_F(EngineTest, RefusedAllocationYieldsNullAndRunsNoConstructor)
{
    Counted::constructed = 0;
    zunStandIn::failAllocations(0, 1);
    Counted* object = new Counted;
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(Counted::constructed, 0);
    EXPECT_EQ(zunStandIn::allocStats().failures, 1);

    zunAIPath* path = new zunAIPath;   // the next one succeeds again
    ASSERT_NE(path, nullptr);
    delete path;
}

} // namespace

#ifndef ZUN_TEST_FIXTURE_H
#define ZUN_TEST_FIXTURE_H

#include <gtest/gtest.h>

#include "standin/zunStandIn.h"

// Every test starts from a fresh stand-in and must give back every block it
// took from the core allocator.
class zunTest : public ::testing::Test {
protected:
    void SetUp() override {
        zunStandIn::reset();
        startBlocks = zunStandIn::allocStats().liveBlocks;
    }
    void TearDown() override {
        zunStandIn::stopFailing();
        EXPECT_EQ(zunStandIn::allocStats().liveBlocks, startBlocks) << "module blocks leaked";
        zunStandIn::reset();
    }
    long long startBlocks = 0;
};

#endif

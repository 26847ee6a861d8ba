// The sensor's rule edges; ordinary sweeps, samples and velocity tests are
// pinned by the golden record's sensor scenes.
#include <cmath>
#include <limits>

#include "zunAI.h"
#include "zunTestFixture.h"

namespace {

struct TestVideo : zunAIVideo {
    using zunAIVideo::doCircularSweep;
};

class VideoTest : public zunTest {
protected:
    // Every ray hits `distance` from its origin along x (exact whatever the
    // ray's direction); 0 or less: no hits.
    void SetUp() override
    {
        zunTest::SetUp();
        zunStandIn::setHitScan([this](const cVector4& origin, const cVector4&, float, cVector4& hit) {
            if (distance <= 0.0f)
                return 0;
            hit = cVector4(origin.x + distance, origin.y, origin.z);
            return 1;
        });
    }
    float distance = 0.0f;
    cVector4 position{10.0f, -5.0f, 2.0f};
};

// No hits (or no rays) give a NaN mean and sample 0; hits far away saturate.
TEST_F(VideoTest, SamplesWithoutHitsAndFarAway)
{
    zunAIVideo video;
    distance = 100.0f;
    video.vtlUpdate(2.0f, position);
    distance = 0.0f;
    video.vtlUpdate(4.0f, position);
    EXPECT_TRUE(std::isnan(video.meanDistance));
    EXPECT_EQ(video.getSpace(), 3);   // (6 + 0) / 2
    video.numRays = 0;
    video.vtlUpdate(6.0f, position);
    EXPECT_TRUE(std::isnan(video.meanDistance));
    EXPECT_EQ(video.getSpace(), 2);   // 6 / 3

    video.numRays = 16;
    distance = 1e12f;
    video.vtlUpdate(8.0f, position);
    distance = 1e20f;   // the squared length overflows: infinite mean
    video.vtlUpdate(10.0f, position);
    EXPECT_TRUE(std::isinf(video.meanDistance));
    EXPECT_EQ(video.spaceSamples[3], std::numeric_limits<int>::max());
    EXPECT_EQ(video.spaceSamples[4], std::numeric_limits<int>::max());
    EXPECT_EQ(video.getSpace(), 6);
}

// Times truncated toward zero; floats beyond the int range are even.
TEST_F(VideoTest, SweepsOnlyOnEvenWholeTimes)
{
    const float inf = std::numeric_limits<float>::infinity();
    distance = 40.0f;
    zunAIVideo video;
    for (float odd : {3.0f, 3.9f, -3.5f, -1.0f, std::numeric_limits<float>::quiet_NaN(), inf, -inf})
        video.vtlUpdate(odd, position);
    EXPECT_EQ(zunStandIn::rayCount(), 0);
    int sweeps = 0;
    for (float even : {4.0f, 4.9f, -4.2f, -0.5f, 0.0f, 2147483648.0f, -2147483648.0f, 1e30f}) {
        video.vtlUpdate(even, position);
        EXPECT_EQ(zunStandIn::rayCount(), 16 * ++sweeps) << even;
    }
}

TEST_F(VideoTest, WindowKeepsTheLastTwentySamples)
{
    zunAIVideo video;
    EXPECT_EQ(video.getSpace(), 1);   // no sample yet
    // Sweep k gives sample k % 7: distance (s - 1) * 20 + 10 for s >= 1.
    for (int k = 0; k < 25; ++k) {
        int sample = k % 7;
        distance = sample == 0 ? 0.0f : static_cast<float>((sample - 1) * 20 + 10);
        video.vtlUpdate(static_cast<float>(2 * k), position);
        ASSERT_EQ(video.spaceSamples[k % 20], sample);
    }
    EXPECT_EQ(video.spaceCount, 20);
    EXPECT_EQ(video.spaceSum, 59);    // sweeps 5..24
    EXPECT_EQ(video.getSpace(), 2);   // 2.95 truncated
}

// Past half a circle the fan wraps by half a circle (its turn of 0.01 a
// sweep, short of the wrap: the golden record's sensor scenes).
TEST_F(VideoTest, FanWrapsByHalfACircle)
{
    zunAIVideo video;
    video.startAngle = 3.14f;
    video.vtlUpdate(0.0f, position);
    EXPECT_EQ(video.startAngle, 3.14f + 0.01f - 3.1415927f);
}

// Hits are stored in ray order, at most 32; the fields behind the table stay.
TEST_F(VideoTest, StoredHitsInRayOrderAndNeverPastTheTable)
{
    int ray = 0;
    zunStandIn::setHitScan([&ray](const cVector4& origin, const cVector4&, float, cVector4& hit) {
        int n = ray++;
        hit = cVector4(origin.x + 1.0f + static_cast<float>(n), origin.y, origin.z);
        return n % 2 == 0 ? 1 : 0;
    });
    TestVideo video;
    video.numRays = 10;
    video.doCircularSweep(position, 1);
    EXPECT_EQ(video.lastHits, 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(video.hitPoints[i].x, position.x + 1.0f + static_cast<float>(2 * i)) << i;
    EXPECT_EQ(video.meanDistance, 5.0f);     // 1, 3, 5, 7, 9
    EXPECT_EQ(video.hitPoints[5].x, 0.0f);   // beyond the last hit: untouched

    ray = 0;
    video.numRays = 80;
    video.startAngle = 1.25f;
    video.doCircularSweep(position, 1);
    EXPECT_EQ(video.lastHits, 40);
    EXPECT_EQ(video.numRays, 80);
    EXPECT_EQ(video.startAngle, 1.25f);
    EXPECT_EQ(video.spaceFirst, 0);
    EXPECT_EQ(video.hitPoints[31].x, position.x + 1.0f + 62.0f);
    video.doCircularSweep(position, 0);   // not asked to store
    EXPECT_EQ(video.hitPoints[0].x, position.x + 1.0f);
}

} // namespace

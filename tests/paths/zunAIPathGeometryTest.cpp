#include <cstring>

#include "zunAI.h"
#include "zunTestFixture.h"

namespace {

class PathGeometry : public zunTest {
protected:
    void TearDown() override
    {
        path.marks.deleteAll();
        zunTest::TearDown();
    }
    void add(float x, float y, float z, float w = 1.0f)
    {
        cVector4 at(x, y, z, w);
        path.addMark(at);
    }
    zunAIPath path;
};

TEST_F(PathGeometry, NoDistanceIsTheLargestFiniteFloat)
{
    std::uint32_t bits;
    std::memcpy(&bits, &zunNoDistance, sizeof bits);
    EXPECT_EQ(bits, 0x7F7FFFFFu);
}

TEST_F(PathGeometry, DistancesToNearestFirstAndLastMark)
{
    add(0, 0, 0);
    add(3, 4, 0);
    cVector4 point(3, 4, 12);
    EXPECT_EQ(path.getMinDistanceToPath(point), 12.0f);
    float distance = 0;
    cVector4 nearest = path.getMinDistanceVectorToPath(point, distance);
    EXPECT_EQ(distance, 12.0f);
    EXPECT_EQ(nearest.x, 3.0f);
    EXPECT_EQ(nearest.y, 4.0f);
    EXPECT_EQ(nearest.z, 0.0f);
    EXPECT_EQ(nearest.w, 1.0f);
    EXPECT_EQ(path.getDistanceToStart(point), 13.0f);
    EXPECT_EQ(path.getDistanceToEnd(point), 12.0f);

    cVector4 origin(0, 0, 0, 0);
    EXPECT_EQ(path.getMinDistanceToPath(origin), 0.0f);
}

TEST_F(PathGeometry, EqualDistancesGoToTheEarlierMarkAndWIsOne)
{
    add(-1, 0, 0, 0.0f);
    add(1, 0, 0);
    cVector4 point(0, 0, 0);
    float distance = 0;
    cVector4 nearest = path.getMinDistanceVectorToPath(point, distance);
    EXPECT_EQ(nearest.x, -1.0f);
    EXPECT_EQ(nearest.w, 1.0f);
    EXPECT_EQ(distance, 1.0f);
}

TEST_F(PathGeometry, EmptyPathAnswersNoDistance)
{
    cVector4 point(1, 2, 3);
    EXPECT_EQ(path.getMinDistanceToPath(point), zunNoDistance);
    EXPECT_EQ(path.getDistanceToStart(point), zunNoDistance);
    EXPECT_EQ(path.getDistanceToEnd(point), zunNoDistance);
    float distance = 0;
    cVector4 nearest = path.getMinDistanceVectorToPath(point, distance);
    EXPECT_EQ(distance, zunNoDistance);
    EXPECT_EQ(nearest.x, 0.0f);
    EXPECT_EQ(nearest.w, 1.0f);
}

TEST_F(PathGeometry, OneMarkIsStartEndAndNearest)
{
    add(5, 5, 5);
    cVector4 point(1, 2, 3);
    float nearest = path.getMinDistanceToPath(point);
    EXPECT_EQ(path.getDistanceToStart(point), nearest);
    EXPECT_EQ(path.getDistanceToEnd(point), nearest);
}

TEST_F(PathGeometry, NullItemHidesLaterMarks)
{
    add(10, 0, 0);
    zunStandIn::failAllocations(0, 1);
    add(0, 0, 0);   // becomes a null item
    add(1, 0, 0);
    cVector4 point(0, 0, 0);
    EXPECT_EQ(path.getMinDistanceToPath(point), 10.0f);
    EXPECT_EQ(path.getDistanceToEnd(point), 1.0f);
}

TEST_F(PathGeometry, NullEndItemAnswersNoDistance)
{
    add(10, 0, 0);
    zunStandIn::failAllocations(0, 1);
    add(0, 0, 0);
    cVector4 point(0, 0, 0);
    EXPECT_EQ(path.getDistanceToEnd(point), zunNoDistance);
    EXPECT_EQ(path.getDistanceToStart(point), 10.0f);
}

} // namespace

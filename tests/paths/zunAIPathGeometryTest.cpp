#include <cstring>

#include "zunAI.h"
#include "zunTestFixture.h"
#include "zunVectorChecks.h"

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
        cVector4 at = vec4(x, y, z, w);
        path.addMark(at);
    }
    // The three distances and the nearest mark (w 1) at its distance.
    void expectDistances(cVector4 point, float nearest, float start, float end, const cVector4& mark)
    {
        EXPECT_EQ(path.getMinDistanceToPath(point), nearest);
        EXPECT_EQ(path.getDistanceToStart(point), start);
        EXPECT_EQ(path.getDistanceToEnd(point), end);
        float distance = 0;
        EXPECT_VEC4_EQ(path.getMinDistanceVectorToPath(point, distance), mark);
        EXPECT_EQ(distance, nearest);
    }
    zunAIPath path;
};

// Distances to stored paths are pinned by the golden record. An empty path
// has none (the largest finite float); equal distances go to the earlier mark.
TEST_F(PathGeometry, NoMarksAndTies)
{
    std::uint32_t bits;
    std::memcpy(&bits, &zunNoDistance, sizeof bits);
    EXPECT_EQ(bits, 0x7F7FFFFFu);
    expectDistances(cVector4(1, 2, 3), zunNoDistance, zunNoDistance, zunNoDistance, cVector4(0, 0, 0, 1));
    add(-1, 0, 0, 0.0f);
    add(1, 0, 0);
    expectDistances(cVector4(0, 0, 0), 1, 1, 1, vec4(-1, 0, 0, 1));
}

// A null item (a mark that could not be allocated) hides the later marks
// from the nearest-mark walk; a null end has no distance.
TEST_F(PathGeometry, NullItemsHideLaterMarks)
{
    add(10, 0, 0);
    zunStandIn::failAllocations(0, 1);
    add(0, 0, 0);
    expectDistances(cVector4(0, 0, 0), 10, 10, zunNoDistance, vec4(10, 0, 0, 1));
    add(1, 0, 0);
    expectDistances(cVector4(0, 0, 0), 10, 10, 1, vec4(10, 0, 0, 1));
}

} // namespace

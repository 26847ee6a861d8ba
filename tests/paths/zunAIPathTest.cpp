// Marks and paths: copies, the cursor, failed allocations, distances and drawing.
#include <cstring>

#include "zunAI.h"
#include "zunTestFixture.h"
#include "zunVectorChecks.h"

namespace {

using MarkTest = zunTest;
using PathTest = zunTest;

TEST_F(MarkTest, CopyResetsWButAssignmentKeepsIt)
{
    cVector4 at = vec4(1.0f, 2.0f, 3.0f, 0.0f);
    zunAIMark mark(at);
    EXPECT_EQ(mark.getPosition().w, 0.0f);

    zunAIMark copy(mark);
    EXPECT_EQ(copy.position.x, 1.0f);
    EXPECT_EQ(copy.position.z, 3.0f);
    EXPECT_EQ(copy.position.w, 1.0f);

    copy = mark;
    EXPECT_EQ(copy.position.w, 0.0f);

    cVector4 other = vec4(4.0f, 5.0f, 6.0f, 0.5f);
    copy.setPosition(other);
    EXPECT_EQ(copy.position.w, 0.5f);
    copy.getPosition().x = 9.0f;   // the position itself, not a copy
    EXPECT_EQ(copy.position.x, 9.0f);
}

class TwoMarkPath : public zunTest {
protected:
    void SetUp() override
    {
        zunTest::SetUp();
        path = new zunAIPath;
        cVector4 a(1.0f, 0.0f, 0.0f), b(2.0f, 0.0f, 0.0f);
        path->addMark(a);
        path->addMark(b);
        markA = path->getMark(0);
        markB = path->getMark(1);
    }
    void TearDown() override
    {
        delete path;
        zunTest::TearDown();
    }
    zunAIPath* path = nullptr;
    zunAIMark* markA = nullptr;
    zunAIMark* markB = nullptr;
};

TEST_F(TwoMarkPath, CursorHandsOutMarksInOrderWithoutWrapping)
{
    zunAIPath empty;
    EXPECT_EQ(empty.getNextMark(), nullptr);
    EXPECT_EQ(empty.getLastMark(), nullptr);
    EXPECT_EQ(empty.deleteLastMark(), 0);
    EXPECT_EQ(path->getNextMark(), markA);
    EXPECT_EQ(path->getCurMark(), 1);
    EXPECT_EQ(path->getNextMark(), markB);
    EXPECT_EQ(path->getNextMark(), nullptr);
    EXPECT_EQ(path->getCurMark(), 2);
    for (int index : {-1, 5}) {   // out of range: kept
        path->setCurMark(index);
        EXPECT_EQ(path->getNextMark(), nullptr);
        EXPECT_EQ(path->getCurMark(), index);
    }
    path->setCurMark(0);
    EXPECT_EQ(path->getNextMark(), markA);
}

TEST_F(TwoMarkPath, DeleteLastMarkLeavesTheCursor)
{
    path->setCurMark(2);
    EXPECT_EQ(path->deleteLastMark(), 1);
    EXPECT_EQ(path->getNumMarks(), 1);
    EXPECT_EQ(path->getCurMark(), 2);
    EXPECT_EQ(path->getNextMark(), nullptr);
    EXPECT_EQ(path->getLastMark(), markA);
    EXPECT_EQ(path->getMark(1), nullptr);
}

TEST_F(TwoMarkPath, CopiesOwnMarksOfTheirOwn)
{
    path->setActive(3);
    path->setCurMark(1);
    zunAIPath copy(*path);
    EXPECT_EQ(copy.getNumMarks(), 2);
    EXPECT_NE(copy.getMark(0), markA);
    EXPECT_EQ(copy.getMark(1)->position.x, 2.0f);
    EXPECT_EQ(copy.isActive(), 3);
    EXPECT_EQ(copy.getCurMark(), 1);

    zunAIPath assigned;
    cVector4 c(7.0f, 7.0f, 7.0f);
    assigned.addMark(c);
    assigned = *path;
    EXPECT_EQ(assigned.getNumMarks(), 2);
    EXPECT_EQ(assigned.getMark(0)->position.x, 1.0f);
    zunAIPath& self = assigned;   // self-assignment, through a reference
    assigned = self;
    EXPECT_EQ(assigned.getNumMarks(), 2);
}

TEST_F(PathTest, FailedMarkAllocationAppendsNullItem)
{
    zunAIPath path;
    cVector4 a(1.0f, 0.0f, 0.0f), b(2.0f, 0.0f, 0.0f), c(3.0f, 0.0f, 0.0f);
    path.addMark(a);
    zunStandIn::failAllocations(0, 1);   // the mark fails, its node does not
    path.addMark(b);
    path.addMark(c);
    EXPECT_EQ(path.getNumMarks(), 3);
    EXPECT_EQ(path.getMark(1), nullptr);
    EXPECT_NE(path.getMark(2), nullptr);
    EXPECT_NE(path.getNextMark(), nullptr);
    EXPECT_EQ(path.getNextMark(), nullptr);
    EXPECT_EQ(path.getCurMark(), 1);

    zunAIPath copy(path);   // the copy keeps the null item where it was
    EXPECT_EQ(copy.getNumMarks(), 3);
    EXPECT_EQ(copy.getMark(1), nullptr);
}

TEST_F(PathTest, FailedNodeAllocationDropsTheMarkWithoutLeaking)
{
    zunAIPath path;
    cVector4 a(1.0f, 0.0f, 0.0f);
    zunStandIn::failAllocations(1, 1);   // the mark succeeds, its node fails
    path.addMark(a);
    EXPECT_EQ(path.getNumMarks(), 0);
}

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
    expectDistances(cVector4(1, 2, 3), zunNoDistance, zunNoDistance, zunNoDistance, vec4(0, 0, 0, 1));
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

using PathDrawing = zunTest;

TEST_F(PathDrawing, FourLinesPerSegment)
{
    zunAIPath path;
    path.drawPath(0x123456, 0.0f);
    EXPECT_TRUE(zunStandIn::lines().empty());
    cVector4 a(0, 0, 0), b(1, 0, 0), c(2, 0, 0);
    path.addMark(a);
    path.drawPath(0x123456, 0.0f);
    EXPECT_TRUE(zunStandIn::lines().empty());
    path.addMark(b);
    path.addMark(c);
    path.drawPath(0x123456, 0.0f);
    ASSERT_EQ(zunStandIn::lines().size(), 8u);
    for (const auto& line : zunStandIn::lines())
        EXPECT_EQ(line.colour, 0x123456ul);
}

TEST_F(PathDrawing, LinesRunBelowTheMarksAtTheSquareCorners)
{
    zunAIPath path;
    cVector4 a(0, 0, 100), b(10, 0, 100);
    path.addMark(a);
    path.addMark(b);
    path.drawPath(0xFF, 0.2f);
    const auto& lines = zunStandIn::lines();
    ASSERT_EQ(lines.size(), 4u);
    const float f = 0.2f, g = 0.2f + 1.0f;
    const float dx[4] = {f, f, g, g};
    const float dy[4] = {f, g, g, f};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(lines[i].from.x, 0.0f - dx[i]);
        EXPECT_EQ(lines[i].from.y, 0.0f - dy[i]);
        EXPECT_EQ(lines[i].from.z, 85.0f);
        EXPECT_EQ(lines[i].to.x, 10.0f - dx[i]);
        EXPECT_EQ(lines[i].to.y, 0.0f - dy[i]);
    }
    EXPECT_FLOAT_EQ(lines[0].to.x, 9.8f);
    EXPECT_FLOAT_EQ(lines[2].from.x, -1.2f);
    EXPECT_FLOAT_EQ(lines[2].to.x, 8.8f);
}

TEST_F(PathDrawing, ColourSequenceKeepsBits16To39OfTheWideProduct)
{
    // Computed from the exact (wider than 64-bit) products.
    EXPECT_EQ(pathColourSeed, 0xD0ABCBul);
    EXPECT_EQ(nextPathColour(pathColourSeed), 0x238A4Bul);
    EXPECT_EQ(nextPathColour(0x238A4Bul), 0x52A139ul);
    EXPECT_EQ(nextPathColour(0x52A139ul), 0x19022Aul);
    EXPECT_EQ(nextPathColour(0xFFFFFFul), ((0xFFFFFFull * 0x13DEC15577Bull) >> 16) & 0xFFFFFFull);
}

} // namespace

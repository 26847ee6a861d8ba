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

} // namespace

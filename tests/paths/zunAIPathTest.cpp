// Marks and paths: copies, the cursor, null items, distances and the
// manager's drawing of active paths. Distances and drawings of stored paths
// are pinned by the golden record.
#include "zunAI.h"
#include "zunTestFixture.h"
#include "zunTestPaths.h"
#include "zunVectorChecks.h"

namespace {

using PathTest = zunTest;

// A copied mark gets w 1.0, an assigned one keeps all four components.
TEST_F(PathTest, MarkCopyResetsWButAssignmentKeepsIt)
{
    cVector4 at = vec4(1.0f, 2.0f, 3.0f, 0.0f);
    zunAIMark mark(at);
    zunAIMark copy(mark);
    EXPECT_VEC4_EQ(copy.position, vec4(1.0f, 2.0f, 3.0f, 1.0f));
    copy = mark;
    EXPECT_EQ(copy.position.w, 0.0f);
}

// The cursor hands out marks in order and never wraps; an index out of range
// is kept; deleting the last mark leaves the cursor; copies own their marks.
TEST_F(PathTest, CursorDeletionAndCopies)
{
    zunAIPath empty;
    EXPECT_EQ(empty.getNextMark(), nullptr);
    EXPECT_EQ(empty.deleteLastMark(), 0);
    zunAIPath path;
    cVector4 a(1.0f, 0.0f, 0.0f), b(2.0f, 0.0f, 0.0f);
    path.addMark(a);
    path.addMark(b);
    zunAIMark* first = path.getMark(0);
    EXPECT_EQ(path.getNextMark(), first);
    EXPECT_EQ(path.getCurMark(), 1);
    EXPECT_EQ(path.getNextMark(), path.getMark(1));
    EXPECT_EQ(path.getNextMark(), nullptr);
    EXPECT_EQ(path.getCurMark(), 2);
    for (int index : {-1, 5}) {
        path.setCurMark(index);
        EXPECT_EQ(path.getNextMark(), nullptr);
        EXPECT_EQ(path.getCurMark(), index);
    }

    path.setActive(3);
    path.setCurMark(1);
    zunAIPath copy(path);
    EXPECT_NE(copy.getMark(0), first);
    EXPECT_EQ(copy.getMark(1)->position.x, 2.0f);
    EXPECT_EQ(copy.isActive(), 3);
    EXPECT_EQ(copy.getCurMark(), 1);
    zunAIPath assigned;
    assigned.addMark(a);
    assigned = path;
    zunAIPath& self = assigned;   // self-assignment, through a reference
    assigned = self;
    EXPECT_EQ(assigned.getNumMarks(), 2);
    EXPECT_EQ(assigned.getMark(0)->position.x, 1.0f);

    path.setCurMark(2);
    EXPECT_EQ(path.deleteLastMark(), 1);
    EXPECT_EQ(path.getCurMark(), 2);
    EXPECT_EQ(path.getLastMark(), first);
    EXPECT_EQ(path.getMark(1), nullptr);
}

// A mark that cannot be allocated leaves a null item, which ends the cursor
// walk and is copied where it was; a node that cannot be allocated drops
// its mark.
TEST_F(PathTest, FailedAllocationsOfAMarkAndOfItsNode)
{
    zunAIPath path;
    cVector4 a(1.0f, 0.0f, 0.0f);
    path.addMark(a);
    zunStandIn::failAllocations(0, 1);
    path.addMark(a);
    path.addMark(a);
    zunStandIn::failAllocations(1, 1);
    path.addMark(a);
    EXPECT_EQ(path.getNumMarks(), 3);
    EXPECT_EQ(path.getMark(1), nullptr);
    EXPECT_NE(path.getNextMark(), nullptr);
    EXPECT_EQ(path.getNextMark(), nullptr);
    EXPECT_EQ(path.getCurMark(), 1);
    zunAIPath copy(path);
    EXPECT_EQ(copy.getNumMarks(), 3);
    EXPECT_EQ(copy.getMark(1), nullptr);
}

// An empty path has no distance (the largest finite float); equal distances
// go to the earlier mark; a null item hides the later marks from the
// nearest-mark walk, and a null end has no distance.
TEST_F(PathTest, DistancesWithoutMarksOnTiesAndPastNullItems)
{
    zunAIPath path;
    auto expectDistances = [&path](float nearest, float start, float end, const cVector4& mark) {
        cVector4 origin(0, 0, 0);
        EXPECT_EQ(path.getMinDistanceToPath(origin), nearest);
        EXPECT_EQ(path.getDistanceToStart(origin), start);
        EXPECT_EQ(path.getDistanceToEnd(origin), end);
        float distance = 0;
        EXPECT_VEC4_EQ(path.getMinDistanceVectorToPath(origin, distance), mark);
        EXPECT_EQ(distance, nearest);
    };
    EXPECT_EQ(zunNoDistance, 3.40282347e38f);
    expectDistances(zunNoDistance, zunNoDistance, zunNoDistance, vec4(0, 0, 0, 1));
    cVector4 west = vec4(-1, 0, 0, 0.0f), east(1, 0, 0), far(10, 0, 0), origin(0, 0, 0);
    path.addMark(west);
    path.addMark(east);
    expectDistances(1, 1, 1, vec4(-1, 0, 0, 1));

    path.marks.deleteAll();
    path.addMark(far);
    zunStandIn::failAllocations(0, 1);
    path.addMark(origin);
    expectDistances(10, 10, zunNoDistance, vec4(10, 0, 0, 1));
    path.addMark(east);
    expectDistances(10, 10, 1, vec4(10, 0, 0, 1));
}

// The manager draws the routes, then the database's active paths, each list
// a colour sequence of its own with offsets growing by 0.2 from 0.2 (kept as
// a float), a segment's square offset and offset + 1 back from its marks;
// inactive database paths are passed over, routes never. The golden record
// pins the drawing of stored paths (lines, corners and colour sequence), the
// recording and the selection.
TEST_F(PathTest, ManagerDrawsActivePathsInColourAndOffsetSteps)
{
    auto segmentPath = [](int active, bool oneMark = false) {
        zunAIPath* path = oneMark ? makePath({{0, 0, 0}}) : makePath({{0, 0, 0}, {10, 0, 0}});
        path->setActive(active);
        return path;
    };
    zunAIPathMgr manager;
    EXPECT_EQ(manager.drawActivePaths(), 1);
    EXPECT_TRUE(zunStandIn::lines().empty());
    for (int i = 0; i < 6; ++i)
        manager.addActivePath(segmentPath(i % 2));
    manager.addActivePath(nullptr);
    manager.addActivePath(segmentPath(0));
    for (int active : {1, 0, 7})
        manager.addPath(segmentPath(active));
    manager.addPath(segmentPath(1, true));

    EXPECT_EQ(manager.drawActivePaths(), 1);
    std::vector<std::pair<unsigned long, float>> expected, drawn;   // colour, x of a segment's first line
    unsigned long colour = pathColourSeed;
    float offset = 0.2f;
    for (int i = 0; i < 6; ++i) {
        expected.emplace_back(colour, 0.0f - offset);
        colour = nextPathColour(colour);
        offset = offset + 0.2f;
    }
    expected.emplace_back(pathColourSeed, -0.2f);
    expected.emplace_back(nextPathColour(pathColourSeed), -(0.2f + 0.2f));
    const auto& lines = zunStandIn::lines();
    ASSERT_EQ(lines.size(), 4 * expected.size());
    for (std::size_t i = 0; i < lines.size(); i += 4)
        drawn.emplace_back(lines[i].colour, lines[i].from.x);
    EXPECT_EQ(drawn, expected);
    EXPECT_EQ(lines[2].from.y, 0.0f - (0.2f + 1.0f));
}

} // namespace

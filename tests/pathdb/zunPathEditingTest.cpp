// Recording, selecting, deleting and copying paths in a manager.
#include "zunPathDbTest.h"

namespace {

using namespace pathdb;
using PathEditing = zunTest;

class PathSelection : public zunTest {
protected:
    // Adds a one-mark path at distance `d` along x from the origin.
    zunAIPath* pathAt(float d)
    {
        zunAIPath* path = makePath({{d, 0, 0}});
        manager.addPath(path);
        return path;
    }
    int selectAtOrigin()
    {
        cVector4 origin(0, 0, 0);
        return manager.selectClosestPath(origin);
    }
    int selectionTexts() const
    {
        int n = 0;
        for (const auto& text : zunStandIn::texts()) {
            EXPECT_EQ(text.text, "Selected path!");
            EXPECT_EQ(text.size, 12);
            EXPECT_EQ(text.colour, 0xFFFFFFul);
            ++n;
        }
        return n;
    }
    void TearDown() override
    {
        manager.deleteAllPaths();   // before the fixture counts the blocks
        zunTest::TearDown();
    }
    zunAIPathMgr manager;
};

TEST_F(PathEditing, RecordingUndoDiscardsBelowTwoMarks)
{
    zunAIPathMgr manager;
    EXPECT_EQ(manager.deleteLastMark(), 0);
    cVector4 a = vec4(1, 0, 0, 0.5f), b(2, 0, 0), c(3, 0, 0);
    EXPECT_EQ(manager.addNewMark(a), 1);
    EXPECT_EQ(manager.addNewMark(b), 1);
    EXPECT_EQ(manager.addNewMark(c), 1);
    ASSERT_NE(manager.newPath, nullptr);
    EXPECT_EQ(manager.newPath->getMark(0)->position.w, 0.5f);   // all four components

    EXPECT_EQ(manager.deleteLastMark(), 1);
    ASSERT_NE(manager.newPath, nullptr);
    EXPECT_EQ(manager.newPath->getNumMarks(), 2);
    EXPECT_EQ(manager.deleteLastMark(), 1);   // one mark would be left: discarded
    EXPECT_EQ(manager.newPath, nullptr);
    EXPECT_EQ(manager.deleteLastMark(), 0);
    EXPECT_EQ(manager.getNumPaths(), 0);
}

TEST_F(PathEditing, SavingMovesTheRecordingToTheEnd)
{
    zunAIPathMgr manager;
    EXPECT_EQ(manager.saveNewPath(), 0);
    manager.addPath(makePath({{0, 0, 0}}));
    cVector4 at(5, 5, 5);
    manager.addNewMark(at);
    zunAIPath* recording = manager.newPath;
    EXPECT_EQ(manager.saveNewPath(), 1);
    EXPECT_EQ(manager.newPath, nullptr);
    EXPECT_EQ(manager.getNumPaths(), 2);
    EXPECT_EQ(manager.getPath(1), recording);
    EXPECT_EQ(recording->getNumMarks(), 1);
    EXPECT_EQ(manager.saveNewPath(), 0);

    // The next addNewMark starts a new recording.
    manager.addNewMark(at);
    EXPECT_NE(manager.newPath, nullptr);
    EXPECT_NE(manager.newPath, recording);
}

TEST_F(PathEditing, RecordingUnderFailingAllocations)
{
    zunAIPathMgr manager;
    cVector4 at(1, 2, 3);
    zunStandIn::failAllocations(0, 1);   // the path itself
    EXPECT_EQ(manager.addNewMark(at), 0);
    EXPECT_EQ(manager.newPath, nullptr);
    EXPECT_EQ(manager.addNewMark(at), 1);
    // No node for the database: the recording is kept, not lost (the
    // allocation sweeps cover every other failure).
    zunAIPath* recording = manager.newPath;
    zunStandIn::failAllocations(0, 1);
    EXPECT_EQ(manager.saveNewPath(), 0);
    EXPECT_EQ(manager.newPath, recording);
    EXPECT_EQ(manager.saveNewPath(), 1);
    EXPECT_EQ(manager.getPath(0), recording);
}

// Picks the path with the nearest mark strictly inside 10, the earlier of
// equals, with a message; a walk ends at a null item; a failed search clears
// the selection.
TEST_F(PathSelection, NearestStrictlyInsideTheRadiusEarlierOnTies)
{
    pathAt(10.0f);
    EXPECT_EQ(selectAtOrigin(), 0);
    EXPECT_EQ(manager.selectedPath, nullptr);
    EXPECT_EQ(selectionTexts(), 0);

    pathAt(9.99f);
    zunAIPath* closer = pathAt(3.0f);
    pathAt(-3.0f);   // as near as `closer`, later in the list
    manager.addPath(new zunAIPath);   // without marks: never picked
    EXPECT_EQ(selectAtOrigin(), 1);
    EXPECT_EQ(manager.selectedPath, closer);
    EXPECT_EQ(selectionTexts(), 1);

    manager.addPath(nullptr);
    pathAt(1.0f);   // behind the null item
    EXPECT_EQ(selectAtOrigin(), 1);
    EXPECT_EQ(manager.selectedPath, closer);

    cVector4 far(500, 0, 0);
    EXPECT_EQ(manager.selectClosestPath(far), 0);
    EXPECT_EQ(manager.selectedPath, nullptr);
}

TEST_F(PathSelection, DeletingTheSelectionRenumbers)
{
    EXPECT_EQ(manager.deleteSelectedPath(), 0);
    pathAt(50.0f);
    pathAt(2.0f);
    zunAIPath* last = pathAt(60.0f);
    EXPECT_EQ(selectAtOrigin(), 1);
    zunStandIn::clearCapture();
    EXPECT_EQ(manager.deleteSelectedPath(), 1);
    EXPECT_EQ(manager.selectedPath, nullptr);
    EXPECT_EQ(manager.getNumPaths(), 2);
    EXPECT_EQ(manager.getPath(1), last);
    EXPECT_TRUE(zunStandIn::texts().empty());
    EXPECT_EQ(manager.deleteSelectedPath(), 0);
}

// Deleting renumbers the later paths, leaves paths the database doesn't hold,
// and clears the selection when (and only when) its path leaves.
TEST_F(PathEditing, DeletingRenumbersAndClearsTheSelectionOfItsPath)
{
    zunAIPathMgr manager;
    zunAIPath* p = makePath({{0, 0, 0}});
    zunAIPath* q = makePath({{1, 0, 0}});
    zunAIPath* r = makePath({{2, 0, 0}});
    zunAIPath* route = makePath({{0, 0, 0}});
    for (zunAIPath* path : {p, q, r})
        manager.addPath(path);
    manager.addActivePath(route);
    manager.selectedPath = r;
    manager.deletePath(route);
    manager.deletePath(q);
    EXPECT_EQ(manager.getNumPaths(), 2);
    EXPECT_EQ(manager.getPath(1), r);
    EXPECT_EQ(manager.getPath(2), nullptr);
    EXPECT_EQ(manager.getPath(-1), nullptr);
    EXPECT_EQ(manager.activePaths.count, 1);
    EXPECT_EQ(manager.selectedPath, r);   // another path left: the selection stays
    manager.deletePath(r);
    EXPECT_EQ(manager.selectedPath, nullptr);

    manager.selectedPath = manager.getPath(0);
    manager.deleteAllPaths();
    EXPECT_EQ(manager.getNumPaths(), 0);
    EXPECT_EQ(manager.selectedPath, nullptr);
    EXPECT_EQ(manager.activePaths.head->item, route);
    manager.drawPaths();   // nothing dangling to draw
    EXPECT_TRUE(zunStandIn::lines().empty());
}

TEST_F(PathEditing, CopiesAreDeepAndSelectByPosition)
{
    zunAIPathMgr source;
    source.addPath(makePath({{0, 0, 0}, {1, 2, 3}}));
    source.addPath(makePath({{5, 5, 5}}));
    source.addActivePath(makePath({{9, 9, 9}}));
    cVector4 at(7, 7, 7);
    source.addNewMark(at);
    source.selectedPath = source.getPath(1);
    source.rnd();

    zunAIPathMgr copy(source);
    ASSERT_TRUE(managerIsSound(copy));
    ASSERT_EQ(copy.getNumPaths(), 2);
    EXPECT_NE(copy.getPath(0)->getMark(1), source.getPath(0)->getMark(1));
    EXPECT_EQ(copy.getPath(0)->getMark(1)->position.z, 3.0f);
    EXPECT_EQ(copy.selectedPath, copy.getPath(1));
    ASSERT_NE(copy.newPath, nullptr);
    EXPECT_NE(copy.newPath, source.newPath);
    EXPECT_EQ(copy.newPath->getMark(0)->position.x, 7.0f);
    ASSERT_EQ(copy.activePaths.count, 1);
    EXPECT_NE(copy.activePaths.head->item, source.activePaths.head->item);
    EXPECT_EQ(copy.rnd(), source.rnd());

    zunAIPathMgr assigned;
    assigned.addPath(makePath({{1, 1, 1}}));
    assigned.selectedPath = assigned.getPath(0);
    assigned = source;
    ASSERT_TRUE(managerIsSound(assigned));
    EXPECT_EQ(assigned.getNumPaths(), 2);
    EXPECT_EQ(assigned.activePaths.count, 1);
    EXPECT_EQ(assigned.selectedPath, assigned.getPath(1));
    const zunAIPathMgr& same = assigned;
    assigned = same;
    EXPECT_EQ(assigned.getNumPaths(), 2);

    source.selectedPath = nullptr;
    source.deleteAllPaths();
    EXPECT_EQ(copy.getPath(1)->getMark(0)->position.x, 5.0f);
    // each of the three managers deletes only its own paths at its end
}

} // namespace

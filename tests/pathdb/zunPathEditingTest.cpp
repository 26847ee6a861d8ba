// Recording, selecting, deleting and copying paths in a manager.
#include "zunAI.h"
#include "zunManagerChecks.h"
#include "zunTestFixture.h"
#include "zunTestPaths.h"
#include "zunVectorChecks.h"

namespace {

class PathEditing : public zunTest {
protected:
    void TearDown() override
    {
        manager = zunAIPathMgr();   // before the fixture counts the blocks
        zunTest::TearDown();
    }
    // Adds a one-mark path at distance `d` along x from the origin.
    zunAIPath* pathAt(float d)
    {
        zunAIPath* path = makePath({cVector4(d, 0, 0)});
        manager.addPath(path);
        return path;
    }
    int selectAt(float x)
    {
        cVector4 at(x, 0, 0);
        return manager.selectClosestPath(at);
    }
    zunAIPathMgr manager;
};

// Taking back marks discards a recording left with fewer than two; saving
// moves it to the end of the database, or keeps it when no node can be had.
TEST_F(PathEditing, RecordingUndoAndSaving)
{
    EXPECT_EQ(manager.deleteLastMark(), 0);
    EXPECT_EQ(manager.saveNewPath(), 0);
    cVector4 a = vec4(1, 0, 0, 0.5f), b(2, 0, 0), c(3, 0, 0);
    for (cVector4* at : {&a, &b, &c})
        EXPECT_EQ(manager.addNewMark(*at), 1);
    EXPECT_EQ(manager.newPath->getMark(0)->position.w, 0.5f);   // all four components
    EXPECT_EQ(manager.deleteLastMark(), 1);
    ASSERT_NE(manager.newPath, nullptr);
    EXPECT_EQ(manager.deleteLastMark(), 1);   // one mark would be left: discarded
    EXPECT_EQ(manager.newPath, nullptr);
    EXPECT_EQ(manager.deleteLastMark(), 0);

    zunStandIn::failAllocations(0, 1);   // the path itself
    EXPECT_EQ(manager.addNewMark(a), 0);
    EXPECT_EQ(manager.newPath, nullptr);
    pathAt(0);
    manager.addNewMark(a);
    zunAIPath* recording = manager.newPath;
    zunStandIn::failAllocations(0, 1);   // no node for the database
    EXPECT_EQ(manager.saveNewPath(), 0);
    EXPECT_EQ(manager.newPath, recording);
    EXPECT_EQ(manager.saveNewPath(), 1);
    EXPECT_EQ(manager.newPath, nullptr);
    EXPECT_EQ(manager.getPath(1), recording);
    manager.addNewMark(a);
    EXPECT_NE(manager.newPath, recording);
}

// The path with the nearest mark strictly inside 10 is selected, the earlier
// of equals, with a message; the walk ends at a null item; a failed search
// clears the selection; deleting the selection renumbers.
TEST_F(PathEditing, SelectionStrictlyInsideTheRadiusEarlierOnTies)
{
    pathAt(10.0f);
    EXPECT_EQ(selectAt(0), 0);
    EXPECT_TRUE(zunStandIn::texts().empty());
    pathAt(9.99f);
    zunAIPath* closer = pathAt(3.0f);
    pathAt(-3.0f);                    // as near as `closer`, later in the list
    manager.addPath(new zunAIPath);   // without marks: never picked
    manager.addPath(nullptr);
    pathAt(1.0f);                     // behind the null item
    EXPECT_EQ(selectAt(0), 1);
    EXPECT_EQ(manager.selectedPath, closer);
    ASSERT_EQ(zunStandIn::texts().size(), 1u);
    EXPECT_EQ(zunStandIn::texts()[0].text, "Selected path!");
    EXPECT_EQ(zunStandIn::texts()[0].size, 12);
    EXPECT_EQ(zunStandIn::texts()[0].colour, 0xFFFFFFul);
    EXPECT_EQ(selectAt(500), 0);
    EXPECT_EQ(manager.selectedPath, nullptr);

    selectAt(0);
    EXPECT_EQ(manager.deleteSelectedPath(), 1);
    EXPECT_EQ(manager.selectedPath, nullptr);
    EXPECT_EQ(manager.getPath(2)->getMark(0)->position.x, -3.0f);
    EXPECT_EQ(manager.deleteSelectedPath(), 0);
}

// Deleting a path leaves paths the database doesn't hold, and clears the
// selection when (and only when) its path leaves.
TEST_F(PathEditing, DeletingClearsTheSelectionOfItsPathOnly)
{
    zunAIPath* q = pathAt(1);
    zunAIPath* r = pathAt(2);
    zunAIPath* route = makePath({cVector4(0, 0, 0)});
    manager.addActivePath(route);
    manager.selectedPath = r;
    manager.deletePath(route);
    manager.deletePath(q);
    EXPECT_EQ(manager.activePaths.count, 1);
    EXPECT_EQ(manager.selectedPath, r);
    manager.deletePath(r);
    EXPECT_EQ(manager.selectedPath, nullptr);
    manager.selectedPath = pathAt(3);
    manager.deleteAllPaths();
    EXPECT_EQ(manager.selectedPath, nullptr);
    EXPECT_EQ(manager.activePaths.head->item, route);
}

// Copies are deep: paths, routes, the recording, the selection by position
// and the generator's state.
TEST_F(PathEditing, CopiesAreDeepAndSelectByPosition)
{
    zunAIPathMgr& source = manager;
    source.addPath(makePath({cVector4(0, 0, 0), cVector4(1, 2, 3)}));
    pathAt(5);
    source.addActivePath(makePath({cVector4(9, 9, 9)}));
    cVector4 at(7, 7, 7);
    source.addNewMark(at);
    source.selectedPath = source.getPath(1);
    source.rnd();

    zunAIPathMgr copy(source);
    zunAIPathMgr assigned;
    assigned.addPath(makePath({cVector4(1, 1, 1)}));
    assigned.selectedPath = assigned.getPath(0);
    assigned = source;
    const zunAIPathMgr& same = assigned;
    assigned = same;
    for (zunAIPathMgr* m : {&copy, &assigned}) {
        ASSERT_TRUE(managerIsSound(*m));
        ASSERT_EQ(m->getNumPaths(), 2);
        EXPECT_NE(m->getPath(0)->getMark(1), source.getPath(0)->getMark(1));
        EXPECT_EQ(m->getPath(0)->getMark(1)->position.z, 3.0f);
        EXPECT_EQ(m->selectedPath, m->getPath(1));
        ASSERT_NE(m->newPath, nullptr);
        EXPECT_NE(m->newPath, source.newPath);
        EXPECT_EQ(m->newPath->getMark(0)->position.x, 7.0f);
        ASSERT_EQ(m->activePaths.count, 1);
        EXPECT_NE(m->activePaths.head->item, source.activePaths.head->item);
    }
    EXPECT_EQ(copy.rnd(), source.rnd());
}

} // namespace

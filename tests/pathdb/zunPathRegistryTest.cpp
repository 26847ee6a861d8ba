#include "zunPathDbTest.h"

namespace {

using namespace pathdb;
using PathRegistry = zunTest;

// Deleting renumbers the later paths, leaves paths the database doesn't hold,
// and clears the selection when (and only when) its path leaves.
TEST_F(PathRegistry, DeletingRenumbersAndClearsTheSelectionOfItsPath)
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

TEST_F(PathRegistry, CopiesAreDeepAndSelectByPosition)
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

#ifndef ZUN_MANAGER_CHECKS_H
#define ZUN_MANAGER_CHECKS_H

// Structural checks of paths and path managers, for tests that change them
// in many ways (allocation failures included).

#include "zunAI.h"
#include "zunListChecks.h"

// A path's own queries agree with its list: the mark count, every mark by
// number, the last mark, and the cursor walk (which stops at a null item).
inline ::testing::AssertionResult pathIsSound(zunAIPath& path)
{
    auto sound = listIsSound(path.marks);
    if (!sound)
        return sound << " (marks)";
    if (path.getNumMarks() != path.marks.count)
        return ::testing::AssertionFailure() << "getNumMarks " << path.getNumMarks() << ", count " << path.marks.count;
    int i = 0;
    for (auto* node = path.marks.head; node; node = node->next, ++i)
        if (path.getMark(i) != node->item)
            return ::testing::AssertionFailure() << "getMark(" << i << ") is not node " << i;
    if (path.getMark(-1) || path.getMark(path.marks.count))
        return ::testing::AssertionFailure() << "getMark answers a mark out of range";
    if (path.marks.count > 0 && path.getLastMark() != path.marks.tail->item)
        return ::testing::AssertionFailure() << "getLastMark is not the tail's mark";
    const int cursor = path.getCurMark();
    path.setCurMark(0);
    int walked = 0;
    for (auto* node = path.marks.head; node && node->item; node = node->next, ++walked)
        if (path.getNextMark() != node->item)
            return ::testing::AssertionFailure() << "getNextMark leaves the walk at mark " << walked;
    path.setCurMark(cursor);
    return ::testing::AssertionSuccess();
}

// Every list of the manager and of each of its paths is sound, and the
// registry's queries agree with the list.
inline ::testing::AssertionResult managerIsSound(zunAIPathMgr& manager)
{
    for (zunList<zunAIPath>* list : {&manager.paths, &manager.activePaths}) {
        auto sound = listIsSound(*list);
        if (!sound)
            return sound << " (paths)";
        for (auto* node = list->head; node; node = node->next)
            if (node->item && !(sound = pathIsSound(*node->item)))
                return sound;
    }
    if (manager.getNumPaths() != manager.paths.count)
        return ::testing::AssertionFailure() << "getNumPaths " << manager.getNumPaths() << ", count "
                                             << manager.paths.count;
    int i = 0;
    for (auto* node = manager.paths.head; node; node = node->next, ++i)
        if (manager.getPath(i) != node->item)
            return ::testing::AssertionFailure() << "getPath(" << i << ") is not node " << i;
    if (manager.getPath(-1) || manager.getPath(manager.paths.count))
        return ::testing::AssertionFailure() << "getPath answers a path out of range";
    if (manager.selectedPath && !manager.paths.contains(manager.selectedPath))
        return ::testing::AssertionFailure() << "selectedPath is not in paths";
    if (manager.newPath)
        return pathIsSound(*manager.newPath);
    return ::testing::AssertionSuccess();
}

#endif

#ifndef ZUN_LIST_CHECKS_H
#define ZUN_LIST_CHECKS_H

#include <gtest/gtest.h>

#include <vector>

#include "engine/zunList.h"

// Structural soundness of a list: links agree both ways, the count is the
// number of nodes, the tail is the last node (and the chain ends).
template <class T>
::testing::AssertionResult listIsSound(const zunList<T>& list)
{
    int nodes = 0;
    const zunListNode<T>* previous = nullptr;
    for (const zunListNode<T>* node = list.head; node; node = node->next) {
        if (node->prev != previous)
            return ::testing::AssertionFailure() << "prev link broken at node " << nodes;
        previous = node;
        if (++nodes > list.count + 1000000)
            return ::testing::AssertionFailure() << "the list runs in a circle";
    }
    if (nodes != list.count)
        return ::testing::AssertionFailure() << nodes << " nodes, count " << list.count;
    if (list.tail != previous)
        return ::testing::AssertionFailure() << "tail is not the last node";
    return ::testing::AssertionSuccess();
}

// The list's items from head to tail, null items included, once the list
// is found sound.
template <class T>
std::vector<T*> checkedItems(const zunList<T>& list)
{
    std::vector<T*> out;
    EXPECT_TRUE(listIsSound(list));
    for (const typename zunList<T>::Node* node = list.head; node && out.size() <= size_t(list.count); node = node->next)
        out.push_back(node->item);
    return out;
}

#endif

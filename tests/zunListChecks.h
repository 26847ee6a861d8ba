#ifndef ZUN_LIST_CHECKS_H
#define ZUN_LIST_CHECKS_H

#include <gtest/gtest.h>

#include <vector>

#include "engine/zunList.h"

// The list's items from head to tail, null items included, after checking
// that the links run both ways and agree with `tail` and `count`.
template <class T>
std::vector<T*> checkedItems(const zunList<T>& list)
{
    std::vector<T*> out;
    const typename zunList<T>::Node* prev = nullptr;
    for (const typename zunList<T>::Node* node = list.head; node; prev = node, node = node->next) {
        EXPECT_EQ(node->prev, prev);
        out.push_back(node->item);
    }
    EXPECT_EQ(list.tail, prev);
    EXPECT_EQ(list.count, static_cast<int>(out.size()));
    return out;
}

#endif

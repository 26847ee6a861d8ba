#ifndef ZUN_LIST_H
#define ZUN_LIST_H

#include "engine/zunModuleMemory.h"

// One node per stored item. The item may be null.
template <class T>
struct zunListNode {
    T* item;
    zunListNode* prev;
    zunListNode* next;

    ZUN_MODULE_ALLOCATED
};

// Doubly linked list of object pointers, oldest at the head. The list never
// owns its items by itself: the owner calls deleteAll (or a deleting removal)
// before the list ends; the list's own end releases nodes only.
//
// Walks run from the head and stop at the tail or at the first null item;
// contains() and remove() compare every node, null items included.
template <class T>
class zunList {
public:
    typedef zunListNode<T> Node;

    Node* head;
    Node* tail;
    int count;

    zunList() : head(nullptr), tail(nullptr), count(0) {}
    ~zunList() { releaseNodes(); }

    // Copies would share nodes; owners that copy list headers say so explicitly.
    zunList(const zunList&) = delete;
    zunList& operator=(const zunList&) = delete;

    // Adds a node holding `item` at the tail. Answers 0, leaving the list
    // unchanged, when no node can be allocated.
    int append(T* item)
    {
        Node* node = new Node;
        if (!node)
            return 0;
        node->item = item;
        node->prev = nullptr;
        node->next = nullptr;
        if (!head) {
            head = node;
            tail = node;
        } else {
            tail->next = node;
            node->prev = tail;
            tail = node;
        }
        ++count;
        return 1;
    }

    T* getAt(int index) const
    {
        if (index < 0 || index >= count)
            return nullptr;
        Node* node = head;
        for (int i = 0; i < index && node; ++i)
            node = node->next;
        return node ? node->item : nullptr;
    }

    // Visits items from the head until the tail or the first null item.
    template <class Visit>
    void walk(Visit visit) const
    {
        for (Node* node = head; node && node->item; node = node->next)
            visit(node->item);
    }

    int contains(const T* item) const { return findNode(item) ? 1 : 0; }

    // Unlinks the first node holding `item`; the item stays alive.
    void remove(const T* item)
    {
        if (Node* node = findNode(item))
            unlink(node);
    }

    // As remove(), then deletes the item when a node held it. Answers 1 when
    // a node was found.
    int deleteItem(T* item)
    {
        Node* node = findNode(item);
        if (!node)
            return 0;
        unlink(node);
        if (item)
            delete item;
        return 1;
    }

    // Unlinks the tail node and deletes its item. 0 on an empty list.
    int removeLast()
    {
        if (count == 0)
            return 0;
        if (!tail)
            return 1;
        T* item = tail->item;
        unlink(tail);
        if (item)
            delete item;
        return 1;
    }

    // Deletes every non-null item and releases every node.
    void deleteAll()
    {
        while (Node* node = head) {
            head = node->next;
            if (node->item)
                delete node->item;
            delete node;
        }
        head = nullptr;
        tail = nullptr;
        count = 0;
    }

    // Walks as walk() does; every item for which keep(item) answers 0 is
    // unlinked and deleted. The items that stay keep their order.
    template <class Keep>
    void deleteUnless(Keep keep)
    {
        Node* node = head;
        while (node && node->item) {
            Node* next = node->next;
            T* item = node->item;
            if (!keep(item)) {
                unlink(node);
                delete item;
            }
            node = next;
        }
    }

    // Takes over the header of `other` as it stands: both lists then refer to
    // the same nodes, and only one of them may change or release them.
    void shareNodesOf(const zunList& other)
    {
        head = other.head;
        tail = other.tail;
        count = other.count;
    }

    // Forgets the nodes without releasing them (the other side of shareNodesOf
    // or of a handover of the whole chain).
    void forgetNodes()
    {
        head = nullptr;
        tail = nullptr;
        count = 0;
    }

    // Moves every node of `other` to the end of this list; `other` ends empty.
    void takeNodesOf(zunList& other)
    {
        if (!other.head)
            return;
        if (!head) {
            head = other.head;
        } else {
            tail->next = other.head;
            other.head->prev = tail;
        }
        tail = other.tail;
        count += other.count;
        other.forgetNodes();
    }

private:
    Node* findNode(const T* item) const
    {
        for (Node* node = head; node; node = node->next)
            if (node->item == item)
                return node;
        return nullptr;
    }

    void unlink(Node* node)
    {
        if (node->prev)
            node->prev->next = node->next;
        else
            head = node->next;
        if (node->next)
            node->next->prev = node->prev;
        else
            tail = node->prev;
        delete node;
        --count;
    }

    void releaseNodes()
    {
        while (Node* node = head) {
            head = node->next;
            delete node;
        }
        forgetNodes();
    }
};

#endif

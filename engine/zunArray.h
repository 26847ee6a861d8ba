#ifndef ZUN_ARRAY_H
#define ZUN_ARRAY_H

#include "engine/zunModuleMemory.h"

// Growable array of pointers that never owns its elements. It grows by 16
// elements at a time and never shrinks.
template <class T>
class zunArray {
public:
    T** data;
    int count;
    int capacity;

    zunArray() : data(nullptr), count(0), capacity(0) {}
    ~zunArray() { zunModuleDelete(data); }

    zunArray(const zunArray&) = delete;
    zunArray& operator=(const zunArray&) = delete;

    // Appends one element. When no bigger block can be allocated the element
    // is not stored and the array is left as it was.
    void add(T* element)
    {
        if (count > capacity)
            return;
        if (count == capacity && !grow())
            return;
        data[count] = element;
        ++count;
    }

    ZUN_MODULE_ALLOCATED

private:
    enum { growthStep = 16 };

    int grow()
    {
        int newCapacity = capacity == 0 ? int(growthStep) : capacity + int(growthStep);
        T** block = static_cast<T**>(zunModuleNew(sizeof(T*) * static_cast<unsigned int>(newCapacity)));
        if (!block)
            return 0;
        int keep = count < newCapacity ? count : newCapacity;
        for (int i = 0; i < keep; ++i)
            block[i] = data[i];
        zunModuleDelete(data);
        data = block;
        capacity = newCapacity;
        return 1;
    }
};

#endif

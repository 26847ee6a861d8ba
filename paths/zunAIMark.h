#ifndef ZUN_AI_MARK_H
#define ZUN_AI_MARK_H

#include "engine/zunModuleMemory.h"
#include "host/cVector4.h"
#include "host/zunExport.h"

// One waypoint of a path.
class ZUNAI_API zunAIMark {
public:
    cVector4 position;

    explicit zunAIMark(cVector4& at);              // takes all four components
    zunAIMark(const zunAIMark& other);             // takes x, y, z; w = 1.0
    zunAIMark& operator=(const zunAIMark& other);  // takes all four components
    ~zunAIMark() {}

    void setPosition(cVector4& at) { position = at; }
    cVector4& getPosition() { return position; }

    ZUN_MODULE_ALLOCATED
};

#endif

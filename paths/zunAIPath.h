#ifndef ZUN_AI_PATH_H
#define ZUN_AI_PATH_H

#include "engine/zunList.h"
#include "engine/zunModuleMemory.h"
#include "host/cVector4.h"
#include "host/zunExport.h"
#include "paths/zunAIMark.h"

class zunScript;

// The answer of a distance query on a path without marks: the largest
// finite float (bits 0x7F7FFFFF).
constexpr float zunNoDistance = 0x1.fffffep+127f;

// An ordered chain of marks with a cursor and an active flag. The path owns
// its marks. Copies are deep: each copy owns marks of its own.
class ZUNAI_API zunAIPath {
public:
    int curMark;
    int active;
    zunList<zunAIMark> marks;

    zunAIPath();
    virtual ~zunAIPath();
    zunAIPath(const zunAIPath& other);
    zunAIPath& operator=(const zunAIPath& other);

    // Marks and cursor.
    void addMark(cVector4& position);       // a failed mark allocation appends a null item
    int deleteLastMark();
    int getNumMarks() { return marks.count; }
    zunAIMark* getMark(int index) { return marks.getAt(index); }
    zunAIMark* getLastMark();
    zunAIMark* getNextMark();
    int getCurMark() { return curMark; }
    void setCurMark(int index) { curMark = index; }
    void setActive(int flag) { active = flag; }
    int isActive() { return active; }

    // Distances from a point to the path's marks.
    float getMinDistanceToPath(cVector4& point);
    cVector4 getMinDistanceVectorToPath(cVector4& point, float& distance);
    float getDistanceToStart(cVector4& point);
    float getDistanceToEnd(cVector4& point);

    // Debug drawing: four parallel lines along the marks.
    void drawPath(unsigned long colour, float offset);

    // The path's mark statements for the path database file.
    int dumpToScript(int pathNumber, zunScript& script);

    ZUN_MODULE_ALLOCATED

private:
    void copyMarksOf(const zunAIPath& other);
};

#endif

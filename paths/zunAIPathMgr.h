#ifndef ZUN_AI_PATH_MGR_H
#define ZUN_AI_PATH_MGR_H

#include "engine/zunList.h"
#include "engine/zunModuleMemory.h"
#include "host/cVector4.h"
#include "host/zunExport.h"
#include "paths/zunAIPath.h"

class zunAIRouteObserver;   // route/zunAIRouteObserver.h

// The path manager: the path database (`paths`), the active routes, the
// in-game recording and selection slots, and a 16-bit random generator.
// One manager can serve as the database that another manager's route
// requests search. The manager owns every path in its two lists and the
// path being recorded. Copies are deep.
class ZUNAI_API zunAIPathMgr {
public:
    // Tuning of one chained route request.
    struct pathInfo {
        float firstJoinDist = 150.0f;   // join distance of the first pass
        float joinDist = 60.0f;         // join distance of later passes; closing link limit
        float minDot = -0.707f;         // least cosine between travel and path directions
        float maxHeightDiff = 4.0f;     // greatest height step onto a path
    };

    zunList<zunAIPath> paths;
    zunList<zunAIPath> activePaths;
    zunAIPath* newPath;
    zunAIPath* selectedPath;
    int rndSeed;
    int rndMul;

    zunAIPathMgr();
    ~zunAIPathMgr();
    zunAIPathMgr(const zunAIPathMgr& other);
    zunAIPathMgr& operator=(const zunAIPathMgr& other);

    // Registry (paths/zunAIPathRegistry.cpp).
    zunAIPath* getPath(int number);
    void addPath(zunAIPath* path);
    void addActivePath(zunAIPath* path);
    void deletePath(zunAIPath* path);
    void deleteAllPaths();
    int getNumPaths();
    float rnd();

    // Database file (paths/zunAIPathFile.cpp).
    int saveAllPaths();
    int loadPaths(char* name);

    // In-game editing (paths/zunAIPathEditing.cpp).
    int addNewMark(cVector4& position);
    int deleteLastMark();
    int saveNewPath();
    int selectClosestPath(cVector4& point);
    int deleteSelectedPath();

    // Debug drawing (paths/zunAIPathMgrDrawing.cpp).
    int drawPaths();
    int drawActivePaths();

    // Terrain probes (route/zunAIProbes.cpp).
    int validateTrace(cVector4& origin, cVector4& direction, cVector4& unused, float& clearLength, float length);
    int isBlocked(cVector4& origin, cVector4& direction, float length, int unused);
    int isBlockedHorzTurn(cVector4& origin, cVector4& direction, float length, float angle, int unused);
    int isBlockedVertScan(cVector4& origin, cVector4& span, cVector4& direction, float length, float angle,
                          int count, cVector4* hitOut);
    int isBlockedArrayScan(cVector4& centre, float width, float height, cVector4& direction, float length,
                           float angle, int cols, int rows, cVector4* hitOut);

    // A path walked out around obstacles, registered in `paths` (route/zunAIPathCreation.cpp).
    zunAIPath* getPath(cVector4& start, cVector4& goal);

    // A route chained from the stored paths of `pathDatabase`, registered in
    // this manager's `paths`; and a private copy of one stored path
    // (route/zunAIPathQuery.cpp).
    zunAIPath* getPath(cVector4& start, cVector4& goal, zunAIPathMgr& pathDatabase, pathInfo* info);
    zunAIPath* getCopyPath(int index);

    // The stored path that best leads from `from` towards `to` (route/zunAIBestPath.cpp).
    zunAIPath* findBestPath(cVector4& from, cVector4& to, cVector4& exitPoint, int& reversed, float maxJoinDist,
                            float minDot, zunAIPath* exclude, float maxHeightDiff);

    // The same three, telling `observer` every decision as it is made: the
    // verdict of each stored path, the passes, closing tests and end of a
    // chained request, the passes and end of a walk. The answer, the rays
    // cast and the allocations are those of the plain overloads, which
    // call these with no observer.
    zunAIPath* getPath(cVector4& start, cVector4& goal, zunAIRouteObserver* observer);
    zunAIPath* getPath(cVector4& start, cVector4& goal, zunAIPathMgr& pathDatabase, pathInfo* info,
                       zunAIRouteObserver* observer);
    zunAIPath* findBestPath(cVector4& from, cVector4& to, cVector4& exitPoint, int& reversed, float maxJoinDist,
                            float minDot, zunAIPath* exclude, float maxHeightDiff, zunAIRouteObserver* observer);

    ZUN_MODULE_ALLOCATED

protected:
    cVector4 validateHeight(cVector4& point);
    zunAIPath* createPath(cVector4& start, cVector4& goal);
    zunAIPath* createPath(cVector4& start, cVector4& goal, zunAIRouteObserver* observer);
};

#endif

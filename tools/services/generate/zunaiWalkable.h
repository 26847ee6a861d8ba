#ifndef ZUNAI_WALKABLE_H
#define ZUNAI_WALKABLE_H

// The walkable surface of a level: the level's triangles voxelised, split
// into regions and turned into a polygon mesh for an agent of a given size,
// with a query object over it for paths, nearest points and heights.

#include <memory>
#include <string>

#include "zunaiLevelMesh.h"

class dtNavMesh;
class dtNavMeshQuery;

// The agent the surface is made for, in world units and degrees. The
// defaults suit the module's scale: a character about 50 tall and 20 wide
// that steps 8.
struct zunaiAgent {
    float height = 50.0f;      // clearance needed under a ceiling
    float radius = 10.0f;      // distance kept from walls and edges
    float stepHeight = 8.0f;   // greatest ledge climbed
    float maxSlope = 40.0f;    // steepest walkable slope
    float cellSize = 4.0f;     // horizontal voxel size
    float cellHeight = 1.0f;   // vertical voxel size
};

// Empty when the agent is usable, else what is wrong with it.
std::string zunaiAgentProblem(const zunaiAgent& agent);

class zunaiWalkable {
public:
    // Builds the surface; polygons() is 0 when nothing is walkable for the
    // agent. Throws zunaiError when the agent is unusable or the build
    // runs out of memory.
    zunaiWalkable(const zunaiLevelMesh& level, const zunaiAgent& agent);
    ~zunaiWalkable();
    zunaiWalkable(const zunaiWalkable&) = delete;
    zunaiWalkable& operator=(const zunaiWalkable&) = delete;

    int polygons() const { return polygonCount; }
    double area() const { return walkableArea; }   // horizontal area, square units
    dtNavMesh* mesh() const { return navMesh; }
    dtNavMeshQuery* query() const { return navQuery; }

private:
    int polygonCount = 0;
    double walkableArea = 0.0;
    dtNavMesh* navMesh = nullptr;
    dtNavMeshQuery* navQuery = nullptr;
};

// Between the level's z-up coordinates and the surface's own (y up).
inline void zunaiToSurface(const zunaiPoint& p, float out[3])
{
    out[0] = p.x;
    out[1] = p.z;
    out[2] = -p.y;
}

inline zunaiPoint zunaiFromSurface(const float in[3])
{
    return zunaiPoint{in[0], -in[2], in[1]};
}

#endif

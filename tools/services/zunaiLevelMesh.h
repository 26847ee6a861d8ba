#ifndef ZUNAI_LEVEL_MESH_H
#define ZUNAI_LEVEL_MESH_H

// The level's triangles as the tool holds them: z up, in the module's units.
// The same triangles feed the stand-in's ray test and the pictures.

#include <vector>

#include "zunaiPoint.h"

struct zunaiTriangle {
    zunaiPoint corner[3];
};

struct zunaiLevelMesh {
    std::vector<zunaiTriangle> triangles;
    zunaiPoint min, max;   // bounds of the corners; both (0, 0, 0) without triangles
};

// Sets mesh.min and mesh.max from the triangles' corners.
void zunaiMeasureMesh(zunaiLevelMesh& mesh);

// The stand-in's level replaced by the mesh's triangles.
void zunaiLoadIntoStandIn(const zunaiLevelMesh& mesh);

#endif

#ifndef ZUNAI_LEVEL_MESH_H
#define ZUNAI_LEVEL_MESH_H

// The level's triangles as the tool draws them. The stand-in keeps its own
// copy for the ray test; this one is read from the same OBJ file.

#include <string>
#include <vector>

#include "zunaiPoint.h"

struct zunaiTriangle {
    zunaiPoint corner[3];
};

struct zunaiLevelMesh {
    std::vector<zunaiTriangle> triangles;
};

// Reads the vertices and faces of a Wavefront OBJ text (polygons fanned from
// their first corner, negative indices counted back, everything else
// ignored). False, mesh untouched, when a vertex or face line is malformed.
bool zunaiParseObj(const std::string& text, zunaiLevelMesh& mesh);

#endif

// The level's triangles: bounds, and the stand-in's copy for the ray test.

#include "zunaiLevelMesh.h"

#include <algorithm>

#include "standin/zunStandIn.h"

static_assert(sizeof(zunaiTriangle) == 9 * sizeof(float), "a triangle is nine floats, as the stand-in takes them");

void zunaiMeasureMesh(zunaiLevelMesh& mesh)
{
    mesh.min = mesh.max = zunaiPoint{};
    bool first = true;
    for (const zunaiTriangle& t : mesh.triangles)
        for (const zunaiPoint& c : t.corner) {
            if (first) {
                mesh.min = mesh.max = c;
                first = false;
            }
            mesh.min = zunaiPoint{std::min(mesh.min.x, c.x), std::min(mesh.min.y, c.y), std::min(mesh.min.z, c.z)};
            mesh.max = zunaiPoint{std::max(mesh.max.x, c.x), std::max(mesh.max.y, c.y), std::max(mesh.max.z, c.z)};
        }
}

void zunaiLoadIntoStandIn(const zunaiLevelMesh& mesh)
{
    zunStandIn::setLevel(mesh.triangles.empty() ? nullptr : &mesh.triangles.front().corner[0].x,
                         static_cast<int>(mesh.triangles.size()));
}

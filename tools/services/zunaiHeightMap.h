#ifndef ZUNAI_HEIGHT_MAP_H
#define ZUNAI_HEIGHT_MAP_H

// A large level's top view as a raster: each pixel the height shade of the
// highest surface over it, lit from the north-west so that slopes and
// edges show; transparent where there is nothing. Encoded as PNG, it keeps
// the picture of a level of a million triangles small and quick to render.

#include <string>
#include <vector>

#include "zunaiLevelMesh.h"

struct zunaiRasterWindow {
    double minX = 0, maxY = 0;      // world point of the top left corner
    double unitsPerPixel = 1;
    int width = 0, height = 0;      // pixels
    double minZ = 0, maxZ = 0;      // heights of the lightest and darkest shade
};

// The PNG file's bytes. Throws zunaiError when the image cannot be made.
std::string zunaiHeightMapPng(const std::vector<const zunaiTriangle*>& faces, const zunaiRasterWindow& window);

#endif

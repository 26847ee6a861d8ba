#ifndef ZUNAI_SVG_H
#define ZUNAI_SVG_H

// The tool's picture: a top-down view of the level (x to the right, y up)
// on a labelled coordinate grid, shaded by height, with the stored paths
// where and in the colours the module draws them (numbered at their first
// mark, arrows for their direction), the routes in colours of their own,
// a legend and a scale bar.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "zunaiCapture.h"
#include "zunaiLevelMesh.h"
#include "zunaiPictureStyle.h"
#include "zunaiRoutes.h"

struct zunaiSvgRoute {
    zunaiDrawnPath drawn;        // as drawActivePaths drew it; points empty when it drew nothing
    zunaiWay way = zunaiWay::Chained;
    int request = 0;             // number of the request, from 1, for labels
    std::string label;           // legend text
    std::optional<zunaiPoint> from, to;   // the request's start and goal: legs to and from the route, dotted
};

struct zunaiSvgEnd {
    zunaiPoint at;
    int request = 0;
    bool goal = false;           // false: a start
};

// X0,Y0,X1,Y1: the part of the world the picture shows.
struct zunaiRegion {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// Levels with more faces to draw than this are drawn as a height map raster.
constexpr std::size_t zunaiRasterAbove = 30000;

struct zunaiSvgScene {
    std::string title;
    const zunaiLevelMesh* mesh = nullptr;
    std::vector<zunaiDrawnPath> stored;    // as drawPaths drew them
    std::vector<zunaiSvgRoute> routes;
    std::vector<zunaiSvgEnd> ends;
    std::optional<zunaiRegion> region;     // --region; else all of the level and the paths
    std::optional<double> floor;           // --floor Z: geometry and paths of one floor only
    std::size_t rasterAbove = zunaiRasterAbove;
};

// Classes the picture's parts carry, for tests and the editor's page:
// "stored-path" and "route chained"/"route walked" polylines (nothing else
// is a polyline), "route-leg" lines, "arrow" paths, "path-number" and
// "grid-label" texts, "grid-line" lines, "mark" circles with a <title>
// telling their position, "level-face" polygons or one "height-map" image.
std::string zunaiRenderSvg(const zunaiSvgScene& scene);

std::string zunaiXmlEscape(const std::string& text);

#endif

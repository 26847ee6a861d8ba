#ifndef ZUNAI_SVG_H
#define ZUNAI_SVG_H

// The tool's picture: a top-down view of the level (x to the right, y up),
// shaded by height, with the stored paths and the routes drawn where and in
// the colours the module draws them, a legend and a scale bar.

#include <string>
#include <vector>

#include "zunaiCapture.h"
#include "zunaiLevelMesh.h"
#include "zunaiRoutes.h"

struct zunaiSvgRoute {
    zunaiDrawnPath drawn;        // as drawActivePaths drew it; points empty when it drew nothing
    zunaiWay way = zunaiWay::Chained;
    int request = 0;             // number of the request, from 1, for labels
    std::string label;           // legend text
};

struct zunaiSvgEnd {
    zunaiPoint at;
    int request = 0;
    bool goal = false;           // false: a start
};

struct zunaiSvgScene {
    std::string title;
    const zunaiLevelMesh* mesh = nullptr;
    std::vector<zunaiDrawnPath> stored;    // as drawPaths drew them
    std::vector<zunaiSvgRoute> routes;
    std::vector<zunaiSvgEnd> ends;
};

// One <polyline> per drawn path: class "stored-path" for the stored paths,
// "route" for the routes. Nothing else in the picture is a polyline.
std::string zunaiRenderSvg(const zunaiSvgScene& scene);

std::string zunaiFormatColour(unsigned long colour);   // "#rrggbb"
std::string zunaiXmlEscape(const std::string& text);

#endif

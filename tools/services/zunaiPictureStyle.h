#ifndef ZUNAI_PICTURE_STYLE_H
#define ZUNAI_PICTURE_STYLE_H

// The look of the tool's pictures, shared by every front end that draws a
// level (the command line's SVG and PNG, the editor's page): the height
// shades, the coordinate grid's steps, the colours of routes, and the band
// of heights that makes up one floor.

#include <string>
#include <vector>

struct zunaiRgb {
    double r = 0, g = 0, b = 0;
};

// Ground to wall tops, t from 0 (lowest) to 1 (highest): pale stone, sand,
// grey-brown, dark slate.
zunaiRgb zunaiHeightShade(double t);
std::string zunaiHex(const zunaiRgb& colour);         // "#rrggbb"
std::string zunaiFormatColour(unsigned long colour);  // 0x00RRGGBB as "#rrggbb"

// Stops of the height shades, for a gradient: offset and colour.
struct zunaiShadeStop {
    double at;
    zunaiRgb colour;
};
const std::vector<zunaiShadeStop>& zunaiHeightStops();

// A round step for grid lines (1, 2 or 5 times a power of ten) that cuts
// `span` into about `lines` parts.
double zunaiGridStep(double span, int lines = 8);

// Colours for `count` routes, each as far as can be from the stored paths'
// colours in the picture and from the routes before it: routes are never
// mistaken for stored paths, whatever colours the module gave those.
std::vector<unsigned long> zunaiRouteColours(const std::vector<unsigned long>& storedColours, int count);

// Distance of two colours, 0 to ~765: red, green and blue weighted as the
// eye tells them apart.
double zunaiColourDistance(unsigned long a, unsigned long b);

// One floor, for --floor Z: level geometry from this far below Z up to this
// far above it (a character is about 50 tall; what is higher is the ceiling).
constexpr double zunaiFloorBelow = 10.0;
constexpr double zunaiFloorAbove = 40.0;

#endif

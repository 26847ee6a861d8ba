#ifndef ZUNAI_GROUND_H
#define ZUNAI_GROUND_H

// Ground queries: the floors below a point (every surface a ray cast
// straight down meets), and points given on the ground put where a stored
// mark would stand. The rays go through the host's ray test, so they meet
// the level the module sees.

#include <optional>
#include <string>
#include <vector>

#include "zunaiLevelMesh.h"
#include "zunaiPoint.h"

// A stored mark hovers this far above the ground below it.
constexpr float zunaiHoverHeight = 24.7f;
// A point given higher than this above the floor below it, or lower than
// the least height the module's hover rule accepts, is likely a mistake.
constexpr float zunaiHighAboveFloor = 30.0f;
constexpr float zunaiLowAboveFloor = 19.7f;

struct zunaiFloor {
    float ground = 0.0f;   // where the downward ray met a surface
    float mark = 0.0f;     // ground + zunaiHoverHeight
};

// The floors at (x, y), highest first: below `fromZ`, or from above the
// whole level when it is absent.
std::vector<zunaiFloor> zunaiFloorsBelow(const zunaiLevelMesh& level, float x, float y,
                                         std::optional<float> fromZ = std::nullopt);

// A point as the user gives it: X,Y (on the ground) or X,Y,Z.
struct zunaiPointInput {
    float x = 0.0f, y = 0.0f;
    std::optional<float> z;
};

// Reads "X,Y" or "X,Y,Z" (finite numbers, no blanks needed); false otherwise.
bool zunaiReadPointInput(const std::string& text, zunaiPointInput& point);

struct zunaiPlacedPoint {
    zunaiPoint at;
    std::string warning;   // one line, empty when the point looks right
};

// X,Y: on the first floor met from above, at the hover height (zunaiError
// "no ground at X,Y" where the ray meets nothing). X,Y,Z: as given, with a
// warning when it lies inside the level's geometry (an odd number of
// surfaces above it), has no floor below it, or stands more than
// zunaiHighAboveFloor or less than zunaiLowAboveFloor above the floor below it.
zunaiPlacedPoint zunaiPlacePoint(const zunaiLevelMesh& level, const zunaiPointInput& point);

// What `zunai probe` answers: the floors below the point (from above the
// level for X,Y), and the warning a route request would give for it.
struct zunaiProbe {
    zunaiPointInput point;
    std::vector<zunaiFloor> floors;
    std::string warning;
};
zunaiProbe zunaiProbePoint(const zunaiLevelMesh& level, const zunaiPointInput& point);

// "12.5,-3,44.7": a point as the user would write it.
std::string zunaiFormatPoint(const zunaiPointInput& point);

#endif

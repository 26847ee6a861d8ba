// Debug drawing of the manager's paths. Every call starts the colour
// sequence afresh, so a path keeps its colour while the lists don't change.
#include "paths/zunAIPathColours.h"
#include "paths/zunAIPathMgr.h"

namespace {

const unsigned long recordingColour = 0xFFFFFFul;   // white
const unsigned long selectionColour = 0xFFFF00ul;   // yellow
const float firstActiveOffset = 0.2f;
const float activeOffsetStep = 0.2f;

} // namespace

// The database in its colour sequence, then the recording in white and the
// selection in yellow over its own lines.
int zunAIPathMgr::drawPaths()
{
    unsigned long colour = pathColourSeed;
    paths.walk([&](zunAIPath* path) {
        path->drawPath(colour, 0.0f);
        colour = nextPathColour(colour);
    });
    if (newPath)
        newPath->drawPath(recordingColour, 0.0f);
    if (selectedPath)
        selectedPath->drawPath(selectionColour, 0.0f);
    return 1;
}

// The active routes, then the active paths of the database, each list with
// its own colour sequence and offsets growing by 0.2 from 0.2.
int zunAIPathMgr::drawActivePaths()
{
    if (activePaths.count != 0) {
        unsigned long colour = pathColourSeed;
        float offset = firstActiveOffset;
        activePaths.walk([&](zunAIPath* path) {
            path->drawPath(colour, offset);
            colour = nextPathColour(colour);
            offset = offset + activeOffsetStep;
        });
    }
    if (paths.count != 0) {
        unsigned long colour = pathColourSeed;
        float offset = firstActiveOffset;
        paths.walk([&](zunAIPath* path) {
            if (!path->active)
                return;
            path->drawPath(colour, offset);
            colour = nextPathColour(colour);
            offset = offset + activeOffsetStep;
        });
    }
    return 1;
}

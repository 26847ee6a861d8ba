#ifndef ZUNAI_CAPTURE_H
#define ZUNAI_CAPTURE_H

// What the module draws, as the stand-in captured it, told apart by path:
// drawPath draws 4 x (n - 1) lines for the n marks it walks, in list order,
// so the captured lines split into one run per drawn path.

#include <vector>

#include "zunAI.h"
#include "zunaiPoint.h"

struct zunaiDrawnPath {
    int number = 0;                      // place in its list (paths or activePaths)
    unsigned long colour = 0;            // as drawn, 0x00RRGGBB
    std::vector<zunaiPoint> points;      // the first line of each segment, end to end
    std::vector<zunaiPoint> marks;       // the marks that were drawn
};

// mgr.drawPaths(): every path of `paths`, then the recording and the
// selection (numbers -1 and the selection's place). Paths that draw nothing
// (fewer than two marks) are left out. Throws zunaiError when the captured
// lines don't split as they should.
std::vector<zunaiDrawnPath> zunaiDrawStoredPaths(zunAIPathMgr& mgr);

// mgr.drawActivePaths(): `activePaths`, then the active members of `paths`
// (numbered by their place in `paths`).
std::vector<zunaiDrawnPath> zunaiDrawActivePaths(zunAIPathMgr& mgr);

// The place of `path` in `list`, counted from 0; -1 when it isn't there.
int zunaiPlaceIn(zunList<zunAIPath>& list, zunAIPath* path);

#endif

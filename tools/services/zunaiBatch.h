#ifndef ZUNAI_BATCH_H
#define ZUNAI_BATCH_H

// Batches: many route requests from a file, one summary, expectations that
// can fail (so that a level's routes can be checked in CI).
//
// One request a line: `route|walk FROM TO [expect=reach|found|none]
// [first-join=D join=D min-dot=C max-height-diff=H]`; `#` starts a comment;
// blank lines are skipped. Points are X,Y,Z, or X,Y on the ground.

#include <string>
#include <vector>

#include "zunaiGame.h"
#include "zunaiJson.h"
#include "zunaiRoutes.h"

struct zunaiBatchRequest {
    int line = 0;
    zunaiRequest request;
    zunAIPathMgr::pathInfo tuning;
    std::string expect;   // "reach", "found", "none", or empty
};

struct zunaiBatchResult {
    zunaiBatchRequest asked;
    zunaiRouteResult route;
    bool holds = true;       // the expectation (true without one)
    double straight = 0.0;   // start to goal, straight
    double seconds = 0.0;
};

struct zunaiBatchReport {
    std::vector<zunaiBatchResult> results;
    int found = 0, reached = 0, failedExpectations = 0;
    long long rays = 0;
    double seconds = 0.0;
    double lengthOverStraight = 0.0;   // mean over the routes found with marks
    bool failed() const { return failedExpectations > 0; }
};

// Reads a batch file's text; `file` names it in errors ("FILE, line N: ...").
// X,Y points are put on the ground of `level`. Throws zunaiError.
std::vector<zunaiBatchRequest> zunaiReadBatch(const std::string& text, const std::string& file,
                                              const zunaiLevelMesh& level);

zunaiBatchReport zunaiRunBatch(zunaiSession& session, const std::vector<zunaiBatchRequest>& requests);

zunaiJson zunaiBatchJson(const zunaiBatchReport& report);

#endif

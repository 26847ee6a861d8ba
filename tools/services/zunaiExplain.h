#ifndef ZUNAI_EXPLAIN_H
#define ZUNAI_EXPLAIN_H

// Why a route came out as it did, in the module's own words: the request is
// run once, with an observer that writes down every decision the module
// makes (zunAIRouteObserver), so the route explained is the route asked
// for, with the same marks and rays.

#include <string>
#include <vector>

#include "zunaiGame.h"
#include "zunaiJson.h"
#include "zunaiRoutes.h"

// One stored path as a candidate of one search. `path` is its number in
// the database as loaded. `verdict`: the first test that dropped it
// ("excluded", "marks", "height", "direction", "goal-direction", "join",
// "slope", "sight", "probe"), or "scored" ("chosen" for the one taken).
struct zunaiCandidateExplained {
    int path = 0;
    std::string verdict;
    float score = 0.0f;       // scored and chosen only
    float entryDistance = 0;  // from the search's point to the path's nearer end
    float entryRise = 0;      // that end's height above the point
};

struct zunaiSearchExplained {
    int chosen = -1;   // path number; -1 for none
    std::vector<zunaiCandidateExplained> candidates;
};

struct zunaiClosingExplained {
    bool tested = false;
    bool holds = false;
    std::string reason;          // "length", "height", "sight", "probe"; empty when it holds
    zunaiPoint startEnd, goalEnd;   // the two open ends it tried to join
};

struct zunaiPassExplained {
    int pass = 0;
    float joinDist = 0.0f;
    zunaiSearchExplained goalSide, startSide;
    zunaiClosingExplained closing;
};

// A pass of a walk: the direct test was clear, or the sweep chose a
// candidate (angle in degrees from the heading, positive turning clockwise
// seen from above) and stepped ("long", "short"; empty when hemmed in).
struct zunaiWalkPassExplained {
    int pass = 0;
    bool direct = false;
    float angle = 0.0f, clearance = 0.0f, score = 0.0f;
    std::string step;
};

struct zunaiExplanation {
    zunaiRouteResult route;
    zunAIPathMgr::pathInfo tuning;                 // of a chained request
    std::vector<zunaiPassExplained> passes;        // chained
    std::vector<zunaiWalkPassExplained> walkPasses;   // walked
    std::string end;   // chained: "closed", "same-path", "swap", "both-empty", "ten-passes", "empty-database";
                       // walked: "direct", "near", "arrived", "thirty-passes", "hemmed-in"
};

// Runs the request (as zunaiRunRequest does) and explains it.
zunaiExplanation zunaiExplainRequest(zunaiSession& session, const zunaiRequest& request,
                                     const zunAIPathMgr::pathInfo& tuning = zunAIPathMgr::pathInfo());

// The fields of the route's JSON, plus "passes" and "end".
zunaiJson zunaiExplanationJson(const zunaiExplanation& explanation);

// For a designer: per pass, the paths each side chose, the dropped ones
// grouped by reason, the three best scored, the closing test; the end; and
// one line on what would have had to be different for a failed request.
std::string zunaiExplanationText(const zunaiExplanation& explanation);

// That one line alone (empty when the route reached its goal).
std::string zunaiExplanationHint(const zunaiExplanation& explanation);

#endif

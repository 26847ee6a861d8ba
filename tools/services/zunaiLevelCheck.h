#ifndef ZUNAI_LEVEL_CHECK_H
#define ZUNAI_LEVEL_CHECK_H

// A path database checked against its level, with the module's own probes:
// marks the hover rule would move ("height"), marks with no ground below
// ("no-ground"), links blocked for the ground probe ("blocked-link"), paths
// nothing can join or be joined from ("isolated"); and the groups of paths
// that can chain into each other.

#include <string>
#include <vector>

#include "zunaiCheck.h"
#include "zunaiJson.h"

struct zunaiProblem {
    std::string kind;   // "height", "no-ground", "blocked-link", "isolated"
    int path = 0;       // as the file numbers it
    int mark = -1;      // as the file numbers it; -1 for a problem of the whole path
    int line = 0;       // of the mark's X statement, or of the path's first statement
    std::string message;
};

struct zunaiLevelCheckReport {
    std::vector<zunaiProblem> problems;
    // Paths (file numbers) that can chain into each other, each group
    // sorted, groups by their first path.
    std::vector<std::vector<int>> groups;
};

// Checks the paths of `report` (the marks loading gives them) against the
// level loaded into the stand-in's ray test. The paths are put into a path
// manager of the module as loading would, and every probe is the module's:
// the hover rule (validateHeight), the ground ray (isBlocked, 30 down), the
// grid probe (isBlockedArrayScan, nine rays from 12 below), and joins as path
// selection makes them in the passes after the first (findBestPath with
// join distance 60, height difference 4). Joins are tested from every path
// end to every other path; the direction tests, which depend on a
// request's goal, are left out (minimum cosine -2).
zunaiLevelCheckReport zunaiCheckLevel(const zunaiCheckReport& report);

// Adds "problems" and "groups" to a check report's JSON.
void zunaiAddLevelCheckJson(zunaiJson& json, const zunaiLevelCheckReport& level);

#endif

#ifndef ZUN_GOLDEN_STAND_IN_H
#define ZUN_GOLDEN_STAND_IN_H

// The golden scenes played on the stand-in host through its controls
// (standin/zunStandIn.h); `sampleDir` is the sample game directory.

#include <string>
#include <vector>

// The record's lines as the scenes write them.
std::vector<std::string> zunGoldenLinesOnStandIn(const std::string& sampleDir);

#endif

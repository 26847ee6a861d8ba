#ifndef ZUNAI_JSON_H
#define ZUNAI_JSON_H

// The services' results as JSON, for every front end alike (the command
// line's --json, the editor's API). Keys keep the order they are written in.

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "zunaiCapture.h"
#include "zunaiCheck.h"
#include "zunaiPoint.h"
#include "zunaiRoutes.h"

using zunaiJson = nlohmann::ordered_json;

struct zunaiProbe;

// A measure rounded to 1/1000, integral values as integers, null when not finite.
zunaiJson zunaiJsonNumber(double number);

// A float in its shortest form (24.7f is 24.7), integral values as integers.
zunaiJson zunaiJsonFloat(float number);

// [x, y, z], each in its shortest float form.
zunaiJson zunaiJsonPoint(const zunaiPoint& p);

// One line of compact JSON; bytes that aren't UTF-8 are replaced, never fatal.
std::string zunaiJsonText(const zunaiJson& json);

// {"error": message}
zunaiJson zunaiJsonError(const std::string& message);

zunaiJson zunaiRouteJson(const zunaiRouteResult& result);
zunaiJson zunaiDrawnPathsJson(const std::vector<zunaiDrawnPath>& paths);
zunaiJson zunaiCheckReportJson(const zunaiCheckReport& report);

// {"x", "y", ("z",) "floors": [{"ground", "mark"}], ("warning")}, floors from the highest down,
// heights to 1/1000 (the ray test's rounding left out).
zunaiJson zunaiProbeJson(const zunaiProbe& probe);

#endif

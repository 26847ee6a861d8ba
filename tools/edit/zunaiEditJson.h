#ifndef ZUNAI_EDIT_JSON_H
#define ZUNAI_EDIT_JSON_H

// The editor's JSON: requests read into the editing service's terms, and
// its answers written out. Reading throws zunaiError naming what is wrong.

#include <nlohmann/json.hpp>
#include <string>

#include "zunaiEditor.h"

// A request body: empty, or one JSON object.
nlohmann::json zunaiEditBody(const std::string& body);

// `field` of `body`: [x, y] (on the ground) or [x, y, z].
zunaiPointInput zunaiEditReadPoint(const nlohmann::json& body, const char* field);

// {"from", "to", "kind": "chained"|"walked", "firstJoin", "join", "minDot", "maxHeightDiff"}
zunaiEditRoute zunaiEditReadRoute(const nlohmann::json& body);

// `field` of `body` as a flag; `fallback` when absent.
bool zunaiEditReadFlag(const nlohmann::json& body, const char* field, bool fallback);

nlohmann::json zunaiEditJsonPoint(const zunaiPoint& p);
nlohmann::json zunaiEditJsonState(const zunaiEditorState& state);
nlohmann::json zunaiEditJsonRoute(const zunaiRouteResult& route);
nlohmann::json zunaiEditJsonProbe(const zunaiProbe& probe);
// {"triangles": [x, y, z, x, y, z, x, y, z, ...]}, written directly: a
// level can have millions of corners.
std::string zunaiEditLevelText(const zunaiLevelMesh& level);

#endif

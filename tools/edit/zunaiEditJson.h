#ifndef ZUNAI_EDIT_JSON_H
#define ZUNAI_EDIT_JSON_H

// The editor's JSON: requests read into the editing service's terms, and
// its answers written out. Reading throws zunaiError naming what is wrong.

#include <string>

#include "zunaiEditor.h"
#include "zunaiJson.h"

// A request body: empty, or one JSON object.
zunaiJson zunaiEditBody(const std::string& body);

// `field` of `body`: [x, y] (on the ground) or [x, y, z].
zunaiPointInput zunaiEditReadPoint(const zunaiJson& body, const char* field);

// {"from", "to", "kind": "chained"|"walked", "firstJoin", "join", "minDot", "maxHeightDiff"}
zunaiEditRoute zunaiEditReadRoute(const zunaiJson& body);

// `field` of `body` as a flag; `fallback` when absent.
bool zunaiEditReadFlag(const zunaiJson& body, const char* field, bool fallback);

zunaiJson zunaiEditJsonState(const zunaiEditorState& state);
// As `route --explain --json`, with "kind" as the request named it, and the
// explanation for a designer ("text", "hint").
zunaiJson zunaiEditJsonRoute(const zunaiExplanation& route);
// As `check --level --json`, each problem with "at", the place of its mark
// (the path's first for a problem of a whole path).
zunaiJson zunaiEditJsonCheck(const zunaiEditor::Check& check);
// {"triangles": [x, y, z, x, y, z, x, y, z, ...]}, written directly: a
// level can have millions of corners.
std::string zunaiEditLevelText(const zunaiLevelMesh& level);

#endif

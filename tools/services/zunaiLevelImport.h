#ifndef ZUNAI_LEVEL_IMPORT_H
#define ZUNAI_LEVEL_IMPORT_H

// Levels made elsewhere, read into the tool's triangles: Wavefront OBJ and
// glTF 2.0 (.gltf, .glb) through the importer library, turned z up and
// scaled into the module's units.

#include <filesystem>
#include <string>

#include "zunaiLevelMesh.h"

enum class zunaiUp { Z, Y };

struct zunaiImportOptions {
    zunaiUp up = zunaiUp::Z;   // y: (x, y, z) -> (x, -z, y)
    double scale = 1.0;        // applied after turning
};

// Whether the file's extension is one a game's level is looked for by.
bool zunaiIsLevelFile(const std::filesystem::path& file);

// Reads `file` (named `shown` in messages) into triangles, every polygon
// fanned into triangles and every node's placement applied. Throws
// zunaiError naming the file, the line where there is one, and the reason:
// unreadable, malformed (an OBJ face's vertex index out of range, a vertex
// coordinate that is no number), or without a single triangle.
zunaiLevelMesh zunaiImportLevel(const std::filesystem::path& file, const std::string& shown,
                                const zunaiImportOptions& options);

// The OBJ checks above on a file's text alone; empty when it passes, else
// "line N: reason".
std::string zunaiCheckObjText(const std::string& text);

// 8950 -> "8,950".
std::string zunaiGroupDigits(long long value);

#endif

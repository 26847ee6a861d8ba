#ifndef ZUNAI_TEST_LEVELS_H
#define ZUNAI_TEST_LEVELS_H

// Levels built by program, of the kinds a generated database must serve:
// open terrain with slopes and rocks, rooms joined by corridors under a
// ceiling, a building of three storeys joined by a ramp and stairs, a maze;
// and a large terrain for timing. Z up, the module's scale.

#include <filesystem>
#include <string>

#include "zunaiLevelMesh.h"

enum class zunaiTestLevelKind { Terrain, Rooms, Storeys, Maze, LargeTerrain };

struct zunaiTestLevel {
    std::string name;
    zunaiLevelMesh mesh;
    zunaiPoint spawn;   // a point on the ground where a character starts
};

// `seed` varies the maze and the rocks; the same seed gives the same level.
zunaiTestLevel zunaiMakeTestLevel(zunaiTestLevelKind kind, unsigned seed = 1);

// The level as Wavefront OBJ text.
std::string zunaiObjText(const zunaiLevelMesh& mesh);

// A game directory at `dir` holding the level alone: bin/ and
// data/levels/NAME.obj. Throws zunaiError when it can't be written.
void zunaiWriteTestGame(const std::filesystem::path& dir, const zunaiTestLevel& level);

#endif

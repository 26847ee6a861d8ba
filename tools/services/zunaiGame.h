#ifndef ZUNAI_GAME_H
#define ZUNAI_GAME_H

// A game directory and what the tool loads from it: the level (into the
// stand-in's ray test, and as triangles for pictures) and the path database
// (through the module, from DIR/bin as the game would).

#include <filesystem>
#include <string>

#include "zunAI.h"
#include "zunaiLevelImport.h"
#include "zunaiLevelMesh.h"

struct zunaiGame {
    std::filesystem::path startDir;   // where the tool was started
    std::filesystem::path dir;        // the game directory, absolute
    std::filesystem::path bin;        // DIR/bin, the game's working directory
    std::filesystem::path level;      // the level's file (OBJ, glTF), absolute
    zunaiImportOptions import;        // how its coordinates become the module's
    std::filesystem::path database;   // DIR/data/memory/levels/paths.qzt

    std::string show(const std::filesystem::path& path) const;   // for messages and tables
};

// Where the game directory and its level are to be found: empty strings
// mean the defaults (the sample; the one level file in DIR/data/levels).
struct zunaiGameOptions {
    std::string game;
    std::string level;
    zunaiImportOptions import;        // --up, --scale: how its coordinates become the module's
};

// The game's database as loadPaths names it from bin/.
extern const char* const zunaiDatabaseName;

// Finds the game directory (--game, or the sample: ./samples/courtyard,
// else the sample of the source tree the tool was built from) and its level
// (--level, or the one .obj, .gltf or .glb in DIR/data/levels). Throws zunaiError.
// `needLevel` false skips the level (check needs none).
zunaiGame zunaiFindGame(const zunaiGameOptions& options, bool needLevel);

// The stand-in reset and loaded with the level, the working directory moved
// to DIR/bin (and back at the end), and the database loaded by the module
// into `database`. Routes asked for go to `routes`.
class zunaiSession {
public:
    zunaiSession(const zunaiGame& game, bool needDatabase);
    ~zunaiSession();
    zunaiSession(const zunaiSession&) = delete;
    zunaiSession& operator=(const zunaiSession&) = delete;

    const zunaiGame& game;
    zunaiLevelMesh mesh;
    zunAIPathMgr database;
    zunAIPathMgr routes;
    bool databaseLoaded = false;
    int databaseMarks = 0;

private:
    struct WorkingDir {
        std::filesystem::path back;
        ~WorkingDir();
    } workingDir;
};

#endif

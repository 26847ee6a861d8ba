// Game directories: finding them, and loading level and database the way
// the game does.

#include "zunaiGame.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "standin/zunStandIn.h"
#include "zunaiError.h"
#include "zunaiFiles.h"

namespace fs = std::filesystem;

#ifndef ZUNAI_SAMPLE_DIR
#define ZUNAI_SAMPLE_DIR "samples/courtyard"
#endif

const char* const zunaiDatabaseName = "levels\\paths.qzt";

std::string zunaiGame::show(const fs::path& path) const
{
    return zunaiDisplayPath(path, startDir);
}

namespace {

fs::path defaultGameDir(const fs::path& startDir)
{
    std::error_code ec;
    const fs::path local = startDir / "samples" / "courtyard";
    if (fs::is_directory(local / "bin", ec))
        return local;
    return fs::path(ZUNAI_SAMPLE_DIR);
}

fs::path defaultLevel(const zunaiGame& game)
{
    const fs::path levels = game.dir / "data" / "levels";
    std::error_code ec;
    std::vector<fs::path> found;
    if (fs::is_directory(levels, ec)) {
        for (const auto& entry : fs::directory_iterator(levels, ec)) {
            std::error_code fileEc;
            if (zunaiIsLevelFile(entry.path()) && entry.is_regular_file(fileEc))
                found.push_back(entry.path());
        }
    }
    if (found.empty())
        throw zunaiError{"no level (*.obj, *.gltf, *.glb) in " + game.show(levels) + "; give one with --level FILE"};
    if (found.size() > 1)
        throw zunaiError{std::to_string(found.size()) + " levels in " + game.show(levels) +
                         "; choose one with --level FILE"};
    return found.front();
}

} // namespace

zunaiGame zunaiFindGame(const zunaiGameOptions& options, bool needLevel)
{
    zunaiGame game;
    std::error_code ec;
    game.startDir = fs::current_path(ec);
    if (ec)
        throw zunaiError{"cannot tell the current directory"};
    game.dir = fs::absolute(options.game.empty() ? defaultGameDir(game.startDir) : fs::path(options.game)).lexically_normal();
    if (!fs::is_directory(game.dir, ec))
        throw zunaiError{"game directory not found: " + game.show(game.dir)};
    game.bin = game.dir / "bin";
    if (!fs::is_directory(game.bin, ec))
        throw zunaiError{"not a game directory (no bin/ folder): " + game.show(game.dir)};
    game.database = game.dir / "data" / "memory" / "levels" / "paths.qzt";
    game.import = options.import;
    if (!needLevel)
        return game;
    if (options.level.empty())
        game.level = defaultLevel(game);
    else
        game.level = fs::absolute(options.level).lexically_normal();
    return game;
}

zunaiSession::WorkingDir::~WorkingDir()
{
    if (!back.empty()) {
        std::error_code ec;
        fs::current_path(back, ec);
    }
}

zunaiSession::zunaiSession(const zunaiGame& g, bool needDatabase) : game(g)
{
    zunStandIn::reset();

    mesh = zunaiImportLevel(game.level, game.show(game.level), game.import);
    zunaiLoadIntoStandIn(mesh);

    std::string databaseText;
    const bool haveDatabase = zunaiReadFile(game.database, databaseText);
    if (needDatabase && !haveDatabase)
        throw zunaiError{"cannot read path database " + game.show(game.database)};

    std::error_code ec;
    workingDir.back = game.startDir;
    fs::current_path(game.bin, ec);
    if (ec)
        throw zunaiError{"cannot enter the game's working directory " + game.show(game.bin)};

    if (haveDatabase) {
        std::string name = zunaiDatabaseName;
        if (!database.loadPaths(&name[0]))
            throw zunaiError{"cannot read path database " + game.show(game.database)};
        databaseLoaded = true;
        database.paths.walk([&](zunAIPath* path) { databaseMarks += path->getNumMarks(); });
    }
}

zunaiSession::~zunaiSession() = default;

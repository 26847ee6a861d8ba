// zunai generate: level → walkable surface → network → database file.

#include "zunaiGenerate.h"

#include <chrono>
#include <system_error>

#include "zunAI.h"
#include "zunaiDatabaseText.h"
#include "zunaiError.h"
#include "zunaiFiles.h"

namespace fs = std::filesystem;

namespace {

// The network's paths handed to a manager of the module.
int fillDatabase(const zunaiNetwork& net, zunAIPathMgr& database)
{
    int marks = 0;
    for (const auto& points : net.paths) {
        zunAIPath* path = new zunAIPath();
        if (!path)
            throw zunaiError{"out of memory while storing the generated paths"};
        for (const zunaiPoint& p : points) {
            cVector4 at(p.x, p.y, p.z);
            path->addMark(at);
        }
        marks += path->getNumMarks();
        database.addPath(path);
    }
    return marks;
}

// Saved as the module writes it, and moved into place whole.
void save(zunAIPathMgr& database, const zunaiGame& game, const fs::path& target)
{
    const std::string text = zunaiDatabaseText(database);
    try {
        zunaiWriteFileWhole(target, text);
    } catch (const zunaiError&) {
        throw zunaiError{"cannot write " + game.show(target)};
    }
}

fs::path targetOf(const zunaiGame& game, const zunaiGenerateOptions& options)
{
    if (options.out.empty())
        return game.database;
    return fs::absolute(game.startDir / options.out).lexically_normal();
}

void keepOrBackUp(const zunaiGame& game, const fs::path& target, bool force, zunaiGenerateSummary& summary)
{
    std::error_code ec;
    if (!fs::exists(target, ec))
        return;
    if (fs::is_directory(target, ec))
        throw zunaiError{game.show(target) + " is a folder"};
    if (!force)
        throw zunaiError{game.show(target) + " exists; give --force to replace it (a backup is kept)"};
    summary.backup = zunaiBackupName(target);
    fs::copy_file(target, summary.backup, fs::copy_options::overwrite_existing, ec);
    if (ec)
        throw zunaiError{"cannot keep a backup of " + game.show(target) + " as " + game.show(summary.backup)};
}

} // namespace

fs::path zunaiBackupName(const fs::path& file)
{
    return fs::path(file.string() + ".bak");
}

zunaiGenerateSummary zunaiGenerate(const zunaiGame& game, const zunaiGenerateOptions& options)
{
    const auto started = std::chrono::steady_clock::now();
    const std::string problem = zunaiAgentProblem(options.agent);
    if (!problem.empty())
        throw zunaiError{problem};
    if (!(options.network.cover >= 10.0f && options.network.cover <= 140.0f))
        throw zunaiError{"node reach must be from 10 to 140"};
    if (options.network.hubs < 1 || options.network.hubs > 32)
        throw zunaiError{"hubs must be from 1 to 32"};

    zunaiGenerateSummary summary;
    summary.file = targetOf(game, options);
    {
        std::error_code ec;
        if (!fs::is_directory(summary.file.parent_path(), ec) && summary.file != game.database)
            throw zunaiError{"no folder for " + game.show(summary.file)};
    }
    zunaiSession session(game, false);
    zunaiWalkable surface(session.mesh, options.agent);
    if (surface.polygons() == 0) {
        zunaiAgent point = options.agent;
        point.radius = 0.0f;
        if (zunaiWalkable(session.mesh, point).polygons() == 0)
            throw zunaiError{"no walkable surface in " + game.show(game.level) + " for an agent " +
                             std::to_string(int(options.agent.height)) + " tall that steps " +
                             std::to_string(int(options.agent.stepHeight)) + "; nothing generated"};
        throw zunaiError{"empty network: an agent of radius " + std::to_string(int(options.agent.radius)) +
                         " fits nowhere on the walkable surface of " + game.show(game.level) +
                         "; nothing generated (give a smaller --radius)"};
    }
    const zunaiNetwork net = zunaiBuildNetwork(surface, options.network);
    if (net.paths.empty())
        throw zunaiError{"empty network: no two places of " + game.show(game.level) +
                         " far enough apart to need a path; nothing generated"};

    zunAIPathMgr database;
    summary.marks = fillDatabase(net, database);
    summary.paths = database.getNumPaths();
    keepOrBackUp(game, summary.file, options.force, summary);
    fs::create_directories(summary.file.parent_path());
    save(database, game, summary.file);

    summary.nodes = net.nodes;
    summary.hubs = net.hubs;
    summary.islands = net.islands;
    summary.polygons = surface.polygons();
    summary.walkableArea = surface.area();
    summary.coverage = net.spots ? double(net.coveredSpots) / net.spots : 0.0;
    summary.droppedPaths = net.droppedPaths;
    summary.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return summary;
}

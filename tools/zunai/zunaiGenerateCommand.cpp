// zunai generate: a path database generated from the level's geometry.

#include <iomanip>
#include <memory>
#include <sstream>

#include "zunaiCommands.h"
#include "zunaiError.h"
#include "zunaiGenerate.h"
#include "zunaiJson.h"

namespace {

zunaiJson summaryJson(const zunaiGame& game, const zunaiGenerateOptions& options, const zunaiGenerateSummary& s)
{
    zunaiJson json = {{"command", "generate"}};
    json["level"] = game.show(game.level);
    json["file"] = game.show(s.file);
    json["backup"] = s.backup.empty() ? zunaiJson(nullptr) : zunaiJson(game.show(s.backup));
    json["paths"] = s.paths;
    json["marks"] = s.marks;
    json["seconds"] = zunaiJsonNumber(s.seconds);
    json["coverage"] = zunaiJsonNumber(s.coverage);
    json["nodes"] = s.nodes;
    json["hubs"] = s.hubs;
    json["islands"] = s.islands;
    json["polygons"] = s.polygons;
    json["walkableArea"] = zunaiJsonNumber(s.walkableArea);
    json["droppedPaths"] = s.droppedPaths;
    const zunaiAgent& a = options.agent;
    json["agent"] = {{"height", zunaiJsonFloat(a.height)},         {"radius", zunaiJsonFloat(a.radius)},
                     {"stepHeight", zunaiJsonFloat(a.stepHeight)}, {"maxSlope", zunaiJsonFloat(a.maxSlope)},
                     {"cellSize", zunaiJsonFloat(a.cellSize)},     {"cellHeight", zunaiJsonFloat(a.cellHeight)}};
    return json;
}

void printSummary(std::ostream& out, const zunaiGame& game, const zunaiGenerateSummary& s)
{
    std::ostringstream text;
    text << std::fixed << std::setprecision(2);
    text << "level     " << game.show(game.level) << "\n"
         << "surface   " << s.polygons << " polygons, " << std::setprecision(0) << s.walkableArea
         << " square units walkable, " << s.islands << (s.islands == 1 ? " island" : " islands") << "\n"
         << "network   " << s.nodes << " path ends joinable from around them, " << s.hubs << " hubs\n"
         << std::setprecision(1) << "coverage  " << 100.0 * s.coverage
         << "% of the spots sampled on the surface can join a path end\n";
    if (s.droppedPaths > 0)
        text << "dropped   " << s.droppedPaths << " ways no chain of clear links could follow\n";
    text << std::setprecision(2) << "wrote     " << game.show(s.file) << ": " << s.paths << " paths, " << s.marks
         << " marks in " << s.seconds << " s\n";
    if (!s.backup.empty())
        text << "kept      the old database as " << game.show(s.backup) << "\n";
    out << text.str();
}

int runGenerate(const zunaiRunContext& run, const zunaiGenerateOptions& options)
{
    const zunaiGame game = zunaiFindGame(run.common.gameOptions(), true);
    zunaiGenerateSummary summary;
    try {
        summary = zunaiGenerate(game, options);
    } catch (const zunaiError& e) {
        run.fail(e.message);
    }
    if (run.common.json)
        run.out << zunaiJsonText(summaryJson(game, options, summary)) << "\n";
    else
        printSummary(run.out, game, summary);
    return zunaiExitOk;
}

} // namespace

void zunaiAddGenerateCommand(zunaiCli& cli)
{
    auto options = std::make_shared<zunaiGenerateOptions>();
    CLI::App& command = cli.addCommand(
        "generate", "a path database generated from the level's geometry",
        "[--out FILE] [--force] [--height H] [--radius R] [--step S] [--slope DEG] [--cell-size C] "
        "[--cell-height C] [--reach D] [--hubs N] [--game DIR] [--level FILE] [--json]",
        [options](const zunaiRunContext& run) { return runGenerate(run, *options); });
    command.footer(
        "Builds the level's walkable surface for the agent and a network of stored paths over it, made for "
        "chained routes: every spot can join a path end within reach, and paths lead from every end to a few "
        "hubs, where the two sides of a route meet. Marks hover 24.7 above the ground; every link is clear under "
        "the module's ground probe. An existing database is kept unless --force, which backs it up as FILE.bak.");
    zunaiAgent& a = options->agent;
    command.add_option("--out", options->out, "where to write; default: the game's data/memory/levels/paths.qzt")
        ->type_name("FILE");
    command.add_flag("--force", options->force, "replace an existing database (kept as FILE.bak)");
    command.add_option("--height", a.height, "agent height: clearance under ceilings (default 50)");
    command.add_option("--radius", a.radius, "agent radius: distance kept from walls (default 10)");
    command.add_option("--step", a.stepHeight, "greatest step climbed (default 8)");
    command.add_option("--slope", a.maxSlope, "steepest walkable slope in degrees (default 40)");
    command.add_option("--cell-size", a.cellSize, "horizontal voxel size (default 4)");
    command.add_option("--cell-height", a.cellHeight, "vertical voxel size (default 1)");
    command.add_option("--reach", options->network.cover,
                       "how far a spot may be from the path end it joins, horizontally (default 100, at most 140)");
    command.add_option("--hubs", options->network.hubs, "hubs per island, where routes meet (default 4)");
}

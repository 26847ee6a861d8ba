// zunai route and zunai walk: one request, chained from the stored paths
// or walked out afresh.

#include <memory>

#include "zunaiCommandSupport.h"
#include "zunaiCommands.h"
#include "zunaiError.h"
#include "zunaiFiles.h"
#include "zunaiOutput.h"

namespace {

struct RouteOptions {
    std::string from, to;   // as given; parsed when the command runs
    std::string svg;
};

int runRoute(const zunaiRunContext& run, const RouteOptions& options, zunaiWay way)
{
    zunaiRequest request;
    request.from = zunaiPointOption(run, "--from", options.from);
    request.to = zunaiPointOption(run, "--to", options.to);
    request.way = way;
    const zunaiGame game = zunaiFindGame(run.common.gameOptions(), true);
    const auto svg = options.svg.empty() ? std::filesystem::path() : zunaiOutputPath(game, options.svg, "");
    zunaiSession session(game, way == zunaiWay::Chained);
    const zunaiRouteResult result = zunaiRunRequest(session, request);
    const std::string name = way == zunaiWay::Chained ? "route" : "walk";
    if (!svg.empty())
        zunaiWriteFileWhole(svg, zunaiPicture(session, "zunai " + name + ": " + game.level.filename().string(), {result}));

    if (run.common.json) {
        zunaiJson json = {{"command", name}};
        zunaiAddGameJson(json, session);
        json["route"] = zunaiRouteJson(result);
        json["svg"] = svg.empty() ? zunaiJson(nullptr) : zunaiJson(game.show(svg));
        run.out << zunaiJsonText(json) << "\n";
        return zunaiExitOk;
    }
    zunaiPrintRouteBlock(run.out, result);
    if (!svg.empty())
        run.out << "wrote " << game.show(svg) << "\n";
    return zunaiExitOk;
}

CLI::App& addRouteCommand(zunaiCli& cli, const std::string& name, const std::string& summary, const std::string& detail,
                          zunaiWay way)
{
    auto options = std::make_shared<RouteOptions>();
    CLI::App& command = cli.addCommand(name, summary,
                                       "--from X,Y,Z --to X,Y,Z [--svg FILE] [--json] [--game DIR] [--level FILE]",
                                       [options, way](const zunaiRunContext& run) { return runRoute(run, *options, way); });
    command.add_option("--from", options->from, "start point (world units, z up; a character's marks hover 24.7 "
                                                "above the ground)")
        ->type_name("X,Y,Z");
    command.add_option("--to", options->to, "goal point")->type_name("X,Y,Z");
    command.add_option("--svg", options->svg, "also draw the level, the stored paths and the route")
        ->type_name("FILE");
    command.footer(detail + "\n\n" + zunaiReachedHelp);
    return command;
}

} // namespace

void zunaiAddRouteCommands(zunaiCli& cli)
{
    addRouteCommand(cli, "route", "a route chained from the stored paths",
                    "A route chained from the game's stored paths (the module's getPath(start, goal, database, "
                    "info) with the default tuning).",
                    zunaiWay::Chained);
    addRouteCommand(cli, "walk", "a path walked out around obstacles",
                    "A path walked out afresh around obstacles (the module's getPath(start, goal)); the walk keeps "
                    "the start's height.",
                    zunaiWay::Walked);
}

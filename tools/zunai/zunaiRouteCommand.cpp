// zunai route and zunai walk: one request, chained from the stored paths
// or walked out afresh.

#include <memory>

#include "zunaiCommandSupport.h"
#include "zunaiCommands.h"
#include "zunaiError.h"
#include "zunaiExplain.h"
#include "zunaiFiles.h"
#include "zunaiOutput.h"

namespace {

struct RouteOptions {
    std::string from, to;   // as given; parsed when the command runs
    zunaiPictureFlags picture;
    bool explain = false;
    zunAIPathMgr::pathInfo tuning;   // route only
};

int runRoute(const zunaiRunContext& run, const RouteOptions& options, zunaiWay way)
{
    const zunaiPointInput from = zunaiPointOption(run, "--from", options.from);
    const zunaiPointInput to = zunaiPointOption(run, "--to", options.to);
    zunaiCheckTuning(run, options.tuning);
    const zunaiGame game = zunaiFindGame(run.common.gameOptions(), true);
    const zunaiPictureFiles files = zunaiPictureFilesOf(game, options.picture, "");
    zunaiSession session(game, way == zunaiWay::Chained);
    zunaiRequest request;
    request.from = zunaiPlacePointOption(run, session, "--from", from);
    request.to = zunaiPlacePointOption(run, session, "--to", to);
    request.way = way;
    const zunaiExplanation explanation = zunaiExplainRequest(session, request, options.tuning);
    const zunaiRouteResult& result = explanation.route;
    const std::string name = way == zunaiWay::Chained ? "route" : "walk";
    zunaiDrawSession(run, session, "zunai " + name + ": " + game.level.filename().string(), {result},
                     options.picture, files);

    if (run.common.json) {
        zunaiJson json = {{"command", name}};
        zunaiAddGameJson(json, session);
        // The route's fields at the top level (and, explained, its passes and
        // end); "route" holds them too, as before.
        json.update(options.explain ? zunaiExplanationJson(explanation) : zunaiRouteJson(result));
        json["route"] = zunaiRouteJson(result);
        json["svg"] = files.svg.empty() ? zunaiJson(nullptr) : zunaiJson(game.show(files.svg));
        json["png"] = files.png.empty() ? zunaiJson(nullptr) : zunaiJson(game.show(files.png));
        run.out << zunaiJsonText(json) << "\n";
        return zunaiExitOk;
    }
    zunaiPrintRouteBlock(run.out, result);
    if (options.explain)
        run.out << "\n" << zunaiExplanationText(explanation);
    else if (const std::string hint = zunaiExplanationHint(explanation); !hint.empty())
        run.out << "  why      " << hint << " (--explain tells more)\n";
    zunaiPrintWritten(run.out, game, files);
    return zunaiExitOk;
}

CLI::App& addRouteCommand(zunaiCli& cli, const std::string& name, const std::string& summary, const std::string& detail,
                          zunaiWay way)
{
    auto options = std::make_shared<RouteOptions>();
    CLI::App& command = cli.addCommand(name, summary,
                                       "--from X,Y[,Z] --to X,Y[,Z] [tuning] [--explain] [--svg FILE] [--png FILE] [--region X0,Y0,X1,Y1] "
                                       "[--floor Z] [--json] [--game DIR] [--level FILE] [--up z|y] [--scale S]",
                                       [options, way](const zunaiRunContext& run) { return runRoute(run, *options, way); });
    command.add_option("--from", options->from, "start point (world units, z up); X,Y stands on the ground there, "
                                                "24.7 above it, where a stored mark would hover")
        ->type_name("X,Y[,Z]");
    command.add_option("--to", options->to, "goal point, as --from")->type_name("X,Y[,Z]");
    command.add_flag("--explain", options->explain, "every decision of the module: passes, verdicts, end")
        ->disable_flag_override();
    zunaiAddPictureOptions(command, options->picture, "also draw the level, the stored paths and the route");
    if (way == zunaiWay::Chained)
        zunaiAddTuningOptions(command, options->tuning);
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

// zunai demo: the sample's requests, both ways, printed and drawn.

#include <memory>

#include "zunaiCommandSupport.h"
#include "zunaiCommands.h"
#include "zunaiDemo.h"
#include "zunaiError.h"
#include "zunaiFiles.h"
#include "zunaiOutput.h"

namespace {

struct DemoOptions {
    std::string svg;
};

int runDemo(const zunaiRunContext& run, const DemoOptions& options)
{
    const zunaiGame game = zunaiFindGame(run.common.gameOptions(), true);
    const auto svg = zunaiOutputPath(game, options.svg, "courtyard.svg");
    zunaiSession session(game, true);
    std::vector<zunaiRouteResult> results;
    for (zunaiRequest request : zunaiDemoRequests()) {
        for (zunaiWay way : {zunaiWay::Chained, zunaiWay::Walked}) {
            request.way = way;
            results.push_back(zunaiRunRequest(session, request));
        }
    }
    zunaiWriteFileWhole(svg, zunaiPicture(session, "zunai demo: " + game.level.filename().string(), results));

    if (run.common.json) {
        zunaiJson json = {{"command", "demo"}};
        zunaiAddGameJson(json, session);
        zunaiJson& routes = json["routes"] = zunaiJson::array();
        for (const auto& r : results)
            routes.push_back(zunaiRouteJson(r));
        json["svg"] = game.show(svg);
        run.out << zunaiJsonText(json) << "\n";
        return zunaiExitOk;
    }
    zunaiPrintGame(run.out, session);
    run.out << "\n";
    zunaiPrintRouteTable(run.out, results);
    run.out << "\nreached: last mark within 7 units of the goal, or (chained) the goal in plain view of it\n";
    run.out << "wrote " << game.show(svg) << "\n";
    return zunaiExitOk;
}

} // namespace

void zunaiAddDemoCommand(zunaiCli& cli)
{
    auto options = std::make_shared<DemoOptions>();
    CLI::App& command = cli.addCommand(
        "demo",
        "route requests on the sample, both ways; writes courtyard.svg",
        "[--svg FILE] [--game DIR] [--level FILE] [--json]",
        [options](const zunaiRunContext& run) { return runDemo(run, *options); });
    command.add_option("--svg", options->svg, "where to draw; default: courtyard.svg in the current directory")
        ->type_name("FILE");
    command.footer(std::string("Route requests on the sample, both ways: loads the level and the path database, answers a few route "
        "requests across the sample courtyard (chained from the stored paths and walked out afresh), prints them "
        "and draws them.") + "\n\n" + zunaiReachedHelp);
}

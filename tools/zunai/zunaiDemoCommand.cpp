// zunai demo: the sample's requests, both ways, printed and drawn.

#include <memory>

#include "zunaiCommandSupport.h"
#include "zunaiCommands.h"
#include "zunaiDemo.h"
#include "zunaiError.h"
#include "zunaiFiles.h"
#include "zunaiOutput.h"

namespace {

const char* const sampleNote = "the demo's requests are places of the sample courtyard, not of this game directory";

struct DemoOptions {
    zunaiPictureFlags picture;
};

int runDemo(const zunaiRunContext& run, const DemoOptions& options)
{
    const zunaiGame game = zunaiFindGame(run.common.gameOptions(), true);
    const zunaiPictureFiles files = zunaiPictureFilesOf(game, options.picture, "courtyard.svg");
    const bool onSample = zunaiIsSampleGame(game);
    zunaiSession session(game, true);
    std::vector<zunaiRouteResult> results;
    for (zunaiRequest request : zunaiDemoRequests()) {
        for (zunaiWay way : {zunaiWay::Chained, zunaiWay::Walked}) {
            request.way = way;
            results.push_back(zunaiRunRequest(session, request));
        }
    }
    zunaiDrawSession(run, session, "zunai demo: " + game.level.filename().string(), results, options.picture, files);

    if (run.common.json) {
        zunaiJson json = {{"command", "demo"}};
        zunaiAddGameJson(json, session);
        zunaiJson& routes = json["routes"] = zunaiJson::array();
        for (const auto& r : results)
            routes.push_back(zunaiRouteJson(r));
        json["svg"] = files.svg.empty() ? zunaiJson(nullptr) : zunaiJson(game.show(files.svg));
        json["png"] = files.png.empty() ? zunaiJson(nullptr) : zunaiJson(game.show(files.png));
        json["requestsOf"] = "sample";
        if (!onSample)
            json["note"] = sampleNote;
        run.out << zunaiJsonText(json) << "\n";
        return zunaiExitOk;
    }
    zunaiPrintGame(run.out, session);
    if (!onSample)
        run.out << "note      " << sampleNote << "\n";
    run.out << "\n";
    zunaiPrintRouteTable(run.out, results);
    run.out << "\nlength: start to first mark, along the marks, last mark to goal\n";
    run.out << "reached: last mark within 7 units of the goal, or (chained) the goal in plain view of it\n";
    zunaiPrintWritten(run.out, game, files);
    return zunaiExitOk;
}

} // namespace

void zunaiAddDemoCommand(zunaiCli& cli)
{
    auto options = std::make_shared<DemoOptions>();
    CLI::App& command = cli.addCommand(
        "demo",
        "route requests on the sample, both ways; writes courtyard.svg",
        "[--svg FILE] [--png FILE] [--region X0,Y0,X1,Y1] [--floor Z] [--game DIR] [--level FILE] [--json]",
        [options](const zunaiRunContext& run) { return runDemo(run, *options); });
    zunaiAddPictureOptions(command, options->picture,
                           "where to draw; default: courtyard.svg in the current directory, unless only --png is given");
    command.footer(std::string("Route requests on the sample, both ways: loads the level and the path database, answers a few route "
        "requests across the sample courtyard (chained from the stored paths and walked out afresh), prints them "
        "and draws them.") + "\n\n" + zunaiReachedHelp);
}

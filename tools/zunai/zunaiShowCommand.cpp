// zunai show: the stored paths listed and drawn.

#include <memory>

#include "zunaiCapture.h"
#include "zunaiCommandSupport.h"
#include "zunaiCommands.h"
#include "zunaiError.h"
#include "zunaiFiles.h"
#include "zunaiOutput.h"

namespace {

struct ShowOptions {
    zunaiPictureFlags picture;
};

int runShow(const zunaiRunContext& run, const ShowOptions& options)
{
    const zunaiGame game = zunaiFindGame(run.common.gameOptions(), true);
    const zunaiPictureFiles files = zunaiPictureFilesOf(game, options.picture, game.level.stem().string() + ".svg");
    zunaiSession session(game, false);   // a level without a database shows too
    const std::vector<zunaiDrawnPath> stored = zunaiDrawStoredPaths(session.database);
    zunaiDrawSession(run, session, "zunai show: " + game.level.filename().string(), {}, options.picture, files);

    if (run.common.json) {
        zunaiJson json = {{"command", "show"}};
        zunaiAddGameJson(json, session);
        json["drawn"] = zunaiDrawnPathsJson(stored);
        json["svg"] = files.svg.empty() ? zunaiJson(nullptr) : zunaiJson(game.show(files.svg));
        json["png"] = files.png.empty() ? zunaiJson(nullptr) : zunaiJson(game.show(files.png));
        run.out << zunaiJsonText(json) << "\n";
        return zunaiExitOk;
    }
    zunaiPrintGame(run.out, session);
    run.out << "\n";
    zunaiPrintPathTable(run.out, stored, session.database.getNumPaths());
    zunaiPrintWritten(run.out, game, files);
    return zunaiExitOk;
}

} // namespace

void zunaiAddShowCommand(zunaiCli& cli)
{
    auto options = std::make_shared<ShowOptions>();
    CLI::App& command = cli.addCommand(
        "show",
        "the level and all stored paths as the module draws them",
        "[--svg FILE|--png FILE] [--region X0,Y0,X1,Y1] [--floor Z] [--game DIR] [--level FILE] [--up z|y] "
        "[--scale S] [--json]",
        [options](const zunaiRunContext& run) { return runShow(run, *options); });
    command.footer("The level and all stored paths as the module draws them: lists the stored paths and draws the level with "
        "all of them, in the colours the module draws them in, on a grid of world coordinates. A game without a "
        "path database shows its level alone.");
    zunaiAddPictureOptions(command, options->picture,
                           "where to draw; default: LEVEL.svg (the level's name) in the current directory, unless "
                           "only --png is given");
}

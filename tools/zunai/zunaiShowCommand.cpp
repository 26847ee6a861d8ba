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
    std::string svg;
};

int runShow(const zunaiRunContext& run, const ShowOptions& options)
{
    const zunaiGame game = zunaiFindGame(run.common.gameOptions(), true);
    const auto svg = zunaiOutputPath(game, options.svg, game.level.stem().string() + ".svg");
    zunaiSession session(game, true);
    const std::vector<zunaiDrawnPath> stored = zunaiDrawStoredPaths(session.database);
    zunaiWriteFileWhole(svg, zunaiPicture(session, "zunai show: " + game.level.filename().string(), {}));

    if (run.common.json) {
        zunaiJson json = {{"command", "show"}};
        zunaiAddGameJson(json, session);
        json["drawn"] = zunaiDrawnPathsJson(stored);
        json["svg"] = game.show(svg);
        run.out << zunaiJsonText(json) << "\n";
        return zunaiExitOk;
    }
    zunaiPrintGame(run.out, session);
    run.out << "\n";
    zunaiPrintPathTable(run.out, stored, session.database.getNumPaths());
    run.out << "wrote " << game.show(svg) << "\n";
    return zunaiExitOk;
}

} // namespace

void zunaiAddShowCommand(zunaiCli& cli)
{
    auto options = std::make_shared<ShowOptions>();
    CLI::App& command = cli.addCommand(
        "show",
        "the level and all stored paths as the module draws them",
        "[--svg FILE] [--game DIR] [--level FILE] [--json]",
        [options](const zunaiRunContext& run) { return runShow(run, *options); });
    command.footer("The level and all stored paths as the module draws them: lists the stored paths and draws the level with "
        "all of them, in the colours the module draws them in.");
    command.add_option("--svg", options->svg,
                       "where to draw; default: LEVEL.svg (the level's name) in the current directory")
        ->type_name("FILE");
}

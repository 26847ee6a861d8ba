// zunai edit: the path editor in the browser.

#include <memory>

#include "zunaiCommands.h"
#include "zunaiEditRun.h"
#include "zunaiError.h"

namespace {

struct EditOptions {
    int port = zunaiEditDefaultPort;
};

int runEdit(const zunaiRunContext& run, const EditOptions& options)
{
    if (options.port < 0 || options.port > 65535)
        run.fail("--port must be 0 to 65535");
    zunaiRunEditor(zunaiFindGame(run.common.gameOptions(), true), options.port, run.out);
    return zunaiExitOk;
}

} // namespace

void zunaiAddEditCommand(zunaiCli& cli)
{
    auto options = std::make_shared<EditOptions>();
    CLI::App& command = cli.addCommand(
        "edit", "the path editor in the browser", "[--port N] [--game DIR] [--level FILE]",
        [options](const zunaiRunContext& run) { return runEdit(run, *options); });
    command.footer("Serves the path editor on 127.0.0.1 and prints its address (http://127.0.0.1:PORT/) on one "
                   "line; open it in a browser. Marks are dropped, paths committed, selected, deleted and saved "
                   "through the module's own editing calls; a save keeps the previous file as paths.qzt.bak. "
                   "Ctrl-C stops it.");
    command.add_option("--port", options->port, "port to listen on; 0 picks a free one (default 8642)")
        ->type_name("N");
}

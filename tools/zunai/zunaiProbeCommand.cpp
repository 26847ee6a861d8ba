// zunai probe: the floors below a point and the mark height on each.

#include <iomanip>
#include <memory>

#include "zunaiCommandSupport.h"
#include "zunaiCommands.h"
#include "zunaiError.h"
#include "zunaiGround.h"

namespace {

struct ProbeOptions {
    std::string point;
};

int runProbe(const zunaiRunContext& run, const ProbeOptions& options)
{
    if (options.point.empty())
        run.fail("a point X,Y[,Z] is required");
    const zunaiPointInput point = zunaiParsePoint(run.where, options.point);
    const zunaiGame game = zunaiFindGame(run.common.gameOptions(), true);
    zunaiSession session(game, false);
    const zunaiProbe probe = zunaiProbePoint(session.mesh, point);
    if (!probe.warning.empty())
        run.err << run.where << ": warning: " << probe.warning << "\n";

    if (run.common.json) {
        run.out << zunaiJsonText(zunaiProbeJson(probe)) << "\n";
        return zunaiExitOk;
    }
    run.out << "floors below " << zunaiFormatPoint(point) << (point.z ? "" : " (from above the level)")
            << ", highest first: " << probe.floors.size() << "\n";
    if (probe.floors.empty())
        return zunaiExitOk;
    run.out << "    ground      mark\n";
    for (const zunaiFloor& f : probe.floors)
        run.out << std::fixed << std::setprecision(2) << std::setw(10) << f.ground << std::setw(10) << f.mark << "\n";
    run.out << "mark: where a stored mark stands, " << zunaiHoverHeight << " above the ground\n";
    return zunaiExitOk;
}

} // namespace

void zunaiAddProbeCommand(zunaiCli& cli)
{
    auto options = std::make_shared<ProbeOptions>();
    CLI::App& command = cli.addCommand(
        "probe", "the floors below a point and the mark height on each",
        "X,Y[,Z] [--game DIR] [--level FILE] [--up z|y] [--scale S] [--json]",
        [options](const zunaiRunContext& run) { return runProbe(run, *options); });
    command.footer("Every surface a ray cast straight down meets (from above the level, or from Z), highest first, "
                   "and the height a stored mark would hover at over each (24.7 above it). A point given with a Z "
                   "inside the level's geometry or at a height marks don't stand at gets a warning.");
    command.add_option("point", options->point, "where to look")->type_name("X,Y[,Z]");
}

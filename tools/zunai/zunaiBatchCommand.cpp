// zunai batch FILE: many requests, one summary; exit 1 when an expectation fails.

#include <cstdio>
#include <memory>

#include "zunaiBatch.h"
#include "zunaiCommandSupport.h"
#include "zunaiCommands.h"
#include "zunaiError.h"
#include "zunaiFiles.h"
#include "zunaiOutput.h"

namespace {

struct BatchOptions {
    std::string file;
};

void printBatch(std::ostream& out, const zunaiBatchReport& report)
{
    char line[256];
    std::snprintf(line, sizeof line, "  %5s  %-7s  %-6s  %5s  %7s  %-8s  %6s\n", "line", "way", "expect", "marks",
                  "length", "reached", "rays");
    out << line;
    for (const auto& r : report.results) {
        const std::string length = r.route.found ? std::to_string(int(r.route.length + 0.5)) : "-";
        std::snprintf(line, sizeof line, "  %5d  %-7s  %-6s  %5s  %7s  %-8s  %6lld%s\n", r.asked.line,
                      zunaiWayName(r.asked.request.way), r.asked.expect.empty() ? "-" : r.asked.expect.c_str(),
                      r.route.found ? std::to_string(r.route.marks.size()).c_str() : "-", length.c_str(),
                      !r.route.found ? "no route" : r.route.reached ? "yes" : "no", r.route.rays,
                      r.holds ? "" : "  EXPECTATION FAILED");
        out << line;
    }
    const std::size_t n = report.results.size();
    std::snprintf(line, sizeof line,
                  "%zu requests: %d found, %d reached, %d failed expectations; %lld rays; %.3f ms a request; "
                  "length %.2f times the straight line\n",
                  n, report.found, report.reached, report.failedExpectations, report.rays,
                  n ? 1000.0 * report.seconds / double(n) : 0.0, report.lengthOverStraight);
    out << line;
}

int runBatch(const zunaiRunContext& run, const BatchOptions& options)
{
    const zunaiGame game = zunaiFindGame(run.common.gameOptions(), true);
    const std::filesystem::path file = std::filesystem::absolute(options.file);
    std::string text;
    if (!zunaiReadFile(file, text))
        run.fail("cannot read batch file " + options.file);
    zunaiSession session(game, true);
    const auto requests = zunaiReadBatch(text, options.file, session.mesh);
    const zunaiBatchReport report = zunaiRunBatch(session, requests);
    if (run.common.json) {
        zunaiJson json = {{"command", "batch"}};
        zunaiAddGameJson(json, session);
        json.update(zunaiBatchJson(report));
        run.out << zunaiJsonText(json) << "\n";
    } else {
        printBatch(run.out, report);
    }
    return report.failed() ? zunaiExitLoss : zunaiExitOk;
}

} // namespace

void zunaiAddBatchCommand(zunaiCli& cli)
{
    auto options = std::make_shared<BatchOptions>();
    CLI::App& command = cli.addCommand(
        "batch", "many route requests from a file, one summary", "FILE [--json] [--game DIR] [--level FILE]",
        [options](const zunaiRunContext& run) { return runBatch(run, *options); });
    command.add_option("file", options->file, "the requests")->type_name("FILE")->required();
    command.footer(
        "One request a line: route|walk FROM TO [expect=reach|found|none] [first-join=D join=D min-dot=C "
        "max-height-diff=H]. Points are X,Y,Z, or X,Y on the ground (at the hover height 24.7 above the first "
        "floor met from above). # starts a comment. expect=found holds for any route found, reach for one that "
        "reaches its goal, none when there is none. Exit code 1 when an expectation fails.");
}

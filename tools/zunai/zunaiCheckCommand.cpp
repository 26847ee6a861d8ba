// zunai check: what loading path database files keeps and loses, and with
// --level, what is wrong with them against the level.

#include <memory>
#include <optional>
#include <utility>

#include "zunaiCheck.h"
#include "zunaiCommandSupport.h"
#include "zunaiCommands.h"
#include "zunaiError.h"
#include "zunaiLevelCheck.h"
#include "zunaiOutput.h"

namespace fs = std::filesystem;

namespace {

struct CheckOptions {
    std::vector<std::string> files;
};

int runCheck(const zunaiRunContext& run, const CheckOptions& options)
{
    std::vector<std::pair<fs::path, std::string>> files;   // path, as shown
    const bool withLevel = !run.common.level.empty();
    const zunaiGame game = zunaiFindGame(run.common.gameOptions(), withLevel);
    if (options.files.empty()) {
        files.emplace_back(game.database, game.show(game.database));
    } else {
        for (const auto& f : options.files)
            files.emplace_back(fs::absolute(f), f);
    }
    // The level goes into the ray test, as a session loads it.
    std::optional<zunaiSession> session;
    if (withLevel)
        session.emplace(game, false);

    int code = zunaiExitOk;
    zunaiJson reports = zunaiJson::array();
    for (const auto& [path, shown] : files) {
        zunaiCheckReport report;
        if (!zunaiCheckFile(path, report)) {
            run.err << "zunai: cannot read path database " << shown << "\n";
            code = zunaiExitError;
            reports.push_back({{"file", shown}, {"readable", false}});
            continue;
        }
        report.file = shown;
        bool wrong = !report.whole();
        zunaiJson json = zunaiCheckReportJson(report);
        std::optional<zunaiLevelCheckReport> level;
        if (withLevel) {
            level = zunaiCheckLevel(report);
            wrong = wrong || !level->problems.empty();
            zunaiAddLevelCheckJson(json, *level);
        }
        if (wrong && code == zunaiExitOk)
            code = zunaiExitLoss;
        if (run.common.json) {
            reports.push_back(std::move(json));
        } else {
            zunaiPrintCheckReport(run.out, report);
            if (level)
                zunaiPrintLevelCheck(run.out, game.show(game.level), *level);
        }
    }
    if (run.common.json) {
        zunaiJson json = {{"command", "check"}};
        if (reports.size() == 1)
            json.update(reports[0]);
        else
            json["files"] = std::move(reports);
        json["exitCode"] = code;
        run.out << zunaiJsonText(json) << "\n";
    }
    return code;
}

} // namespace

void zunaiAddCheckCommand(zunaiCli& cli)
{
    auto options = std::make_shared<CheckOptions>();
    CLI::App& command = cli.addCommand(
        "check", "what loading a path database file would keep and lose; with --level, its faults on the level",
        "[FILE...] [--level FILE] [--game DIR] [--json]",
        [options](const zunaiRunContext& run) { return runCheck(run, *options); });
    command.footer(
        "Reads path database files (default: DIR/data/memory/levels/paths.qzt) and reports, per file, the paths "
        "and marks that loading keeps and every statement that loading would never reach: paths numbered after a "
        "gap, marks after a missing coordinate, paths whose mark 0 is incomplete.\n\n"
        "With --level, the paths are also probed against the level with the module's own probes: marks the hover "
        "rule would move (height), marks with no ground within 30 below (no-ground), links the ground probe finds "
        "blocked (blocked-link), paths no other path can be joined from or to (isolated); and the groups of paths "
        "that can chain into each other.\n\n"
        "Exit code 0 when every file loads whole and nothing is wrong, 1 when something would be lost or is wrong, "
        "2 when a file can't be read.");
    command.add_option("files", options->files, "path database files")->type_name("FILE");
}

// zunai check: what loading path database files keeps and loses.

#include <memory>
#include <utility>

#include "zunaiCheck.h"
#include "zunaiCommandSupport.h"
#include "zunaiCommands.h"
#include "zunaiError.h"
#include "zunaiOutput.h"

namespace fs = std::filesystem;

namespace {

struct CheckOptions {
    std::vector<std::string> files;
};

int runCheck(const zunaiRunContext& run, const CheckOptions& options)
{
    std::vector<std::pair<fs::path, std::string>> files;   // path, as shown
    if (options.files.empty()) {
        const zunaiGame game = zunaiFindGame(run.common.gameOptions(), false);
        files.emplace_back(game.database, game.show(game.database));
    } else {
        for (const auto& f : options.files)
            files.emplace_back(fs::absolute(f), f);
    }

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
        if (!report.whole() && code == zunaiExitOk)
            code = zunaiExitLoss;
        if (run.common.json)
            reports.push_back(zunaiCheckReportJson(report));
        else
            zunaiPrintCheckReport(run.out, report);
    }
    if (run.common.json)
        run.out << zunaiJsonText({{"command", "check"}, {"files", std::move(reports)}, {"exitCode", code}}) << "\n";
    return code;
}

} // namespace

void zunaiAddCheckCommand(zunaiCli& cli)
{
    auto options = std::make_shared<CheckOptions>();
    CLI::App& command = cli.addCommand(
        "check",
        "what loading a path database file would keep and lose",
        "[FILE...] [--game DIR] [--json]",
        [options](const zunaiRunContext& run) { return runCheck(run, *options); });
    command.footer("What loading a path database file would keep and lose. Reads path database files (default: "
        "DIR/data/memory/levels/paths.qzt) and reports, per file, the paths and marks that loading keeps and every "
        "statement that loading would never reach: paths numbered after a gap, marks after a missing coordinate, "
        "paths whose mark 0 is incomplete. Exit code 0 when every file loads whole, 1 when something would be lost, "
        "2 when a file can't be read.");
    command.add_option("files", options->files, "path database files")->type_name("FILE");
}

// The list of commands, and the program around them.

#include "zunaiCommands.h"

#include <exception>
#include <filesystem>

#include "zunaiError.h"
#include "zunaiJson.h"

void zunaiAddCommands(zunaiCli& cli)
{
    zunaiAddDemoCommand(cli);
    zunaiAddRouteCommands(cli);
    zunaiAddCheckCommand(cli);
    zunaiAddBatchCommand(cli);
    zunaiAddShowCommand(cli);
    zunaiAddEditCommand(cli);
    zunaiAddGenerateCommand(cli);
    zunaiAddProbeCommand(cli);
}

namespace {

bool wantsJson(const std::vector<std::string>& args)
{
    for (const std::string& arg : args) {
        if (arg == "--")
            break;
        if (arg == "--json")
            return true;
    }
    return false;
}

} // namespace

int zunaiMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::string message;
    try {
        zunaiCli cli;
        zunaiAddCommands(cli);
        return cli.run(args, out, err);
    } catch (const zunaiError& e) {
        // Messages about a command's arguments already begin "zunai COMMAND".
        message = (e.message.compare(0, 6, "zunai ") == 0 ? "" : "zunai: ") + e.message;
    } catch (const std::filesystem::filesystem_error& e) {
        message = "zunai: " + e.path1().string() + ": " + e.code().message();
    } catch (const std::exception& e) {
        message = std::string("zunai: ") + e.what();
    }
    if (wantsJson(args))
        out << zunaiJsonText(zunaiJsonError(message)) << "\n";
    else
        err << message << "\n";
    return zunaiExitError;
}

// The command line's frame: commands, common options, help, version, and
// CLI11's parse errors put the way the tool reports errors.

#include "zunaiCli.h"

#include <cmath>

#include "zunaiError.h"

#ifndef ZUNAI_VERSION
#define ZUNAI_VERSION "0"
#endif

namespace {

// Help begins "usage: zunai COMMAND SYNOPSIS", then what the command does.
class UsageFormatter : public CLI::Formatter {
public:
    explicit UsageFormatter(std::string synopsis) : synopsis(std::move(synopsis))
    {
        label("Subcommands", "Commands");
    }
    std::string make_usage(const CLI::App* app, std::string name) const override
    {
        return "usage: " + name + " " + synopsis + "\n\n" + app->get_description() + "\n";
    }
    std::string make_description(const CLI::App*) const override { return {}; }

private:
    std::string synopsis;
};

// CLI11's words for a bad value, in the tool's.
std::string describe(const CLI::App& command, const CLI::ParseError& e)
{
    const std::string message = e.what();
    if (message.find("disallowed flag override") != std::string::npos)
        return "--" + message.substr(0, message.find(' ')) + " takes no value";
    const std::size_t colon = message.find(':');
    if (message.compare(0, 2, "--") == 0 && colon != std::string::npos &&
        message.find(" missing") != std::string::npos) {
        const std::string name = message.substr(0, colon);
        const CLI::Option* option = command.get_option_no_throw(name);
        return name + " needs a value" + (option ? " " + option->get_type_name() : std::string());
    }
    return message;
}

} // namespace

void zunaiRunContext::fail(const std::string& what) const
{
    throw zunaiError{where + ": " + what};
}

zunaiGameOptions zunaiCommonOptions::gameOptions() const
{
    zunaiGameOptions options;
    options.game = game;
    options.level = level;
    options.import.up = up == "y" ? zunaiUp::Y : zunaiUp::Z;
    options.import.scale = scale;
    return options;
}

void zunaiAddCommonOptions(CLI::App& command, zunaiCommonOptions& common)
{
    command.add_option("--game", common.game, "game directory (bin/ and data/); default: the sample, samples/courtyard")
        ->type_name("DIR");
    command.add_option("--level", common.level,
                       "level geometry: Wavefront OBJ or glTF 2.0 (.gltf, .glb); default: the one such file in "
                       "DIR/data/levels")
        ->type_name("FILE");
    command.add_option("--up", common.up, "the level's up axis: z (default) or y; y up is turned z up as "
                                          "(x, y, z) -> (x, -z, y)")
        ->type_name("z|y")
        ->check(CLI::IsMember({"z", "y"}));
    command.add_option("--scale", common.scale, "the level's coordinates times S (after turning); default 1")
        ->type_name("S")
        ->check(CLI::Validator(
            [](std::string& text) {
                double value = 0.0;
                return CLI::detail::lexical_cast(text, value) && value > 0.0 && std::isfinite(value)
                           ? std::string()
                           : "expected a positive number, got '" + text + "'";
            },
            "S > 0"));
    command.add_flag("--json", common.json, "one JSON object on stdout instead of tables (errors too)")
        ->disable_flag_override();
}

zunaiCli::zunaiCli() : app("Runs the AI module's path database and route finding on a game directory, without the game.", "zunai")
{
    app.formatter(std::make_shared<UsageFormatter>("COMMAND [OPTIONS]"));
    app.set_version_flag("--version", std::string("zunai ") + ZUNAI_VERSION, "the tool's version");
    app.require_subcommand(0, 1);
    app.footer("Every command takes --game DIR, --level FILE and --json; zunai COMMAND --help tells more.\n"
               "Exit codes: 0 done, 1 check found problems or a batch expectation failed, 2 error.");
}

CLI::App& zunaiCli::addCommand(const std::string& name, const std::string& description, const std::string& synopsis,
                               zunaiHandler handler)
{
    CLI::App* command = app.add_subcommand(name, description);
    command->formatter(std::make_shared<UsageFormatter>(synopsis));
    command->allow_extras();
    zunaiAddCommonOptions(*command, common);
    commands.push_back(Command{command, std::move(handler)});
    return *command;
}

const zunaiCli::Command* zunaiCli::find(const std::string& name) const
{
    for (const Command& c : commands)
        if (c.app->get_name() == name)
            return &c;
    return nullptr;
}

void zunaiCli::checkLeftovers(const Command& command) const
{
    const std::string where = "zunai " + command.app->get_name();
    for (const std::string& arg : command.app->remaining()) {
        if (arg == "--")
            continue;
        if (arg.size() > 1 && arg[0] == '-')
            throw zunaiError{where + ": unknown option '" + arg.substr(0, arg.find('=')) + "' (try " + where +
                             " --help)"};
        throw zunaiError{where + ": unexpected argument '" + arg + "'"};
    }
}

int zunaiCli::run(const std::vector<std::string>& given, std::ostream& out, std::ostream& err)
{
    if (given.empty())
        throw zunaiError{"no command given (try zunai --help)"};
    std::vector<std::string> args = given;
    // `zunai help [COMMAND]` is `zunai [COMMAND] --help`.
    if (args[0] == "help") {
        args.erase(args.begin());
        args.resize(std::min<std::size_t>(args.size(), 1));
        args.push_back("--help");
    }
    const std::string& first = args[0];
    if (first != "--help" && first != "-h" && first != "--version" && !find(first)) {
        if (first.size() > 1 && first[0] == '-')
            throw zunaiError{"unknown option '" + first + "' (try zunai --help)"};
        throw zunaiError{"unknown command '" + first + "' (try zunai --help)"};
    }

    const Command* chosen = find(first);
    try {
        // CLI11 takes the arguments last first.
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return zunaiExitOk;
    } catch (const CLI::CallForVersion& e) {
        out << e.what() << "\n";
        return zunaiExitOk;
    } catch (const CLI::ParseError& e) {
        const std::string where = chosen ? "zunai " + chosen->app->get_name() : std::string("zunai");
        throw zunaiError{where + ": " + describe(chosen ? *chosen->app : app, e)};
    }
    if (!chosen) {
        out << app.help();
        return zunaiExitOk;
    }
    checkLeftovers(*chosen);
    const zunaiRunContext context{common, out, err, "zunai " + chosen->app->get_name()};
    return chosen->handler(context);
}

// Argument parsing of zunai: the command word, then options in any order.
// Every option takes its value either as the next argument or after '='
// (--from=1,2,3), so a value may begin with a minus sign.

#include "zunaiArgs.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "zunaiError.h"

namespace {

struct CommandInfo {
    zunaiCommand command;
    const char* name;
    bool routeOptions;   // --from, --to
    bool svg;            // --svg
    bool files;          // positional FILE arguments
};

const CommandInfo commands[] = {
    {zunaiCommand::Demo, "demo", false, true, false},
    {zunaiCommand::Route, "route", true, true, false},
    {zunaiCommand::Walk, "walk", true, true, false},
    {zunaiCommand::Check, "check", false, false, true},
    {zunaiCommand::Show, "show", false, true, false},
};

const CommandInfo* findCommand(const std::string& name)
{
    for (const CommandInfo& info : commands)
        if (name == info.name)
            return &info;
    return nullptr;
}

const CommandInfo& infoOf(zunaiCommand command)
{
    for (const CommandInfo& info : commands)
        if (info.command == command)
            return info;
    return commands[0];
}

[[noreturn]] void fail(const std::string& where, const std::string& what)
{
    throw zunaiError{where + ": " + what};
}

bool readNumber(const std::string& text, float& value)
{
    std::size_t b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t'))
        ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t'))
        --e;
    bool plus = false;
    if (b < e && text[b] == '+') {
        ++b;
        plus = true;
    }
    if (b == e || (plus && (text[b] == '+' || text[b] == '-')))
        return false;
    const char* first = text.data() + b;
    const char* last = text.data() + e;
    auto result = std::from_chars(first, last, value);
    return result.ec == std::errc() && result.ptr == last && std::isfinite(value);
}

} // namespace

zunaiPoint zunaiParsePoint(const std::string& option, const std::string& text)
{
    float values[3];
    std::size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t comma = text.find(',', start);
        const bool last = i == 2;
        if (last != (comma == std::string::npos))
            fail(option, "expected X,Y,Z (three numbers), got '" + text + "'");
        const std::string part = text.substr(start, last ? std::string::npos : comma - start);
        if (!readNumber(part, values[i]))
            fail(option, "expected X,Y,Z (three numbers), got '" + text + "'");
        start = comma + 1;
    }
    return zunaiPoint{values[0], values[1], values[2]};
}

const char* zunaiCommandName(zunaiCommand command)
{
    return command == zunaiCommand::None ? "zunai" : infoOf(command).name;
}

zunaiOptions zunaiParseArguments(const std::vector<std::string>& args)
{
    zunaiOptions options;
    std::size_t i = 0;
    if (args.empty())
        throw zunaiError{"no command given (try zunai --help)"};
    const std::string& first = args[0];
    if (first == "--help" || first == "-h" || first == "help") {
        options.help = true;
        if (first == "help" && args.size() > 1) {
            const CommandInfo* info = findCommand(args[1]);
            if (!info)
                throw zunaiError{"unknown command '" + args[1] + "' (try zunai --help)"};
            options.command = info->command;
        }
        return options;
    }
    const CommandInfo* info = findCommand(first);
    if (!info) {
        if (!first.empty() && first[0] == '-')
            throw zunaiError{"unknown option '" + first + "' (try zunai --help)"};
        throw zunaiError{"unknown command '" + first + "' (try zunai --help)"};
    }
    options.command = info->command;
    const std::string where = std::string("zunai ") + info->name;

    bool optionsEnded = false;
    for (i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            if (!info->files)
                fail(where, "unexpected argument '" + arg + "'");
            options.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = arg, value;
        bool hasValue = false;
        const std::size_t equals = arg.find('=');
        if (equals != std::string::npos && arg.compare(0, 2, "--") == 0) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
            hasValue = true;
        }
        auto takeValue = [&](const char* what) -> std::string {
            if (hasValue) {
                if (value.empty())
                    fail(where, name + " needs a value " + what);
                return value;
            }
            if (i + 1 >= args.size() || args[i + 1].empty())
                fail(where, name + " needs a value " + what);
            return args[++i];
        };
        auto noValue = [&]() {
            if (hasValue)
                fail(where, name + " takes no value");
        };

        if (name == "--help" || name == "-h") {
            noValue();
            options.help = true;
        } else if (name == "--json") {
            noValue();
            options.json = true;
        } else if (name == "--game") {
            options.game = takeValue("DIR");
        } else if (name == "--level") {
            options.level = takeValue("FILE");
        } else if (name == "--svg" && info->svg) {
            options.svg = takeValue("FILE");
        } else if (name == "--from" && info->routeOptions) {
            options.from = zunaiParsePoint(where + ": --from", takeValue("X,Y,Z"));
        } else if (name == "--to" && info->routeOptions) {
            options.to = zunaiParsePoint(where + ": --to", takeValue("X,Y,Z"));
        } else {
            fail(where, "unknown option '" + name + "' (try zunai " + info->name + " --help)");
        }
    }

    if (!options.help && info->routeOptions) {
        if (!options.from)
            fail(where, "--from X,Y,Z is required");
        if (!options.to)
            fail(where, "--to X,Y,Z is required");
    }
    return options;
}

std::string zunaiHelpText(zunaiCommand command)
{
    const std::string common =
        "  --game DIR     game directory (bin/ and data/); default: the sample,\n"
        "                 samples/courtyard\n"
        "  --level FILE   level geometry, Wavefront OBJ with z up; default: the\n"
        "                 one .obj file in DIR/data/levels\n"
        "  --json         one JSON object on stdout instead of tables\n"
        "  --help         this text\n";
    const std::string routeCommon =
        "  --from X,Y,Z   start point (world units, z up; a character's marks\n"
        "                 hover 24.7 above the ground)\n"
        "  --to X,Y,Z     goal point\n"
        "  --svg FILE     also draw the level, the stored paths and the route\n";
    const std::string reached =
        "\n"
        "A route reaches its goal when its last mark lies within 7 units of the\n"
        "goal horizontally, or, for a chained route (which ends at the stored mark\n"
        "where it left the database), when the goal is in plain view of the last\n"
        "mark: at most 150 units away, less than 4 units higher or lower, and a\n"
        "straight ray between them meets nothing.\n";

    switch (command) {
    case zunaiCommand::None:
        return "usage: zunai COMMAND [OPTIONS]\n"
               "\n"
               "Runs the AI module's path database and route finding on a game\n"
               "directory, without the game.\n"
               "\n"
               "commands:\n"
               "  demo    route requests on the sample, both ways; writes courtyard.svg\n"
               "  route   a route chained from the stored paths\n"
               "  walk    a path walked out around obstacles\n"
               "  check   what loading a path database file would keep and lose\n"
               "  show    the level and all stored paths as the module draws them\n"
               "\n"
               "Every command takes --game DIR and --level FILE; zunai COMMAND --help\n"
               "tells more. Exit codes: 0 done, 1 check found losses, 2 error.\n";
    case zunaiCommand::Demo:
        return "usage: zunai demo [--game DIR] [--level FILE] [--svg FILE] [--json]\n"
               "\n"
               "Loads the level and the path database, answers a few route requests\n"
               "across the sample courtyard both ways (chained from the stored paths\n"
               "and walked out afresh), prints them and draws them.\n"
               "\n" +
               common +
               "  --svg FILE     where to draw; default: courtyard.svg in the current\n"
               "                 directory\n" +
               reached;
    case zunaiCommand::Route:
        return "usage: zunai route --from X,Y,Z --to X,Y,Z [--svg FILE] [--json]\n"
               "                   [--game DIR] [--level FILE]\n"
               "\n"
               "A route chained from the game's stored paths (the module's\n"
               "getPath(start, goal, database, info) with the default tuning).\n"
               "\n" +
               routeCommon + common + reached;
    case zunaiCommand::Walk:
        return "usage: zunai walk --from X,Y,Z --to X,Y,Z [--svg FILE] [--json]\n"
               "                  [--game DIR] [--level FILE]\n"
               "\n"
               "A path walked out afresh around obstacles (the module's\n"
               "getPath(start, goal)); the walk keeps the start's height.\n"
               "\n" +
               routeCommon + common + reached;
    case zunaiCommand::Check:
        return "usage: zunai check [FILE...] [--game DIR] [--json]\n"
               "\n"
               "Reads path database files (default: DIR/data/memory/levels/paths.qzt)\n"
               "and reports, per file, the paths and marks that loading keeps and every\n"
               "statement that loading would never reach: paths numbered after a gap,\n"
               "marks after a missing coordinate, paths whose mark 0 is incomplete.\n"
               "Exit code 0 when every file loads whole, 1 when something would be\n"
               "lost, 2 when a file can't be read.\n"
               "\n" +
               common;
    case zunaiCommand::Show:
        return "usage: zunai show [--svg FILE] [--game DIR] [--level FILE] [--json]\n"
               "\n"
               "Lists the stored paths and draws the level with all of them, in the\n"
               "colours the module draws them in.\n"
               "\n" +
               common +
               "  --svg FILE     where to draw; default: LEVEL.svg (the level's name) in\n"
               "                 the current directory\n";
    }
    return {};
}

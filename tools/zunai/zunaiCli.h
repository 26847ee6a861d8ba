#ifndef ZUNAI_CLI_H
#define ZUNAI_CLI_H

// The command line of zunai: a command word, then its options, parsed by
// CLI11. A command is one file that adds its CLI11 subcommand and its
// handler with zunaiCli::addCommand (see zunaiCommands.cpp for the list).
// Every option takes its value as `--opt value` or `--opt=value`.

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "zunaiGame.h"

// The options every command takes, added to each command in one place
// (zunaiAddCommonOptions).
struct zunaiCommonOptions {
    std::string game;    // --game DIR; empty: the sample
    std::string level;   // --level FILE; empty: the one level file in DIR/data/levels
    std::string up = "z";   // --up z|y
    double scale = 1.0;     // --scale S
    bool json = false;   // --json: one JSON object on stdout, errors too

    zunaiGameOptions gameOptions() const;
};

void zunaiAddCommonOptions(CLI::App& command, zunaiCommonOptions& common);

// What a command's handler runs with.
struct zunaiRunContext {
    const zunaiCommonOptions& common;
    std::ostream& out;
    std::ostream& err;
    std::string where;   // "zunai COMMAND", the start of its messages

    // Throws zunaiError "zunai COMMAND: what".
    [[noreturn]] void fail(const std::string& what) const;
};

using zunaiHandler = std::function<int(const zunaiRunContext&)>;

class zunaiCli {
public:
    zunaiCli();
    zunaiCli(const zunaiCli&) = delete;
    zunaiCli& operator=(const zunaiCli&) = delete;

    // A command `name`: its subcommand, common options already on it, for
    // the command's own options. `synopsis` follows "usage: zunai NAME" in
    // its help. Arguments that none of its options take are errors.
    CLI::App& addCommand(const std::string& name, const std::string& description, const std::string& synopsis,
                         zunaiHandler handler);

    // Parses `args` (argv[1..]) and runs the chosen command; answers the
    // exit code. Throws zunaiError for arguments at fault.
    int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

private:
    struct Command {
        CLI::App* app;
        zunaiHandler handler;
    };
    const Command* find(const std::string& name) const;
    void checkLeftovers(const Command& command) const;

    CLI::App app;
    zunaiCommonOptions common;
    std::vector<Command> commands;
};

#endif

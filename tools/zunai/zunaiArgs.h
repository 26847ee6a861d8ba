#ifndef ZUNAI_ARGS_H
#define ZUNAI_ARGS_H

// The command line of zunai: a command, then its options.

#include <optional>
#include <string>
#include <vector>

#include "zunaiPoint.h"

enum class zunaiCommand { None, Demo, Route, Walk, Check, Show };

struct zunaiOptions {
    zunaiCommand command = zunaiCommand::None;
    bool help = false;                  // --help: print the help of the command (or the tool) and stop
    std::string game;                   // --game DIR; empty: the sample
    std::string level;                  // --level FILE; empty: DIR/data/levels/*.obj
    std::optional<zunaiPoint> from;     // --from X,Y,Z (route, walk)
    std::optional<zunaiPoint> to;       // --to X,Y,Z (route, walk)
    std::string svg;                    // --svg FILE; empty: the command's default
    bool json = false;                  // --json
    std::vector<std::string> files;     // check: database files
};

// Reads argv[1..]. Throws zunaiError naming the argument at fault.
zunaiOptions zunaiParseArguments(const std::vector<std::string>& args);

// "X,Y,Z" as three finite numbers, read independently of the locale.
// Throws zunaiError naming `option`.
zunaiPoint zunaiParsePoint(const std::string& option, const std::string& text);

const char* zunaiCommandName(zunaiCommand command);
std::string zunaiHelpText(zunaiCommand command);   // None: the tool's overview

#endif

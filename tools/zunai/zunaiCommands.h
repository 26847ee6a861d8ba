#ifndef ZUNAI_COMMANDS_H
#define ZUNAI_COMMANDS_H

#include <ostream>
#include <string>
#include <vector>

#include "zunaiCli.h"

// Each command's file adds it to the command line.
void zunaiAddDemoCommand(zunaiCli& cli);
void zunaiAddRouteCommands(zunaiCli& cli);   // route and walk
void zunaiAddCheckCommand(zunaiCli& cli);
void zunaiAddShowCommand(zunaiCli& cli);
void zunaiAddEditCommand(zunaiCli& cli);
void zunaiAddGenerateCommand(zunaiCli& cli);
void zunaiAddProbeCommand(zunaiCli& cli);
void zunaiAddBatchCommand(zunaiCli& cli);

// Every command, in the order the help lists them.
void zunaiAddCommands(zunaiCli& cli);

// The whole program: arguments, command, and errors as one line on `err`
// (as {"error": "..."} on `out` under --json) with exit code 2.
int zunaiMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

#endif

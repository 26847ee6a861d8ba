#ifndef ZUNAI_COMMANDS_H
#define ZUNAI_COMMANDS_H

#include <ostream>
#include <string>
#include <vector>

#include "zunaiArgs.h"
#include "zunaiRoutes.h"

// The requests of `zunai demo`: places of the sample courtyard, each asked
// for both ways.
std::vector<zunaiRequest> zunaiDemoRequests();

// Runs one parsed command; answers the exit code. Throws zunaiError for
// what the user must put right.
int zunaiRun(const zunaiOptions& options, std::ostream& out, std::ostream& err);

// The whole program: arguments, command, and errors as one line on `err`
// with exit code 2.
int zunaiMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

#endif

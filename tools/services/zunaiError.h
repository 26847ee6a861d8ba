#ifndef ZUNAI_ERROR_H
#define ZUNAI_ERROR_H

#include <string>

// A failure the tool reports to its user: one line on stderr, naming the
// file or argument at fault, and exit code 2.
struct zunaiError {
    std::string message;
};

constexpr int zunaiExitOk = 0;
constexpr int zunaiExitLoss = 1;    // check: something in a database would be lost
constexpr int zunaiExitError = 2;   // bad argument, missing or unreadable file

#endif

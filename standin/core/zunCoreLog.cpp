// The stand-in core's engine log: every message kept in order for tests and
// tools, and echoed to stderr when ZUNAI_LOG=stderr.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "host/zunCore.h"
#include "standin/zunStandIn.h"

namespace {

std::mutex lock;

// Never destroyed, so that a message logged while the process shuts down
// still finds its log.
std::vector<std::string>& messages() {
    static auto* kept = new std::vector<std::string>();
    return *kept;
}

bool echoToStderr() {
    const char* mode = std::getenv("ZUNAI_LOG");
    return mode && std::strcmp(mode, "stderr") == 0;
}

} // namespace

void zunLog::dump(char* text) {
    if (!text)
        return;
    if (echoToStderr())
        std::fprintf(stderr, "%s\n", text);
    try {
        std::lock_guard<std::mutex> guard(lock);
        messages().emplace_back(text);
    } catch (...) {
        // Out of memory: the message is lost, the caller goes on.
    }
}

namespace zunStandIn {

const std::vector<std::string>& log() {
    return messages();
}

void clearLog() {
    std::lock_guard<std::mutex> guard(lock);
    messages().clear();
}

} // namespace zunStandIn

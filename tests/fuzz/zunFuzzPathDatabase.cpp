// libFuzzer target: arbitrary bytes as a path database file, loaded with
// loadPaths, saved, reloaded and saved again (checks in zunFuzzChecks.cpp).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "zunFuzzChecks.h"

namespace {
zunFuzz::FuzzGame* game = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    game = new zunFuzz::FuzzGame;
    std::atexit([] { delete game; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string why = zunFuzz::checkPathDatabase(*game, data, size);
    if (!why.empty()) {
        std::fprintf(stderr, "zunFuzzPathDatabase: %s\n", why.c_str());
        std::abort();
    }
    return 0;
}

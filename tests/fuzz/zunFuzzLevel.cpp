// libFuzzer target: arbitrary bytes as an OBJ level for the stand-in, then
// rays cast against it (checks in zunFuzzChecks.cpp).
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
    const std::string why = zunFuzz::checkLevel(*game, data, size);
    if (!why.empty()) {
        std::fprintf(stderr, "zunFuzzLevel: %s\n", why.c_str());
        std::abort();
    }
    return 0;
}

#ifndef ZUN_FUZZ_TARGET_H
#define ZUN_FUZZ_TARGET_H

// The libFuzzer entry points of one target: every input goes through one
// check of zunFuzzChecks.h in a scratch game directory made once; a check
// that answers a reason stops the run with it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "zunFuzzChecks.h"

#define ZUN_FUZZ_TARGET(targetName, check)                                                   \
    namespace {                                                                              \
    zunFuzz::FuzzGame* game = nullptr;                                                       \
    }                                                                                        \
    extern "C" int LLVMFuzzerInitialize(int*, char***)                                       \
    {                                                                                        \
        game = new zunFuzz::FuzzGame;                                                        \
        std::atexit([] { delete game; });                                                    \
        return 0;                                                                            \
    }                                                                                        \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)        \
    {                                                                                        \
        const std::string why = check(*game, data, size);                                    \
        if (!why.empty()) {                                                                  \
            std::fprintf(stderr, "%s: %s\n", targetName, why.c_str());                       \
            std::abort();                                                                    \
        }                                                                                    \
        return 0;                                                                            \
    }

#endif

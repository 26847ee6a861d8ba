// The libFuzzer entry point of a target: its check (ZUN_FUZZ_CHECK, one of
// zunFuzzChecks.h) stops the run with the reason it answers.
#include <cstdio>
#include <cstdlib>

#include "zunFuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string why = zunFuzz::ZUN_FUZZ_CHECK(data, size);
    if (!why.empty()) {
        std::fprintf(stderr, "%s\n", why.c_str());
        std::abort();
    }
    return 0;
}

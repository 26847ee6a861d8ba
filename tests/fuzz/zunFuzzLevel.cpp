// libFuzzer target: arbitrary bytes as an OBJ level for the stand-in, then
// rays cast against it (checks in zunFuzzChecks.cpp).
#include "zunFuzzTarget.h"

ZUN_FUZZ_TARGET("zunFuzzLevel", zunFuzz::checkLevel)

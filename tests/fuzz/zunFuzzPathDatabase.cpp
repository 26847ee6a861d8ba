// libFuzzer target: arbitrary bytes as a path database file, loaded with
// loadPaths, saved, reloaded and saved again (checks in zunFuzzChecks.cpp).
#include "zunFuzzTarget.h"

ZUN_FUZZ_TARGET("zunFuzzPathDatabase", zunFuzz::checkPathDatabase)

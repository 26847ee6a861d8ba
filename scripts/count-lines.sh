#!/usr/bin/env bash
# Prints the C++ lines (.cpp, .h, .hpp; every physical line) of the tests
# against those of the code they test: the module (engine/ paths/ route/
# memory/ video/ host/ zunAI.h), the stand-in (standin/) and the tools
# (tools/). Benchmarks (bench/) count for neither side.
#
#   scripts/count-lines.sh        one line: code lines, test lines, ratio
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# cpp_lines PATH...: physical lines of the C++ sources under the paths.
cpp_lines() {
  find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' \) -print0 2>/dev/null |
    xargs -0 cat -- 2>/dev/null | wc -l
}

code=$(cpp_lines engine paths route memory video host zunAI.h standin tools)
tests=$(cpp_lines tests)
awk -v code="$code" -v tests="$tests" \
  'BEGIN { printf "lines: %d code, %d tests, ratio %.2f\n", code, tests, (code ? tests / code : 0) }'

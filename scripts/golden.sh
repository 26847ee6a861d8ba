#!/usr/bin/env bash
# Writes the golden record (tests/golden/record.txt) anew from the native
# build: for a deliberate change of the module's rays, marks or answers only.
# The tests never write it; review the difference before committing it.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/native
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja -DZUNAI_WERROR=ON -DZUNAI_BUILD_TESTS=ON
cmake --build "$build" -j"${ZUNAI_JOBS:-2}" --target golden_tests
"$build/tests/golden/golden_tests" --regenerate="$root/tests/golden/record.txt"
git -C "$root" diff --stat -- tests/golden/record.txt

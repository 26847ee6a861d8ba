#!/usr/bin/env bash
# Fuzzing: builds the libFuzzer targets with clang++ (AddressSanitizer and
# UndefinedBehaviorSanitizer on; the module and the stand-in instrumented
# too) in build/fuzz, then runs each target for a fixed time from its seed
# corpus in tests/fuzz/corpus/<target>.
#
#   scripts/fuzz.sh                 every target for 30 s
#   scripts/fuzz.sh 600             every target for 600 s
#   scripts/fuzz.sh 60 level        the named targets for 60 s each
#
# Targets:
#   database  bytes as a path database file: loaded, saved, reloaded, saved
#             again; the round trip must keep every mark and every byte
#   level     bytes as an OBJ level for the stand-in; rays cast against it
#             must hit within their length and agree with the linear test
#
# New inputs go to build/fuzz/corpus/<target> (the seeds stay as they are).
# A failing input is written to build/fuzz/artifacts/<target>-crash-*; once
# the fault is fixed, keep the input in tests/reliability/inputs/<target>/,
# where the reliability suite replays it. Exits non-zero when a target fails.
#
# Needs clang++ and libFuzzer (Debian: clang, libclang-rt-14-dev); run as
# root, it installs them when they are missing.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(database level)
jobs=${ZUNAI_JOBS:-2}
build=$root/build/fuzz

case $seconds in
  '' | *[!0-9]*) echo "fuzz.sh: the time must be whole seconds, not '$seconds'" >&2; exit 2 ;;
esac

program_of() {
  case $1 in
    database) echo zunFuzzPathDatabase ;;
    level) echo zunFuzzLevel ;;
    *) echo "fuzz.sh: unknown target '$1' (targets: database level)" >&2; return 2 ;;
  esac
}
for target in "${targets[@]}"; do program_of "$target" >/dev/null; done

have_fuzzer_runtime() {
  command -v clang++ >/dev/null &&
    echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' |
      clang++ -x c++ -fsanitize=fuzzer -o /dev/null - 2>/dev/null
}
if ! have_fuzzer_runtime; then
  if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y clang libclang-rt-14-dev
  fi
  have_fuzzer_runtime || { echo "fuzz.sh: clang++ with libFuzzer is needed (Debian: clang, libclang-rt-14-dev)" >&2; exit 1; }
fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZUNAI_BUILD_FUZZERS=ON -DZUNAI_BUILD_TESTS=OFF -DZUNAI_BUILD_TOOLS=OFF -DZUNAI_BUILD_BENCHMARKS=OFF \
  -DZUNAI_WERROR=ON >/dev/null
cmake --build "$build" -j"$jobs" --target zunFuzzPathDatabase zunFuzzLevel

failed=0
summary=()
for target in "${targets[@]}"; do
  program=$(program_of "$target")
  corpus=$build/corpus/$target
  artifacts=$build/artifacts
  mkdir -p "$corpus" "$artifacts"
  log=$build/$target.log
  echo "=== fuzzing $target for $seconds s"
  status=0
  # Each input goes through files of a temporary game directory: in memory
  # where the machine has a tmpfs, which makes the runs many times faster.
  tmp=${TMPDIR:-/tmp}
  if [ -d /dev/shm ] && [ -w /dev/shm ]; then tmp=/dev/shm; fi
  TMPDIR=$tmp \
  ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1} \
  UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
    "$build/tests/fuzz/$program" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
      -print_final_stats=1 -dict="$root/tests/fuzz/$target.dict" \
      -artifact_prefix="$artifacts/$target-" "$corpus" "$root/tests/fuzz/corpus/$target" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  if [ $status -ne 0 ]; then
    failed=1
    tail -n 40 "$log" >&2
    summary+=("$target: FAILED after ${runs:-?} executions (log $log, input in $artifacts)")
  else
    summary+=("$target: ${runs:-?} executions in $seconds s, no failure")
  fi
done

echo
printf 'fuzz.sh: %s\n' "${summary[@]}"
exit $failed

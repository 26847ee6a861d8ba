#!/usr/bin/env bash
# The test command: builds everything with warnings as errors and runs every
# test suite, stage by stage. Exits non-zero at the first stage that fails.
#
#   scripts/test.sh              all stages
#   scripts/test.sh native mingw only the named stages (in the order given)
#   ZUNAI_KEEP_GOING=1 scripts/test.sh   go on after a failed stage (exit status still 1)
#
# Stages:
#   native    native build (tests, tool, benchmarks built but not run), ctest
#   consumer  a host project against the native build: as a subproject and
#             through find_package of an installed copy (configure and build);
#             the example host (examples/) built and run against that install
#   asan      the native suite under AddressSanitizer and UndefinedBehaviorSanitizer
#   mingw     the 32-bit Windows build, its suite under wine, the DLL export check
#   fuzz      the fuzz targets, 30 s each (scripts/fuzz.sh; clang++, build/fuzz)
#   soak      the soak program of the native build (100,000 frames on the sample)
#   browser   the path editor's page in headless Chromium (Debian's chromium,
#             Playwright from npm: npm ci in tests/browser), against the native zunai
#   strict    the module and its suites built as hosts build for machines with
#             FMA (clang++ -march=native; g++ -O3 -march=native), run against
#             the same expected values and golden record; and a host that
#             forces fast-math onto the module is refused at compile time
#   msvc      zunAIEngine.dll with the MSVC C++ ABI (clang, lld-link, no
#             Microsoft SDK): its exports and imports checked by decorated name;
#             the stand-in's libraries and a test host of the same ABI, which
#             plays the golden scenes under wine and must give the golden record
#
# A new stage is a function stage_NAME plus its NAME in all_stages below.
#
# Run as root on a machine that lacks the compilers, GoogleTest, Google
# Benchmark or wine, it installs them from Debian's packages first.
# Build directories: build/native, build/asan, build/mingw, build/msvc (and build/consumer-*).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

jobs=${ZUNAI_JOBS:-2}
build=$root/build

log() { printf '\n=== %s\n' "$*"; }

# --- prerequisites ---------------------------------------------------------

have_package() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

install_prerequisites() {
  local wanted=() needs_i386=0
  command -v cmake >/dev/null || wanted+=(cmake)
  command -v ninja >/dev/null || wanted+=(ninja-build)
  command -v g++ >/dev/null || wanted+=(g++)
  command -v clang++ >/dev/null || wanted+=(clang)
  command -v lld-link >/dev/null || wanted+=(lld)
  command -v llvm-dlltool >/dev/null || wanted+=(llvm)
  command -v python3 >/dev/null || wanted+=(python3)
  [ -f /usr/src/googletest/CMakeLists.txt ] || wanted+=(googletest)
  have_package libgtest-dev || wanted+=(libgtest-dev)
  have_package libbenchmark-dev || wanted+=(libbenchmark-dev)
  # The workbench's level import and pictures.
  have_package libassimp-dev || wanted+=(libassimp-dev)
  have_package librsvg2-dev || wanted+=(librsvg2-dev)
  # The path editor's server.
  have_package libcpp-httplib-dev || wanted+=(libcpp-httplib-dev)
  have_package nlohmann-json3-dev || wanted+=(nlohmann-json3-dev)
  command -v pkg-config >/dev/null || wanted+=(pkg-config)
  # The command line.
  have_package libcli11-dev || wanted+=(libcli11-dev)
  # The generator's walkable surface.
  have_package librecast-dev || wanted+=(librecast-dev)
  command -v i686-w64-mingw32-g++-posix >/dev/null || wanted+=(g++-mingw-w64-i686)
  command -v wine >/dev/null || wanted+=(wine)
  if ! have_package wine32:i386; then
    wanted+=(wine32:i386)
    needs_i386=1
  fi

  if [ ${#wanted[@]} -eq 0 ]; then
    return 0
  fi
  if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null; then
    echo "test.sh: missing ${wanted[*]}; run as root on Debian to install them" >&2
    return 1
  fi
  log "installing ${wanted[*]}"
  if [ $needs_i386 -eq 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y "${wanted[@]}"
}

# --- helpers ---------------------------------------------------------------

# configure DIR ARGS...: a Ninja build with warnings as errors.
configure() {
  local dir=$1
  shift
  cmake -S "$root" -B "$dir" -G Ninja -DZUNAI_WERROR=ON "$@"
}

# run_ctest DIR [CTEST ARGS...]
run_ctest() {
  local dir=$1
  shift
  ctest --test-dir "$dir" --output-on-failure -j"$jobs" --no-tests=error "$@"
}

# --- stages ----------------------------------------------------------------

stage_native() {
  configure "$build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZUNAI_BUILD_TESTS=ON -DZUNAI_BUILD_TOOLS=ON -DZUNAI_BUILD_BENCHMARKS=ON
  cmake --build "$build/native" -j"$jobs"
  run_ctest "$build/native"
}

stage_consumer() {
  [ -f "$build/native/CMakeCache.txt" ] || stage_native
  local prefix=$build/consumer-prefix
  rm -rf "$prefix" "$build/consumer-package" "$build/consumer-subproject"

  # Installed package.
  cmake --install "$build/native" --prefix "$prefix" >/dev/null
  cmake -S "$root/tests/consumer" -B "$build/consumer-package" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_PREFIX_PATH="$prefix"
  cmake --build "$build/consumer-package" -j"$jobs"
  "$build/consumer-package/zunaiConsumer"

  # The example host against the same fresh install, started from another
  # directory with no library path set: the installed libraries find each other.
  rm -rf "$build/consumer-example"
  cmake -S "$root/examples" -B "$build/consumer-example" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_PREFIX_PATH="$prefix"
  cmake --build "$build/consumer-example" -j"$jobs"
  (cd / && env -u LD_LIBRARY_PATH "$build/consumer-example/zunaiExampleHost" "$root/samples/courtyard" \
    -150,-178,24.7 140,158,44.7)

  # Subproject: builds the three libraries again inside the host's tree.
  cmake -S "$root/tests/consumer" -B "$build/consumer-subproject" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZUNAI_CONSUMER_SOURCE="$root"
  cmake --build "$build/consumer-subproject" -j"$jobs"
  "$build/consumer-subproject/zunaiConsumer"
}

stage_asan() {
  configure "$build/asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZUNAI_SANITIZE=ON \
    -DZUNAI_BUILD_TESTS=ON -DZUNAI_BUILD_TOOLS=ON -DZUNAI_BUILD_BENCHMARKS=OFF
  # Only what CTest runs under the sanitizers: the suite programs (NAME_tests)
  # and what they start (the zunai tool); the sample generator is left out.
  local suites
  suites=$(cmake --build "$build/asan" --target help | sed -n 's/^\([a-z]*_tests\): phony$/\1/p')
  # shellcheck disable=SC2086
  cmake --build "$build/asan" -j"$jobs" --target $suites
  ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1} \
  LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp:print_suppressions=0} \
  UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
    run_ctest "$build/asan"
}

# Some virtual machines run no 32-bit x86 program at all (their kernel
# answers "Exec format error"), and 32-bit wine with them. There the Windows
# stages build and check their DLLs but cannot run them: they say so, and
# the test command's closing lines name what was not run.
skipped_note=$build/skipped-under-wine.txt

can_run_32bit() {
  /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

# skip_wine WHAT: notes that WHAT could not be run on this machine.
skip_wine() {
  echo "test.sh: SKIPPED $1: this machine cannot run 32-bit x86 programs, and so not wine" >&2
  echo "$1" >>"$skipped_note"
}

# wine keeps its state in a prefix of our own under the build directory; the
# first start creates it (a few seconds), later runs reuse it.
wine_environment() {
  export WINEPREFIX=$build/mingw/wineprefix
  export WINEDEBUG=-all
  # No Mono or Gecko installer prompts: the test programs need neither.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    log "creating the wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1 || true
    wineserver -w
  fi
  [ -f "$WINEPREFIX/system.reg" ] || { echo "test.sh: wine prefix could not be created" >&2; return 1; }
  # One server for the whole stage: left to itself, wineserver exits a few
  # seconds after its last client and the next program races its restart.
  # Wine's helper processes start with the first program and live as long as
  # the server; started here with nowhere to write, they hold none of CTest's
  # output pipes (CTest would wait on them until its timeout).
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

stop_wineserver() {
  if [ -n "${WINEPREFIX:-}" ] && command -v wineserver >/dev/null; then
    wineserver -k >/dev/null 2>&1 || true
  fi
}

# A program whose wine client lost its server never ran a test; such a run is
# repeated once. Any other failure stands.
rerun_after_wine_failure() {
  local last=$1/Testing/Temporary/LastTest.log
  grep -q '^wine client error' "$last" || return 1
  if grep -q '^\[  FAILED  \]' "$last"; then
    return 1
  fi
  log "wine lost its server; running the failed programs once more"
  cp "$last" "$1/Testing/Temporary/FirstTest.log"
  run_ctest "$1" --rerun-failed
}

# The 32-bit Windows build of MinGW (its suites; the msvc stage takes the
# stand-in's C interface library from it).
configure_mingw() {
  configure "$build/mingw" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZUNAI_BUILD_TESTS=ON -DZUNAI_BUILD_BENCHMARKS=OFF -DZUNAI_BUILD_TOOLS=OFF
}

stage_mingw() {
  configure_mingw
  cmake --build "$build/mingw" -j"$jobs"
  "$root/scripts/check-dll-exports.sh" "$build/mingw/bin"
  can_run_32bit || { skip_wine "the 32-bit Windows suites"; return 0; }
  wine_environment
  trap stop_wineserver EXIT
  # One CTest test per suite program: each runs once under wine.
  local logs=$build/mingw/Testing/Temporary
  rm -f "$logs/FirstTest.log"
  if ! run_ctest "$build/mingw"; then
    rerun_after_wine_failure "$build/mingw"
  fi
  stop_wineserver
  local summaries=("$logs/LastTest.log")
  if [ -f "$logs/FirstTest.log" ]; then summaries+=("$logs/FirstTest.log"); fi
  # The test cases behind those programs, from GoogleTest's summaries (of
  # both runs when programs were run again).
  awk '/^\[  PASSED  \] [0-9]+ test/ { n += $4 } END { printf "%d test cases passed under wine\n", n }' \
    "${summaries[@]}"
}

stage_fuzz() {
  "$root/scripts/fuzz.sh" 30
}

# strict_build NAME COMPILER BUILD_TYPE FLAGS: the module, the stand-in and
# the module's suites (no tool, no benchmarks), then their tests.
strict_build() {
  local dir=$build/strict-$1
  configure "$dir" -DCMAKE_CXX_COMPILER="$2" -DCMAKE_BUILD_TYPE="$3" -DCMAKE_CXX_FLAGS="$4" \
    -DZUNAI_BUILD_TESTS=ON -DZUNAI_BUILD_TOOLS=OFF -DZUNAI_BUILD_BENCHMARKS=OFF
  cmake --build "$dir" -j"$jobs"
  run_ctest "$dir"
}

# A host forcing fast-math onto the module's target: one source is enough to
# see the build refuse it, with the module's own error.
fast_math_refused() {
  local dir=$build/strict-fastmath object=zunai/CMakeFiles/zunAIEngine.dir/video/zunAIVideo.cpp.o out
  rm -rf "$dir"
  cmake -S "$root/tests/fastmath-host" -B "$dir" -G Ninja -DZUNAI_SOURCE="$root" -DZUNAI_FORCE_ON_MODULE=ON >/dev/null
  if out=$(cmake --build "$dir" --target "$object" 2>&1); then
    echo "test.sh: the module compiled with fast-math forced onto it" >&2
    return 1
  fi
  grep -q "zunAIEngine must not be built with fast-math" <<<"$out" || { echo "$out" >&2; return 1; }
  echo "fast-math forced onto the module: refused at compile time"
}

stage_strict() {
  strict_build clang clang++ Release "-march=native"
  strict_build gcc-o3 g++ Release "-march=native"
  fast_math_refused
}

# The golden scenes played under wine by the MSVC-ABI test host, on the
# MSVC-ABI module and stand-in (the stand-in's code reached through
# zunStandInBridge.dll of the MinGW build), against tests/golden/record.txt.
msvc_golden_record() {
  local bin=$build/msvc/bin expected=$build/msvc/golden-expected.txt actual=$build/msvc/golden-record.txt
  cp "$build/mingw/bin/zunStandInBridge.dll" "$bin/"
  grep -v '^#' "$root/tests/golden/record.txt" >"$expected"
  can_run_32bit || { skip_wine "the MSVC-ABI test host's golden record"; return 0; }
  wine_environment
  trap stop_wineserver EXIT
  if ! wine "$bin/zunGoldenMsvcHost.exe" >"$actual"; then
    echo "test.sh: the MSVC-ABI test host failed (its last lines: $actual)" >&2
    return 1
  fi
  stop_wineserver
  if ! cmp -s "$expected" "$actual"; then
    echo "test.sh: the MSVC-ABI test host's record differs from tests/golden/record.txt (< recorded, > this build):" >&2
    diff "$expected" "$actual" | head -n 20 >&2
    return 1
  fi
  echo "golden record reproduced bit for bit by the MSVC-ABI test host under wine ($(wc -l <"$actual") lines)"
}

stage_msvc() {
  configure "$build/msvc" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/clang-msvc-i686.cmake" -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$build/msvc" -j"$jobs"
  "$root/scripts/check-msvc-abi.sh" "$build/msvc/bin"
  configure_mingw >/dev/null
  cmake --build "$build/mingw" -j"$jobs" --target zunStandInBridge
  msvc_golden_record
}

stage_soak() {
  [ -f "$build/native/CMakeCache.txt" ] || stage_native
  cmake --build "$build/native" -j"$jobs" --target zunSoak
  "$build/native/bench/zunSoak"
}

# The browser stage's own packages: a browser and node are large, and only
# this stage needs them.
install_browser_prerequisites() {
  local wanted=()
  command -v chromium >/dev/null || wanted+=(chromium)
  command -v node >/dev/null || wanted+=(nodejs)
  command -v npm >/dev/null || wanted+=(npm)
  [ ${#wanted[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null; then
    echo "test.sh: missing ${wanted[*]}; run as root on Debian to install them" >&2
    return 1
  fi
  log "installing ${wanted[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y "${wanted[@]}"
}

stage_browser() {
  install_browser_prerequisites
  [ -f "$build/native/CMakeCache.txt" ] || configure "$build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZUNAI_BUILD_TESTS=ON -DZUNAI_BUILD_TOOLS=ON -DZUNAI_BUILD_BENCHMARKS=ON
  cmake --build "$build/native" -j"$jobs" --target zunai
  cd "$root/tests/browser"
  # Playwright drives Debian's Chromium; it never downloads a browser.
  PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund
  ZUNAI_TOOL="$build/native/tools/zunai/zunai" ZUNAI_CHROMIUM="$(command -v chromium)" node --test
}

# --- main ------------------------------------------------------------------

all_stages=(native browser consumer asan mingw strict msvc fuzz soak)
stages=("$@")
[ ${#stages[@]} -gt 0 ] || stages=("${all_stages[@]}")
for stage in "${stages[@]}"; do
  declare -F "stage_$stage" >/dev/null || { echo "test.sh: unknown stage '$stage' (stages: ${all_stages[*]})" >&2; exit 2; }
done

start=$SECONDS
install_prerequisites
mkdir -p "$build"
rm -f "$skipped_note"
failed=()
for stage in "${stages[@]}"; do
  log "stage $stage"
  stage_start=$SECONDS
  # Each stage in a subshell of its own with errexit on: the first failing
  # command ends the stage.
  set +e
  ( set -e; "stage_$stage" )
  rc=$?
  set -e
  if [ $rc -eq 0 ]; then
    echo "--- stage $stage passed in $((SECONDS - stage_start)) s"
  else
    echo "--- stage $stage FAILED in $((SECONDS - stage_start)) s" >&2
    failed+=("$stage")
    [ "${ZUNAI_KEEP_GOING:-0}" = 1 ] || break
  fi
done
echo
# Tests against the code they test, in lines (scripts/count-lines.sh).
"$root/scripts/count-lines.sh"
if [ ${#failed[@]} -gt 0 ]; then
  echo "test.sh: FAILED: ${failed[*]} ($((SECONDS - start)) s)" >&2
  exit 1
fi
if [ -s "$skipped_note" ]; then
  echo "test.sh: not run on this machine (no 32-bit x86 programs): $(paste -sd ';' "$skipped_note" | sed 's/;/; /g')" >&2
fi
echo "test.sh: all stages passed (${stages[*]}) in $((SECONDS - start)) s"

#!/usr/bin/env bash
# The demo command: builds the zunai tool (release, in build/demo) and runs
# `zunai demo` on the sample courtyard: it prints the routes it was asked
# for, both ways, and draws them in build/demo/courtyard.svg.
#
#   scripts/demo.sh            the demo
#   scripts/demo.sh --json     the same as one JSON object
#
# Run as root on a machine that lacks CMake, Ninja, g++ or the workbench's
# libraries (CLI11, nlohmann-json), it installs them
# from Debian's packages first.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/demo
jobs=${ZUNAI_JOBS:-2}

wanted=()
command -v cmake >/dev/null || wanted+=(cmake)
command -v ninja >/dev/null || wanted+=(ninja-build)
command -v g++ >/dev/null || wanted+=(g++)
# The workbench's level import and pictures.
dpkg-query -W -f='${Status}' libassimp-dev 2>/dev/null | grep -q "install ok installed" || wanted+=(libassimp-dev)
dpkg-query -W -f='${Status}' librsvg2-dev 2>/dev/null | grep -q "install ok installed" || wanted+=(librsvg2-dev)
# The command line, the editor's server, JSON.
for package in libcli11-dev libcpp-httplib-dev nlohmann-json3-dev; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || wanted+=("$package")
done
command -v pkg-config >/dev/null || wanted+=(pkg-config)
# The generator's walkable surface.
[ -f /usr/include/recastnavigation/Recast.h ] || wanted+=(librecast-dev)
if [ ${#wanted[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null; then
    echo "demo.sh: missing ${wanted[*]}; run as root on Debian to install them" >&2
    exit 1
  fi
  echo "demo.sh: installing ${wanted[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  apt-get update >&2
  apt-get install -y --no-install-recommends "${wanted[@]}" >&2
fi

# Build output goes to stderr, so that stdout holds the demo's answer alone.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DZUNAI_BUILD_TESTS=OFF -DZUNAI_BUILD_TOOLS=ON -DZUNAI_BUILD_BENCHMARKS=OFF >&2
cmake --build "$build" -j"$jobs" --target zunai >&2

cd "$root"
exec "$build/tools/zunai/zunai" demo --game "$root/samples/courtyard" --svg "$build/courtyard.svg" "$@"

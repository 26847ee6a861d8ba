#!/usr/bin/env bash
# The benchmark command: builds the benchmark programs in Release and runs
# every one of them, one after the other, on one thread each.
#
#   scripts/bench.sh            the full suite (about a minute on 2 cores, after the build)
#   scripts/bench.sh --quick    short runs, the 100,000-path town and database
#                               file left out (about 15 seconds)
#   scripts/bench.sh -- ARGS    ARGS go to every program (e.g. --benchmark_filter=Load)
#
# Build directory: build/bench. Each program's figures are printed and kept
# as JSON in build/bench/results/; at the end, for each family of cases over
# sizes, the exponent of the cost's growth between successive sizes
# (log(time ratio) / log(size ratio): 1 is linear).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/bench
jobs=${ZUNAI_JOBS:-2}

quick=0
extra=()
while [ $# -gt 0 ]; do
  case $1 in
    --quick) quick=1 ;;
    --) shift; extra=("$@"); break ;;
    -h|--help) sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "bench.sh: unknown argument '$1' (--quick, -- ARGS)" >&2; exit 2 ;;
  esac
  shift
done

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZUNAI_BUILD_BENCHMARKS=ON \
  -DZUNAI_BUILD_TESTS=OFF -DZUNAI_BUILD_TOOLS=OFF >/dev/null
cmake --build "$build" -j"$jobs" >/dev/null

programs=(zunRayBench zunWalkBench zunBestPathBench zunMemoryBench zunPathFileBench)
common=(--benchmark_counters_tabular=false)
if [ $quick -eq 1 ]; then
  common+=(--benchmark_min_time=0.05)
fi

# Cases left out in --quick: the 100,000-path town and database file.
quick_filter() {
  case $1 in
    zunBestPathBench|zunPathFileBench) echo "--benchmark_filter=-/paths:100000" ;;
  esac
}

results=$build/results
mkdir -p "$results"
echo "zunAIEngine benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
for program in "${programs[@]}"; do
  args=("${common[@]}")
  if [ $quick -eq 1 ]; then
    filter=$(quick_filter "$program")
    [ -z "$filter" ] || args+=("$filter")
  fi
  echo
  echo "=== $program"
  "$build/bench/$program" "${args[@]}" --benchmark_out="$results/$program.json" \
    --benchmark_out_format=json "${extra[@]}"
done

# Growth exponents from the JSON results.
if command -v python3 >/dev/null; then
  echo
  echo "=== growth with size: exponent of time between successive sizes (1 = linear)"
  python3 - "$results" "${programs[@]}" <<'EOF'
import json, math, os, re, sys
folder, programs = sys.argv[1], sys.argv[2:]
for program in programs:
    path = os.path.join(folder, program + ".json")
    if not os.path.exists(path):
        continue
    families = {}
    for b in json.load(open(path))["benchmarks"]:
        if b.get("run_type") == "aggregate" or b.get("error_occurred"):
            continue
        parts = b["name"].split("/")
        # The size: the level's triangles where a case counts them, else the
        # argument named paths, memories or tasks, else a bare number.
        sized = [i for i, p in enumerate(parts) if re.fullmatch(r"(paths|memories|tasks):\d+", p)]
        if not sized:
            sized = [i for i, p in enumerate(parts) if re.fullmatch(r"\d+", p)]
        if not sized:
            continue
        i = sized[0]
        size = b.get("triangles") or int(parts[i].split(":")[-1])
        family = "/".join(parts[:i] + [parts[i].split(":")[0] + ":N" if ":" in parts[i] else "N"] + parts[i + 1:])
        seconds = b["real_time"] if b["name"].endswith("/real_time") else b["cpu_time"]
        families.setdefault(family, []).append((size, seconds))
    for family, points in families.items():
        points.sort()
        if len(points) < 2:
            continue
        steps = ["%g->%g: %.2f" % (a[0], b[0], math.log(b[1] / a[1]) / math.log(b[0] / a[0]))
                 for a, b in zip(points, points[1:]) if a[1] > 0 and b[1] > 0 and b[0] != a[0]]
        print("%-50s %s" % (family, "   ".join(steps)))
EOF
fi

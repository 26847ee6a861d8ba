#!/usr/bin/env bash
# Planted-fault run: plants each fault of a list, one at a time, in a copy of
# the source, rebuilds that copy's native build incrementally, runs the test
# programs and records whether the tests caught the fault. The working tree
# is never touched: the copy (build/faults/src, refreshed from the working
# tree's files at the start) takes the faults, and its planted file is always
# restored, also when the run is interrupted.
#
#   scripts/faults.sh [LIST] [NAME...]    LIST defaults to scripts/faults.txt;
#                                         NAMEs pick faults of the list
#
# The list (see scripts/faults.txt) gives each fault as
#   NAME | FILE | ORIGINAL => REPLACEMENT
# A fault whose ORIGINAL is not found exactly once is "not applicable"; one
# that doesn't build is "no build". Neither counts as caught or missed.
#
# Build: build/faults/build (tests and tools on, benchmarks off;
# ZUNAI_FAULTS_DIR names another folder than build/faults). Results:
# build/faults/results.txt, one "STATUS NAME" a line, and a summary at the
# end. Runs at low priority (nice 15). ZUNAI_FAULTS_TIMEOUT: seconds allowed
# to each test program (300). ZUNAI_FAULTS_REVISION: see refresh_copy.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
list=$(cd "$(dirname "${1:-$root/scripts/faults.txt}")" && pwd)/$(basename "${1:-faults.txt}")
shift $(( $# > 0 ? 1 : 0 ))
picked=("$@")
work=${ZUNAI_FAULTS_DIR:-$root/build/faults}
source_copy=$work/src
build=$work/build
limit=${ZUNAI_FAULTS_TIMEOUT:-300}
results=$work/results.txt
command -v python3 >/dev/null || { echo "faults.sh: needs python3" >&2; exit 2; }
renice -n 15 $$ >/dev/null 2>&1 || true

# The copy: every file git tracks or would track, copied where it differs
# (so that the copy's build stays incremental); files gone from the tree go.
# ZUNAI_FAULTS_REVISION=REV takes the files of a commit instead of the
# working tree's (to run the faults against an earlier suite).
refresh_copy() {
  mkdir -p "$source_copy"
  local file from=$root wanted_files
  wanted_files=$(mktemp)
  if [ -n "${ZUNAI_FAULTS_REVISION:-}" ]; then
    from=$(mktemp -d)
    git archive "$ZUNAI_FAULTS_REVISION" | tar -x -C "$from"
    git ls-tree -r --name-only "$ZUNAI_FAULTS_REVISION" | sort >"$wanted_files"
  else
    git ls-files -co --exclude-standard | sort >"$wanted_files"
  fi
  while IFS= read -r file; do
    [ -f "$from/$file" ] || continue
    if ! cmp -s "$from/$file" "$source_copy/$file"; then
      mkdir -p "$source_copy/$(dirname "$file")"
      cp "$from/$file" "$source_copy/$file"
    fi
  done <"$wanted_files"
  (cd "$source_copy" && find . -type f | sed 's|^\./||' | sort) | comm -23 - "$wanted_files" |
    while IFS= read -r file; do rm -f "$source_copy/$file"; done
  [ "$from" = "$root" ] || rm -rf "$from"
  rm -f "$wanted_files"
}
refresh_copy

# --- restoring the planted file, whatever happens -------------------------

saved=$(mktemp -d)
planted=""
restore() {
  if [ -n "$planted" ]; then
    cp "$saved/original" "$source_copy/$planted"
    planted=""
  fi
}
trap 'restore; rm -rf "$saved"' EXIT
trap 'restore; exit 130' INT TERM

# plant FILE ORIGINAL REPLACEMENT: answers 0 when planted, 1 when ORIGINAL is
# not found exactly once.
plant() {
  python3 - "$source_copy/$1" "$2" "$3" <<'PY'
import sys
path, old, new = sys.argv[1], sys.argv[2].replace("\\n", "\n"), sys.argv[3].replace("\\n", "\n")
try:
    text = open(path, encoding="utf-8").read()
except OSError:
    sys.exit(1)
if text.count(old) != 1:
    sys.exit(1)
open(path, "w", encoding="utf-8").write(text.replace(old, new))
PY
}

# --- build and test programs ----------------------------------------------

build_all() { cmake --build "$build" -j2 >"$work/build.log" 2>&1; }

# Programs are not relinked when only a shared library they load changed: a
# fault in the module or the stand-in rebuilds one object and one library.
cmake -S "$source_copy" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZUNAI_WERROR=ON \
  -DZUNAI_BUILD_TESTS=ON -DZUNAI_BUILD_TOOLS=ON -DZUNAI_BUILD_BENCHMARKS=OFF \
  -DCMAKE_LINK_DEPENDS_NO_SHARED=ON >/dev/null
build_all || { echo "faults.sh: the unchanged source does not build (see $work/build.log)" >&2; exit 1; }

# Every test program CTest knows, each run whole (one process per program).
mapfile -t programs < <(ctest --test-dir "$build" --show-only=json-v1 | python3 -c '
import json, sys
seen = []
for test in json.load(sys.stdin)["tests"]:
    program = test["command"][0]
    if program not in seen:
        seen.append(program)
print("\n".join(seen))')
[ ${#programs[@]} -gt 0 ] || { echo "faults.sh: no test programs in $build" >&2; exit 1; }

# run_programs [FOLDER]: 0 when every program passes; stops at the first
# failure. The suite named after FOLDER (route -> route_tests) runs first.
run_programs() {
  local program first=() rest=()
  for program in "${programs[@]}"; do
    case $(basename "$program") in
      "${1:-}"*) first+=("$program") ;;
      *) rest+=("$program") ;;
    esac
  done
  for program in ${first[@]+"${first[@]}"} "${rest[@]}"; do
    (cd "$(dirname "$program")" && timeout "$limit" "$program" --gtest_brief=1) >/dev/null 2>&1 || return 1
  done
}

echo "faults.sh: ${#programs[@]} test programs; checking that they pass unchanged"
run_programs || { echo "faults.sh: the tests fail without any fault" >&2; exit 1; }

# --- the faults -------------------------------------------------------------

# The suite that tests FILE's folder: tools/ -> tool, anything else its folder.
folder_suite() {
  local top=${1%%/*}
  [ "$top" = tools ] && top=tool
  echo "$top"
}

wanted() {
  [ ${#picked[@]} -eq 0 ] && return 0
  local name
  for name in "${picked[@]}"; do [ "$name" = "$1" ] && return 0; done
  return 1
}

: >"$results"
caught=0 missed=0 inapplicable=0 unbuilt=0
while IFS= read -r line || [ -n "$line" ]; do
  case $line in ''|'#'*) continue ;; esac
  name=${line%% | *}; rest=${line#* | }
  file=${rest%% | *}; change=${rest#* | }
  original=${change%% => *}; replacement=${change#* => }
  name=${name// /}; file=${file// /}
  wanted "$name" || continue

  cp "$source_copy/$file" "$saved/original" 2>/dev/null || true
  status=""
  if ! plant "$file" "$original" "$replacement"; then
    status=not-applicable
  else
    planted=$file
    if ! build_all; then
      status=no-build
    elif run_programs "$(folder_suite "$file")"; then
      status=missed
    else
      status=caught
    fi
    restore
  fi
  case $status in
    caught) caught=$((caught + 1)) ;;
    missed) missed=$((missed + 1)) ;;
    not-applicable) inapplicable=$((inapplicable + 1)) ;;
    no-build) unbuilt=$((unbuilt + 1)) ;;
  esac
  printf '%-15s %s\n' "$status" "$name" | tee -a "$results"
done <"$list"

build_all || true   # leave the build matching the source
summary="faults: $caught caught, $missed missed of $((caught + missed)) planted ($inapplicable not applicable, $unbuilt not building)"
echo "$summary" | tee -a "$results"

#!/usr/bin/env bash
# Checks the export and import tables of the Windows build:
#   - zunAIEngine.dll exports zunCreateEngine under exactly that name, and
#     theAIEngine, and members of every exported class whose header is in the tree;
#   - zunAIEngine.dll imports nothing but zunCoreEngine.dll, zunRenderEngine.dll
#     and system DLLs;
#   - no DLL or program of the build imports the MinGW runtime DLLs
#     (libstdc++-6.dll, libgcc_s*.dll, libwinpthread-1.dll).
#
# usage: scripts/check-dll-exports.sh [BIN_DIR]   (default build/mingw/bin)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$root/build/mingw/bin}
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
dll=$bin/zunAIEngine.dll
failures=0

fail() {
  echo "check-dll-exports: FAIL: $*" >&2
  failures=$((failures + 1))
}

command -v "$objdump" >/dev/null || { echo "check-dll-exports: $objdump not found" >&2; exit 1; }
[ -f "$dll" ] || { echo "check-dll-exports: $dll not found" >&2; exit 1; }

for lib in zunCoreEngine.dll zunRenderEngine.dll; do
  [ -f "$bin/$lib" ] || fail "$bin/$lib not found (DLL names carry no lib prefix)"
done

table=$("$objdump" -p "$dll")

# Names of the export name table: the lines "[   N] name" after its heading.
exports=$(awk '/^\[Ordinal\/Name Pointer\] Table/ { on = 1; next }
               on && /^[[:space:]]*$/ { exit }
               on { sub(/^[[:space:]]*\[[[:space:]]*[0-9]+\][[:space:]]*/, ""); print }' <<<"$table")
imports=$(awk '/DLL Name:/ { print $3 }' <<<"$table")

[ -n "$exports" ] || fail "zunAIEngine.dll has no export name table"

has_export() { grep -qxF -- "$1" <<<"$exports"; }

echo "zunAIEngine.dll exports:"
for name in zunCreateEngine theAIEngine; do
  if has_export "$name"; then
    echo "  $name"
  else
    fail "'$name' is not exported under exactly that name"
    grep -F -- "$name" <<<"$exports" | sed 's/^/  near miss: /' >&2 || true
  fi
done

# Every exported class shows up with its members (Itanium names _ZN<len><class>...).
for class in zunAIEngine zunAIMark zunAIPath zunAIPathMgr zunAIMemory zunAIMemoryMgr zunAITask zunAITaskMgr zunAIVideo; do
  if [ "$class" != zunAIEngine ] && [ -z "$(find "$root"/paths "$root"/route "$root"/memory "$root"/video -name "$class.h" 2>/dev/null)" ]; then
    echo "  $class: not in the tree yet, skipped"
    continue
  fi
  members=$(grep -cE "^_Z(N|NK|TV|TI)${#class}${class}" <<<"$exports" || true)
  if [ "$members" -gt 0 ]; then
    echo "  $class: $members symbols"
  else
    fail "class $class exports nothing (missing ZUNAI_API?)"
  fi
done

echo "zunAIEngine.dll imports:"
for imp in $imports; do
  lower=$(tr '[:upper:]' '[:lower:]' <<<"$imp")
  case $lower in
    zuncoreengine.dll|zunrenderengine.dll)
      echo "  $imp" ;;
    kernel32.dll|user32.dll|advapi32.dll|msvcrt.dll|ucrtbase.dll|ntdll.dll|api-ms-win-*.dll)
      echo "  $imp (system)" ;;
    *)
      fail "zunAIEngine.dll imports $imp" ;;
  esac
done
grep -qixF zunCoreEngine.dll <<<"$imports" || fail "zunAIEngine.dll does not import zunCoreEngine.dll"
grep -qixF zunRenderEngine.dll <<<"$imports" || fail "zunAIEngine.dll does not import zunRenderEngine.dll"

# The C++ runtime is linked statically everywhere.
checked=0
for file in "$bin"/*.dll "$bin"/*.exe; do
  [ -f "$file" ] || continue
  checked=$((checked + 1))
  bad=$("$objdump" -p "$file" | awk '/DLL Name:/ { print $3 }' | grep -iE '^(libstdc\+\+|libgcc_s|libwinpthread|libatomic|libssp)' || true)
  [ -z "$bad" ] || fail "$(basename "$file") imports the MinGW runtime: $(echo $bad)"
done
echo "runtime imports checked in $checked files of $bin"

if [ "$failures" -gt 0 ]; then
  echo "check-dll-exports: $failures problem(s) found" >&2
  exit 1
fi
echo "check-dll-exports: OK"

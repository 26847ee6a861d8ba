#!/usr/bin/env bash
# Checks the MSVC-ABI zunAIEngine.dll by name (build/msvc/bin by default):
#   - it exports every name that clang's MSVC target gives the declarations of
#     platform/msvc-abi/zunDeclaredModule.h (the exported classes as a game
#     declares them from the documentation, written apart from the module's
#     headers), and it imports from the host's libraries no name that the
#     declarations of platform/msvc-abi/zunDeclaredHost.h don't give;
#   - it exports exactly the decorated names of platform/msvc-abi/zunAIEngine.exports;
#   - it imports from the host's zunCoreEngine.dll and zunRenderEngine.dll only
#     names of their definition files (platform/msvc-abi/imports/*.def), and
#     from no other DLL than those two and the system's ntdll.dll;
#   - the MSVC-ABI stand-in's zunCoreEngine.dll and zunRenderEngine.dll, when
#     they are beside it, export every name of those definition files, so
#     that the module's imports resolve against them.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build/msvc/bin}
dll=$dir/zunAIEngine.dll
platform=$root/platform/msvc-abi
[ -f "$dll" ] || { echo "check-msvc-abi: no $dll" >&2; exit 1; }
readobj=$(command -v llvm-readobj || command -v llvm-readobj-14)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failed=0

listed() { grep -v '^#' "$1" | sed '/^$/d' | sort; }

# exports DLL: its exported names, sorted.
exports() { "$readobj" --coff-exports "$1" | awk '/^ *Name: /{print $2}' | sed '/^$/d' | sort; }

exports "$dll" >"$tmp/exports"
listed "$platform/zunAIEngine.exports" >"$tmp/expected"
if ! diff -u "$tmp/expected" "$tmp/exports" >"$tmp/diff"; then
  echo "check-msvc-abi: exports differ from zunAIEngine.exports (- missing, + unexpected):" >&2
  grep '^[-+][^-+]' "$tmp/diff" >&2
  failed=1
fi

# Imports as "DLL NAME" lines.
"$readobj" --coff-imports "$dll" | awk '/^ *Name: /{lib=$2} /^ *Symbol: /{print lib, $2}' >"$tmp/imports"
while read -r lib name; do
  case $lib in
    zunCoreEngine.dll|zunRenderEngine.dll|ntdll.dll)
      def=$platform/imports/${lib%.dll}.def
      if ! awk 'NR > 2 {print $1}' "$def" | grep -qxF -- "$name"; then
        echo "check-msvc-abi: imports $name from $lib, not in ${def#$root/}" >&2
        failed=1
      fi ;;
    *)
      echo "check-msvc-abi: imports $name from $lib (only the host's DLLs and ntdll.dll)" >&2
      failed=1 ;;
  esac
done <"$tmp/imports"

# The stand-in's libraries against the names the module imports from them.
host_libraries=0
for lib in zunCoreEngine zunRenderEngine; do
  [ -f "$dir/$lib.dll" ] || continue
  host_libraries=$((host_libraries + 1))
  exports "$dir/$lib.dll" >"$tmp/$lib.exports"
  awk 'NR > 2 {print $1}' "$platform/imports/$lib.def" | sort | comm -23 - "$tmp/$lib.exports" >"$tmp/$lib.missing"
  if [ -s "$tmp/$lib.missing" ]; then
    echo "check-msvc-abi: $lib.dll lacks names of imports/$lib.def:" >&2
    cat "$tmp/$lib.missing" >&2
    failed=1
  fi
done

# declared HEADER: "CLASS NAME" lines for the header's declarations.
declared() {
  clang++ --target=i686-pc-windows-msvc -std=c++17 -fsyntax-only -nostdinc++ -nostdlibinc -x c++ \
    -Xclang -ast-dump=json "$1" | python3 "$root/scripts/msvc-declared-names.py"
}

declared "$platform/zunDeclaredModule.h" >"$tmp/module-declared"
while read -r class name; do
  if ! grep -qxF -- "$name" "$tmp/exports"; then
    echo "check-msvc-abi: $class: $name is declared but not exported" >&2
    failed=1
  fi
done <"$tmp/module-declared"

declared "$platform/zunDeclaredHost.h" | awk '{print $2}' >"$tmp/host-declared"
while read -r lib name; do
  case $lib in zunCoreEngine.dll|zunRenderEngine.dll) ;; *) continue ;; esac
  if ! grep -qxF -- "$name" "$tmp/host-declared"; then
    echo "check-msvc-abi: imports $name from $lib, which the host's declarations don't give" >&2
    failed=1
  fi
done <"$tmp/imports"

[ $failed -eq 0 ] || exit 1
echo "check-msvc-abi: $(wc -l <"$tmp/exports") exports ($(wc -l <"$tmp/module-declared") of the declared classes)," \
  "$(wc -l <"$tmp/imports") imports, all as declared; $host_libraries host libraries export every name imported from them: OK"

#!/usr/bin/env bash
# clang-tidy over the program's own sources, with the checks of .clang-tidy; any finding fails.
# The native tree's compile database covers the portable sources; the Windows tree's (mingw)
# covers the files only it builds, the Win32 halves and the Win32-only folders. Both trees must
# have been configured and built (generated headers).
#   tools/tidy.sh [NATIVE_TREE] [WINDOWS_TREE]    default build/native build/windows; JOBS=n
set -euo pipefail
cd "$(dirname "$0")/.."
native="${1:-build/native}"
windows="${2:-build/windows}"
jobs="${JOBS:-$(nproc)}"

# The sources under src/ that a compile database lists and `other` does not, as path patterns
# for run-clang-tidy.
sources() {
  python3 - "$1" "${2:-}" "$PWD/src/" <<'EOF'
import json, re, sys
def files(db):
    return {e["file"] for e in json.load(open(db))} if db else set()
src = sys.argv[3]
for f in sorted(files(sys.argv[1]) - files(sys.argv[2])):
    if f.startswith(src):
        print("^" + re.escape(f) + "$")
EOF
}

# GCC's own options that clang does not know are not findings.
common=(-quiet -j "$jobs" -extra-arg=-Wno-unknown-warning-option)
# run-clang-tidy always asks for colours; a log reads better without them. Everything is also
# kept, so the findings can be repeated at the end, where a long log's tail shows them.
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
plain() { sed 's/\x1b\[[0-9;]*m//g' | tee -a "$log"; }
status=0

mapfile -t native_files < <(sources "$native/compile_commands.json")
run-clang-tidy "${common[@]}" -p "$native" "${native_files[@]}" | plain || status=1

# Clang finds mingw's C headers from the target, but not the C++ library that this GCC ships:
# take its folders from the compiler itself.
mingw_cxx=()
while read -r dir; do
  mingw_cxx+=("-extra-arg=-isystem$dir")
done < <(x86_64-w64-mingw32-g++-posix -E -x c++ -v - </dev/null 2>&1 | sed -n 's|^ \(/.*/c++.*\)$|\1|p')
mapfile -t windows_files < <(sources "$windows/compile_commands.json" "$native/compile_commands.json")
run-clang-tidy "${common[@]}" "${mingw_cxx[@]}" -p "$windows" "${windows_files[@]}" | plain || status=1
if [[ $status -ne 0 ]]; then
  echo "tidy: findings in ${#native_files[@]} native and ${#windows_files[@]} Windows sources:"
  grep -E '^/.*: (error|warning): ' "$log" | sort -u
  exit 1
fi
echo "tidy: ${#native_files[@]} native and ${#windows_files[@]} Windows sources clean"

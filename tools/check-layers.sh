#!/usr/bin/env bash
# Fails on an include in src/ that runs against the layer order of README.md ("Layers"): a file
# may include its own folder, a folder of a lower layer, or a same-layer folder listed below.
# The `_win32` files of the bottom two layers are Win32 adapters and rank with layer 3 (the
# adapters of higher folders may use them); the other files of those layers must not include
# Win32 headers.
#
#   tools/check-layers.sh [repository root]
set -euo pipefail
root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
cd "$root"

declare -A layer=(
  [text]=1 [core]=1 [formats]=1 [assets]=1
  [find]=2 [store]=2 [settings]=2 [net]=2 [exec]=2 [acquire]=2 [transfer]=2
  [toolkit]=3 [desktop]=3
  [ui]=4
  [app]=5 [flipit]=5
)
declare -A layer_name=([1]="base" [2]="portable logic" [3]="Win32 adapters" [4]="ui" [5]="app")
# Same-layer edges, "from to"; keep them acyclic.
allowed_edges=(
  "exec store"
  "acquire exec"
  "acquire store"
  "acquire net"
  "transfer store"
  "transfer settings"
  "transfer exec"
)
project_include='^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)"'
win32_include='^[[:space:]]*#[[:space:]]*include[[:space:]]*<(windows|windowsx|winhttp|wininet|winsock2|ws2tcpip|winreg|shlobj|shellapi|shlwapi|commctrl|objbase|objidl|ole2|gdiplus|bcrypt)\.h>'

# The layer a file ranks in: its folder's, or 3 for a `_win32` file of layers 1 and 2.
rank() {
  local folder="$1" file="$2" n="${layer[$1]}"
  if ((n <= 2)) && [[ "$(basename "$file")" == *_win32.* ]]; then n=3; fi
  echo "$n"
}

allowed_edge() {
  local edge
  for edge in "${allowed_edges[@]}"; do [[ "$edge" == "$1 $2" ]] && return 0; done
  return 1
}

failures=0
fail() {
  echo "$1: $2" >&2
  failures=$((failures + 1))
}

[ -d src ] || { echo "check-layers: no src/ under $root" >&2; exit 2; }

while IFS= read -r -d '' file; do
  folder="${file#src/}"
  folder="${folder%%/*}"
  if [[ -z "${layer[$folder]:-}" ]]; then
    fail "$file" "folder '$folder' has no layer: add it to tools/check-layers.sh and the README"
    continue
  fi
  from=$(rank "$folder" "$file")

  line_number=0
  while IFS= read -r line || [ -n "$line" ]; do
    line_number=$((line_number + 1))
    if [[ "$line" =~ $project_include ]]; then
      included="${BASH_REMATCH[1]}"
      [[ "$included" == */* ]] || continue  # beside the file: its own folder
      to_folder="${included%%/*}"
      if [[ -z "${layer[$to_folder]:-}" ]]; then
        fail "$file:$line_number" "includes $included from '$to_folder', which is no library of src/"
        continue
      fi
      to=$(rank "$to_folder" "$included")
      [[ "$to_folder" == "$folder" && "$to" -le "$from" ]] && continue
      # The Win32 half of a lower library serves the adapters above it (core/handles_win32.h).
      ((to == from && ${layer[$to_folder]} < ${layer[$folder]})) && continue
      if ((to > from)); then
        fail "$file:$line_number" "$folder (layer $from, ${layer_name[$from]}) includes $included (layer $to, ${layer_name[$to]}): a lower layer never includes a higher one"
      elif ((to == from)) && ! allowed_edge "$folder" "$to_folder"; then
        fail "$file:$line_number" "$folder includes $included from the same layer ($from, ${layer_name[$from]}) without an allowed edge '$folder $to_folder'"
      fi
    elif ((from <= 2)) && [[ "$line" =~ $win32_include ]]; then
      fail "$file:$line_number" "portable file of $folder includes <${BASH_REMATCH[1]}.h>: Win32 code goes in a _win32 file"
    fi
  done <"$file"
done < <(find src -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)

if ((failures)); then
  echo "check-layers: $failures include(s) against the layer order (README.md, \"Layers\")" >&2
  exit 1
fi
echo "check-layers: every include in src/ follows the layer order"

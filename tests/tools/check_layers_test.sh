#!/usr/bin/env bash
# Runs tools/check-layers.sh on small trees and checks what it accepts and what it reports.
set -uo pipefail
script="$(cd "$(dirname "$0")/../.." && pwd)/tools/check-layers.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

tree() {  # tree NAME then "path|content" pairs; content uses \n
  local dir="$work/$1" entry
  shift
  mkdir -p "$dir/src"
  for entry in "$@"; do
    mkdir -p "$dir/$(dirname "${entry%%|*}")"
    printf '%b\n' "${entry#*|}" >"$dir/${entry%%|*}"
  done
  echo "$dir"
}

expect_pass() {  # NAME DIR
  if ! output=$("$script" "$2" 2>&1); then
    echo "FAIL $1: rejected a tree that follows the order:"; echo "$output"; failed=1
  fi
}

expect_report() {  # NAME DIR LOCATION TEXT
  if output=$("$script" "$2" 2>&1); then
    echo "FAIL $1: passed"; failed=1
  elif ! grep -qF -- "$3: " <<<"$output" || ! grep -F -- "$3: " <<<"$output" | grep -qF -- "$4"; then
    echo "FAIL $1: expected '$3: ...$4...' in:"; echo "$output"; failed=1
  fi
}

expect_pass "own folder, lower layers, listed edge, Win32 halves" "$(tree clean \
  'src/core/geometry.h|#pragma once' \
  'src/store/groups.cpp|#include "store/groups.h"\n#include "text/utf.h"\n#include "core/geometry.h"' \
  'src/exec/grid.h|#include "store/items.h"\n#include "assets/images/builtin_images.h"' \
  'src/exec/lookup_win32.cpp|#include <windows.h>\n#include "exec/lookup.h"\n#include "store/items.h"' \
  'src/toolkit/control.h|#include <windows.h>\n#include "core/geometry.h"\n#include "settings/names.h"\n#include "core/handles_win32.h"' \
  'src/ui/window.cpp|#include "toolkit/control.h"\n#include "settings/settings.h"\n#include "window.h"' \
  'src/app/app.cpp|#include "ui/window.h"\n#include "settings/run_key_win32.h"')"

expect_report "upward include" "$(tree up 'src/store/groups.h|#include <string>\n#include "ui/toast_kind.h"')" \
  "src/store/groups.h:2" "a lower layer never includes a higher one"
expect_report "ui includes app" "$(tree ui_app 'src/ui/settings_ui.h|#include "app/settings.h"')" \
  "src/ui/settings_ui.h:1" "includes app/settings.h (layer 5"
expect_report "portable logic includes the toolkit" "$(tree logic_toolkit 'src/settings/a.cpp|#include "toolkit/control.h"')" \
  "src/settings/a.cpp:1" "(layer 3"
expect_report "same layer without an edge" "$(tree sideways 'src/store/a.cpp|#include "exec/grid.h"')" \
  "src/store/a.cpp:1" "without an allowed edge 'store exec'"
expect_report "a Win32 half is an adapter" "$(tree win32_half 'src/net/rules.cpp|#include "net/session_win32.h"')" \
  "src/net/rules.cpp:1" "(layer 3"
expect_report "portable logic includes a Win32 half" "$(tree logic_win32 'src/store/a.cpp|#include "core/handles_win32.h"')" \
  "src/store/a.cpp:1" "(layer 3"
expect_report "Win32 header in portable code" "$(tree windows_h 'src/text/utf.cpp|#include "text/utf.h"\n  #  include <windows.h>')" \
  "src/text/utf.cpp:2" "<windows.h>"
expect_report "folder without a layer" "$(tree unknown 'src/extra/a.cpp|#include "text/utf.h"')" \
  "src/extra/a.cpp" "has no layer"

exit "$failed"

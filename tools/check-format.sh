#!/usr/bin/env bash
# Checks that every tracked C++ file is laid out as the checked-in .clang-format says; lists each
# place that differs and fails when there is one. Fix a file with `clang-format -i FILE`.
set -euo pipefail
cd "$(dirname "$0")/.."
clang_format="${CLANG_FORMAT:-clang-format}"
if ! command -v "$clang_format" >/dev/null 2>&1; then
  echo "check-format: $clang_format is missing; run tools/setup.sh" >&2
  exit 127
fi

mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ((${#files[@]} == 0)); then
  echo "check-format: no C++ files found" >&2
  exit 1
fi

report="$("$clang_format" --style=file --dry-run -Werror "${files[@]}" 2>&1)" && rc=0 || rc=$?
if ((rc == 0)); then
  echo "check-format: ${#files[@]} files laid out as .clang-format says ($("$clang_format" --version))"
  exit 0
fi
printf '%s\n' "$report"
places=$(grep -c -- '-Wclang-format-violations' <<<"$report" || true)
bad_files=$(grep -- '-Wclang-format-violations' <<<"$report" | cut -d: -f1 | sort -u | wc -l)
echo "check-format: $bad_files of ${#files[@]} files differ from .clang-format in $places places" \
  "($("$clang_format" --version))" >&2
exit 1

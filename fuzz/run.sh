#!/usr/bin/env bash
# Runs each fuzz program for a set time, one after the other, from a scratch copy of its seeds so
# the checked-in corpus stays as it is; prints one line of figures per program and fails when any
# found a crash (the input is kept in <build>/fuzz-artifacts/).
#
#   fuzz/run.sh <build dir> <seconds each> [program…]   (default: every program built)
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
build="$1"
seconds="$2"
shift 2
bin="$build/fuzz"
if (($# == 0)); then
  mapfile -t programs < <(cd "$bin" && find . -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x -printf '%f\n' | sort)
else
  programs=("$@")
fi
((${#programs[@]})) || { echo "fuzz: no programs in $bin" >&2; exit 2; }

work="$build/fuzz-work"
artifacts="$build/fuzz-artifacts"
mkdir -p "$artifacts"
failed=()
for program in "${programs[@]}"; do
  seeds="$repo/fuzz/corpus/${program#fuzz_}"
  corpus="$work/$program"
  rm -rf "$corpus"
  mkdir -p "$corpus"
  [ -d "$seeds" ] && cp "$seeds"/* "$corpus"/ 2>/dev/null || true
  log="$work/$program.log"
  status=0
  "$bin/$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$artifacts/$program-" "$corpus" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  last=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
  features=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
  if ((status == 0)); then
    echo "fuzz: $program ok: ${runs:-?} runs in ${seconds}s, cov ${cov:-?}, ft ${features:-?}"
  else
    echo "fuzz: $program FAILED (exit $status) after ${runs:-?} runs; log $log" >&2
    grep -E 'ERROR|property broken|runtime error|SUMMARY|Test unit written' "$log" | head -8 >&2 || true
    failed+=("$program")
  fi
done
if ((${#failed[@]})); then
  echo "fuzz: ${#failed[@]} of ${#programs[@]} programs failed: ${failed[*]}" >&2
  exit 1
fi

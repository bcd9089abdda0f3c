#!/usr/bin/env bash
# Copies a built Windows program for shipping: optimised code only, its debug information moved
# into BUILT.debug beside the build's copy (linked by name, so a debugger finds it), and the
# copy refused when it grows past the size limit.
#   ship-exe.sh BUILT.exe SHIPPED.exe [LIMIT_BYTES]
set -euo pipefail
built="$1"
shipped="$2"
limit="${3:-10000000}"
objcopy="${OBJCOPY:-x86_64-w64-mingw32-objcopy}"
strip="${STRIP:-x86_64-w64-mingw32-strip}"

debug="$built.debug"
"$objcopy" --only-keep-debug "$built" "$debug"
mkdir -p "$(dirname "$shipped")"
tmp="$shipped.tmp"
"$strip" --strip-all -o "$tmp" "$built"
# The link records the debug file's name and checksum.
"$objcopy" --add-gnu-debuglink="$debug" "$tmp"
size=$(stat -c %s "$tmp")
if [ "$size" -ge "$limit" ]; then
  rm -f "$tmp"
  echo "ship-exe: $shipped would be $size bytes, over the limit of $limit" >&2
  exit 1
fi
mv -f "$tmp" "$shipped"
echo "ship-exe: $shipped $size bytes; symbols in $debug"

#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build and test Velora. Safe to run again:
# it only installs what is missing and only downloads what is not cached yet.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"

packages=(
  cmake make g++ git pkg-config
  g++-mingw-w64-x86-64-posix
  wine wine64 xvfb xdotool x11-utils
  fonts-wqy-zenhei fonts-noto-cjk imagemagick librsvg2-bin icoutils ccache
  libgtest-dev googletest libbenchmark-dev libssl-dev
  clang-format
  clang libclang-rt-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# A machine may carry its own Node.js outside Debian's packages; Debian's npm would clash with it.
command -v npm >/dev/null 2>&1 || missing+=(nodejs npm)
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The SQLite amalgamation comes from a pinned npm package; CMake checks its sha256 and unpacks it.
cache="$repo/.cache/npm"
mkdir -p "$cache"
sqlite_pkg="better-sqlite3-12.11.1.tgz"
if [ ! -f "$cache/$sqlite_pkg" ]; then
  (cd "$cache" && npm pack --loglevel=error better-sqlite3@12.11.1 >/dev/null)
fi
echo "ebf0ed75a7a59dbcb3b24bbd014ef49d9f15bc328e4adcbf516f2a8fadfa2835  $cache/$sqlite_pkg" | sha256sum -c --quiet -

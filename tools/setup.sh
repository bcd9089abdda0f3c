#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build and test Velora. Safe to run again:
# it only installs what is missing and only downloads what is not cached yet.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"

# What every command but `make fuzz` needs.
packages=(
  cmake make g++ git pkg-config curl
  g++-mingw-w64-x86-64-posix
  wine wine64 xvfb xdotool x11-utils
  fonts-wqy-zenhei fonts-noto-cjk imagemagick librsvg2-bin icoutils ccache
  libgtest-dev googletest libbenchmark-dev libssl-dev nlohmann-json3-dev
  golang-github-mozillazg-go-pinyin-dev
  clang-format
)
# Clang with libFuzzer is large and only `make fuzz` uses it (`tools/setup.sh fuzz`); clang-tidy
# only `make tidy` (`tools/setup.sh tidy`).
case "${1:-}" in
  fuzz) packages+=(clang libclang-rt-dev) ;;
  tidy) packages+=(clang-tidy) ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The SQLite amalgamation comes from a pinned package of the npm registry, taken as the file npm
# itself would download (no Node.js needed); CMake checks its sha256 and unpacks it.
cache="$repo/.cache/npm"
mkdir -p "$cache"
sqlite_pkg="better-sqlite3-12.11.1.tgz"
if [ ! -f "$cache/$sqlite_pkg" ]; then
  curl -fsSL --retry 3 -o "$cache/$sqlite_pkg.part" "https://registry.npmjs.org/better-sqlite3/-/$sqlite_pkg"
  mv "$cache/$sqlite_pkg.part" "$cache/$sqlite_pkg"
fi
echo "ebf0ed75a7a59dbcb3b24bbd014ef49d9f15bc328e4adcbf516f2a8fadfa2835  $cache/$sqlite_pkg" | sha256sum -c --quiet -

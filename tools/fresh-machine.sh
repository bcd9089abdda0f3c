#!/usr/bin/env bash
# Repeats "a fresh-machine run of the README's test command": `make test` (or another command) in
# a clean clone, as root, inside a new minimal Debian 12 root that has only git, make and
# ca-certificates, so whatever the project's own files forget to install shows up. Several runs
# in a row, each in a root of its own and one of them with the CPU loaded, catch tests that
# depend on timing.
#
#   tools/fresh-machine.sh [OPTIONS] [REPOSITORY]
#
# REPOSITORY is a local repository or a git URL; the default is the repository holding this
# script. The committed head of its branch is cloned: uncommitted changes are not tested.
#
#   --runs N         runs one after another, each in a new root (default 3)
#   --load-run K     run `stress-ng --cpu 2` during run K (default: the last run; 0: none)
#   --command CMD    what to run in the clone instead of `make test` (e.g. 'make setup')
#   --branch B       the branch to clone (default main)
#   --keep           keep the run roots for inspection (default: unmount and remove them)
#   --dir DIR        where run roots and logs go (env VELORA_FRESH_DIR,
#                    default /var/tmp/velora-fresh)
#   --base DIR       where the Debian base root is made once and reused (env VELORA_FRESH_BASE,
#                    default DIR/base)
#   --variant V      debootstrap variant of the base: minbase (default; the strictest) or
#                    default (the required and important packages of a plain installation)
#   --mirror URL     Debian mirror (env VELORA_FRESH_MIRROR; default: the host's apt sources)
#
# Needs root (it mounts and chroots). Installs debootstrap, and stress-ng when a run is loaded,
# on the host when missing. Only one invocation runs at a time: all chroots share the host's
# network namespace and abstract X sockets, so concurrent test runs would disturb each other.
set -euo pipefail

# Root's login PATH: debootstrap, chroot and mount live in sbin folders.
export PATH="/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin"

script_repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
suite=bookworm
# What the README says a fresh machine needs; ca-certificates so git and npm can reach https.
base_packages="git,make,ca-certificates"

top="${VELORA_FRESH_DIR:-/var/tmp/velora-fresh}"
base="${VELORA_FRESH_BASE:-}"
mirror="${VELORA_FRESH_MIRROR:-}"
runs=3
load_run=""
keep=0
command="make test"
branch=main
variant=minbase
repo=""

usage() {
  # The header comment above, up to `set -euo pipefail`.
  sed -n '2,/^set -euo/p' "${BASH_SOURCE[0]}" | sed '$d; s/^# \{0,1\}//'
}

die() {
  echo "fresh-machine: $*" >&2
  exit 2
}

while (($#)); do
  case "$1" in
    --runs) runs="${2:?--runs needs a number}"; shift 2 ;;
    --load-run) load_run="${2:?--load-run needs a run number}"; shift 2 ;;
    --command) command="${2:?--command needs a command}"; shift 2 ;;
    --branch) branch="${2:?--branch needs a name}"; shift 2 ;;
    --keep) keep=1; shift ;;
    --dir) top="${2:?--dir needs a folder}"; shift 2 ;;
    --base) base="${2:?--base needs a folder}"; shift 2 ;;
    --variant) variant="${2:?--variant needs a name}"; shift 2 ;;
    --mirror) mirror="${2:?--mirror needs a URL}"; shift 2 ;;
    -h | --help) usage; exit 0 ;;
    -*) die "unknown option $1 (see --help)" ;;
    *)
      [ -z "$repo" ] || die "only one repository may be given"
      repo="$1"; shift ;;
  esac
done

[[ $runs =~ ^[1-9][0-9]*$ ]] || die "--runs must be a positive number"
load_run="${load_run:-$runs}"
if ! [[ $load_run =~ ^[0-9]+$ ]] || ((load_run > runs)); then die "--load-run must be 0 to $runs"; fi
case "$variant" in
  minbase) variant_args=(--variant=minbase) ;;
  default) variant_args=() ;;
  *) die "--variant must be minbase or default" ;;
esac
[ "$(id -u)" -eq 0 ] || die "must run as root: it mounts file systems and chroots"

top="$(realpath -m "$top")"
base="$(realpath -m "${base:-$top/base}")"
# Mount points are read back from /proc/self/mountinfo, which escapes white space; and a stray
# "/" here would aim the clean-up's rm at the whole machine.
for d in "$top" "$base"; do
  [[ $d =~ [[:space:]] ]] && die "no white space in $d, please"
  [ "$d" != / ] || die "refusing / as a work folder"
done

# A local repository is cloned over file://, so the clone is a real transfer of the committed
# history, not hard links into the working tree.
repo="${repo:-$script_repo}"
if [ -d "$repo" ]; then
  repo="$(realpath "$repo")"
  for d in "$top" "$base"; do
    case "$d/" in "$repo"/*) die "$d lies inside the repository $repo; pick a folder outside it" ;; esac
  done
  git -C "$repo" rev-parse --verify --quiet "refs/heads/$branch" >/dev/null ||
    die "$repo has no branch $branch"
  # --no-optional-locks: another developer may be committing in that repository right now.
  if [ -n "$(git --no-optional-locks -C "$repo" status --porcelain --untracked-files=no)" ]; then
    echo "fresh-machine: note: $repo has uncommitted changes; only the committed $branch is tested"
  fi
  clone_url="file://$repo"
else
  clone_url="$repo"
fi

# One invocation at a time, machine-wide (see the header).
mkdir -p "$top/runs" "$top/logs"
lock_dir=/run/lock
[ -d "$lock_dir" ] || lock_dir=/tmp
exec 8>"$lock_dir/velora-fresh.lock"
flock -n 8 || die "another fresh-machine run is in progress"

# ---------------------------------------------------------------------------------------------
# Helpers

# Installs PACKAGE on the host when COMMAND is missing; refreshes the package lists only when the
# first try fails, as an update is slow and usually unneeded.
host_install() {
  local cmd=$1 package=$2
  command -v "$cmd" >/dev/null 2>&1 && return 0
  echo "fresh-machine: installing $package on this machine"
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y -qq --no-install-recommends "$package" >/dev/null 2>&1 ||
    { apt-get update -qq && apt-get install -y -qq --no-install-recommends "$package"; }
}

# Prints the URI of the host's first enabled "deb" source, one-line or deb822 format, whose
# suites include $1 (e.g. bookworm, bookworm-security); prints nothing when there is none.
host_source_for() {
  local files=() f
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && files+=("$f")
  done
  ((${#files[@]})) || return 0
  awk -v want="$1" '
    function reset() { types = ""; uris = ""; suites = ""; enabled = "yes"; key = "" }
    function flush(   n, i, s, u) {
      if (found == "" && types ~ /(^|[ \t])deb([ \t]|$)/ && tolower(enabled) !~ /^[ \t]*no/) {
        n = split(suites, s, " ")
        for (i = 1; i <= n; i++) if (s[i] == want) { split(uris, u, " "); found = u[1] }
      }
      reset()
    }
    FNR == 1 { flush() }
    FILENAME ~ /\.sources$/ {
      if ($0 ~ /^[ \t]*#/) next
      if ($0 ~ /^[ \t]*$/) { flush(); next }
      if ($0 ~ /^[ \t]/) {
        if (key == "uris") uris = uris " " $0
        else if (key == "suites") suites = suites " " $0
        next
      }
      key = tolower($0); sub(/:.*/, "", key)
      value = $0; sub(/^[^:]*:/, "", value)
      if (key == "types") types = value
      else if (key == "uris") uris = value
      else if (key == "suites") suites = value
      else if (key == "enabled") enabled = value
      next
    }
    {
      line = $0; sub(/#.*/, "", line); gsub(/\[[^]]*\]/, "", line)
      n = split(line, f, " ")
      if (found == "" && n >= 3 && f[1] == "deb" && f[3] == want) found = f[2]
    }
    END { flush(); if (found != "") print found }
  ' "${files[@]}"
}

# Mount points at or below $1, deepest first: a child's path always sorts after its parent's.
mounts_under() {
  awk -v d="$1" '$5 == d || index($5, d "/") == 1 { print $5 }' /proc/self/mountinfo | sort -r
}

# Unmounts everything at or below $1. A busy mount is detached lazily, so the folder is free to
# delete either way; fails only when something is still mounted after several passes.
unmount_under() {
  local dir=$1 m _
  local -a ms
  for _ in 1 2 3 4 5; do
    mapfile -t ms < <(mounts_under "$dir")
    ((${#ms[@]})) || return 0
    for m in "${ms[@]}"; do
      umount "$m" 2>/dev/null || umount -l "$m" 2>/dev/null || true
    done
  done
  if [ -n "$(mounts_under "$dir")" ]; then
    echo "fresh-machine: still mounted below $dir:" >&2
    mounts_under "$dir" >&2
    return 1
  fi
}

# Ends the processes whose root directory is $1 or below it: daemons a run left behind (a
# wineserver, an Xvfb) would keep its mounts busy. TERM first, KILL after 5 seconds.
kill_rooted_in() {
  local root=$1 sig i
  local -a pids
  for sig in TERM KILL; do
    for i in $(seq 50); do
      # One find for all processes: a readlink per process takes a second per pass.
      mapfile -t pids < <(find /proc -mindepth 2 -maxdepth 2 -name root -type l \
        \( -lname "$root" -o -lname "$root/*" \) 2>/dev/null | cut -d/ -f3)
      ((${#pids[@]})) || return 0
      if ((i == 1)); then
        echo "fresh-machine: sending $sig to processes left in $root: ${pids[*]}"
        kill -s "$sig" "${pids[@]}" 2>/dev/null || true
      fi
      sleep 0.1
    done
  done
}

# Removes a folder that held mounts, never crossing into a file system still mounted below it.
remove_tree() {
  unmount_under "$1" && rm -rf --one-file-system "$1"
}

# Seconds as minutes:seconds.
mmss() {
  printf '%d:%02d' $(($1 / 60)) $(($1 % 60))
}

load_pid=""
stop_load() {
  if [ -n "$load_pid" ]; then
    # stress-ng stops its workers when its parent gets TERM.
    kill -TERM "$load_pid" 2>/dev/null || true
    wait "$load_pid" 2>/dev/null || true
    load_pid=""
  fi
}

# Unmounts a run root (after ending what still runs in it) and removes it unless --keep.
current_run=""
finish_run() {
  local dir=$1
  kill_rooted_in "$dir/root" || true
  if ((keep)); then
    unmount_under "$dir" || true
    if [ -d "$dir/upper" ]; then
      echo "fresh-machine: kept $dir: what the run changed is in upper/; to browse the whole root:"
      echo "  mount -t overlay overlay -o lowerdir=$base/rootfs,upperdir=$dir/upper,workdir=$dir/work $dir/root"
    else
      echo "fresh-machine: kept $dir/root"
    fi
  else
    remove_tree "$dir" || echo "fresh-machine: could not remove $dir" >&2
  fi
}

# On any exit, also Ctrl+C or a failure half-way: stop the load, then free the run root.
building_base=0
# shellcheck disable=SC2317  # called by the trap below
cleanup() {
  stop_load
  if [ -n "$current_run" ]; then
    finish_run "$current_run"
    current_run=""
  fi
  # An interrupted debootstrap can leave its /proc and /sys mounted inside the new root.
  if ((building_base)); then unmount_under "$base" || true; fi
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# A run killed with SIGKILL left its mounts; nothing else may be mounted there (we hold the lock).
kill_rooted_in "$top/runs" || true
unmount_under "$top/runs"

# ---------------------------------------------------------------------------------------------
# The base root, made once: debootstrap plus the README's packages, nothing else.

if [ -z "$mirror" ]; then
  mirror="$(host_source_for "$suite")"
  [ -n "$mirror" ] || die "no enabled '$suite' source in /etc/apt/sources.list*; give --mirror URL"
fi
updates_mirror="$(host_source_for "$suite-updates")"
security_mirror="$(host_source_for "$suite-security")"

# What the base was made from; a base made differently is made anew.
signature="v1 $suite $variant $base_packages $mirror updates=$updates_mirror security=$security_mirror"

make_base() {
  local new="$base/rootfs.new"
  if [ -d "$base/rootfs" ] && [ "$(cat "$base/complete" 2>/dev/null)" = "$signature" ]; then
    echo "fresh-machine: reusing the base root $base/rootfs"
    return 0
  fi
  host_install debootstrap debootstrap
  echo "fresh-machine: making the base root $base/rootfs ($suite, $variant, from $mirror)"
  local start=$SECONDS
  building_base=1
  # Whatever is there is incomplete or made differently: the marker is written last.
  unmount_under "$base"
  rm -f "$base/complete"
  rm -rf --one-file-system "$new" "$base/rootfs"
  mkdir -p "$base"
  debootstrap "${variant_args[@]}" --include="$base_packages" "$suite" "$new" "$mirror" \
    >"$base/debootstrap.log" 2>&1 ||
    { tail -n 20 "$base/debootstrap.log" >&2; die "debootstrap failed; see $base/debootstrap.log"; }
  unmount_under "$new"
  # The sources a fresh installation has: the release, its updates and the security archive.
  {
    echo "deb $mirror $suite main"
    [ -z "$updates_mirror" ] || echo "deb $updates_mirror $suite-updates main"
    [ -z "$security_mirror" ] || echo "deb $security_mirror $suite-security main"
  } >"$new/etc/apt/sources.list"
  # The installer writes these, no package does; without them "localhost" does not resolve.
  echo fresh >"$new/etc/hostname"
  printf '127.0.0.1\tlocalhost\n127.0.1.1\tfresh\n::1\tlocalhost ip6-localhost ip6-loopback\n' \
    >"$new/etc/hosts"
  # No package may start a daemon inside the chroot: it would outlive the run and hold its mounts.
  printf '#!/bin/sh\nexit 101\n' >"$new/usr/sbin/policy-rc.d"
  chmod 755 "$new/usr/sbin/policy-rc.d"
  # debootstrap keeps the packages it fetched; a fresh machine's cache is empty.
  find "$new/var/cache/apt/archives" -maxdepth 1 -name '*.deb' -delete
  mv "$new" "$base/rootfs"
  echo "$signature" >"$base/complete.new"
  mv "$base/complete.new" "$base/complete"
  building_base=0
  echo "fresh-machine: base root made in $(mmss $((SECONDS - start)))"
}

make_base

# ---------------------------------------------------------------------------------------------
# The runs

# Makes the run root $1/root from the base: an overlay keeps the base pristine and costs no copy;
# where overlayfs is unavailable, a full copy does the same job more slowly.
make_run_root() {
  local dir=$1 root="$1/root"
  mkdir -p "$dir/upper" "$dir/work" "$root"
  if ! mount -t overlay overlay \
    -o "lowerdir=$base/rootfs,upperdir=$dir/upper,workdir=$dir/work" "$root" 2>/dev/null; then
    echo "fresh-machine: no overlayfs here; copying the base root"
    rm -rf "$dir/upper" "$dir/work"
    cp -a "$base/rootfs/." "$root/"
    # A mount point of its own, so the propagation settings below apply to it.
    mount --bind "$root" "$root"
  fi
  # Mounts made inside the run root must not propagate to the host's mounts (hosts with systemd
  # share / by default): /dev bound with shared propagation would carry our /dev/shm tmpfs over
  # the host's /dev/shm.
  mount --make-private "$root"
  local d
  for d in proc sys dev dev/pts; do
    mkdir -p "$root/$d"
    mount --bind "/$d" "$root/$d"
    mount --make-rslave "$root/$d"
  done
  # Its own /tmp (Xvfb makes /tmp/.X11-unix there) and /dev/shm, empty as after a boot.
  mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs "$root/tmp"
  mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs "$root/dev/shm"
  # The host's resolver, so apt and npm find their servers; the base may hold a symbolic link.
  rm -f "$root/etc/resolv.conf"
  cp -L /etc/resolv.conf "$root/etc/resolv.conf"
  # The host's network trust, like its resolver: where outgoing https passes a TLS-inspecting
  # proxy, the host trusts the proxy's CA (its local certificates, and npm pointed at the system
  # store by /etc/npmrc). These belong to the site, not to the project, and may change between
  # sessions, so every run takes them afresh.
  if compgen -G '/usr/local/share/ca-certificates/*' >/dev/null; then
    mkdir -p "$root/usr/local/share/ca-certificates"
    cp -a /usr/local/share/ca-certificates/. "$root/usr/local/share/ca-certificates/"
    env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin chroot "$root" update-ca-certificates >/dev/null 2>&1 ||
      die "update-ca-certificates failed in $root"
  fi
  if [ -f /etc/npmrc ]; then cp /etc/npmrc "$root/etc/npmrc"; fi
}

# The ctest summaries in a log ("100% tests passed, 0 tests failed out of 42"), or else its last
# line of output, for the table.
log_result() {
  local found
  # Lines starting with "# " are the ones this script writes into the log.
  found="$({ grep -av '^# ' "$1" | grep -aE 'tests passed|tests failed' || true; } |
    tail -n 4 | awk '{ printf "%s%s", (NR > 1 ? " | " : ""), $0 }')"
  if [ -z "$found" ]; then
    found="last line: $({ grep -av -e '^[[:space:]]*$' -e '^# ' "$1" || true; } | tail -n 1 | cut -c1-120)"
  fi
  echo "$found"
}

if ((load_run)); then host_install stress-ng stress-ng; fi

stamp="$(date +%Y%m%d-%H%M%S)"
declare -a row_load row_rc row_time row_log
load_note="no run under load"
if ((load_run)); then load_note="run $load_run under load"; fi
echo "fresh-machine: $runs run(s) of '$command' on $clone_url ($branch), $load_note"

for ((n = 1; n <= runs; n++)); do
  dir="$top/runs/$stamp-$n"
  log="$top/logs/$stamp-run$n.log"
  current_run="$dir"
  make_run_root "$dir"
  git clone --quiet --branch "$branch" "$clone_url" "$dir/root/root/velora"
  commit="$(git -C "$dir/root/root/velora" log -1 --format='%h %s')"
  loaded=no
  if ((n == load_run)); then loaded=yes; fi
  {
    echo "# fresh-machine run $n of $runs, $(date '+%F %T'), load: $loaded"
    echo "# $clone_url $branch at $commit"
    echo "# command: $command"
  } >"$log"
  echo "fresh-machine: run $n/$runs (load: $loaded) at $commit; log $log"
  if [ "$loaded" = yes ]; then
    stress-ng --cpu 2 --quiet >/dev/null 2>&1 &
    load_pid=$!
  fi
  start=$SECONDS
  rc=0
  # A clean environment, as on a fresh login; no standard input, as in CI. Started in the
  # background and waited for, so a signal to this script runs its trap at once rather than when
  # the command ends; with job control on (set -m) while it starts, it keeps the default handling
  # of SIGINT, which background commands of a script would otherwise ignore. The trap ends it and
  # all it started, as everything whose root is the run root.
  set -m
  env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin TERM=dumb \
    chroot "$dir/root" /bin/bash -c "cd /root/velora && $command" </dev/null >>"$log" 2>&1 &
  command_pid=$!
  set +m
  wait "$command_pid" || rc=$?
  elapsed=$((SECONDS - start))
  stop_load
  echo "# exit $rc after $(mmss "$elapsed")" >>"$log"
  echo "fresh-machine: run $n/$runs ended with exit $rc after $(mmss "$elapsed")"
  finish_run "$dir"
  current_run=""
  row_load[n]=$loaded
  row_rc[n]=$rc
  row_time[n]="$(mmss "$elapsed")"
  row_log[n]=$log
done

# ---------------------------------------------------------------------------------------------
# Summary

failed=0
echo
echo "fresh-machine: '$command' on $clone_url ($branch) at $commit"
printf '%-4s %-5s %-5s %-8s %s\n' run load exit time "log / result"
for ((n = 1; n <= runs; n++)); do
  printf '%-4s %-5s %-5s %-8s %s\n' "$n" "${row_load[n]}" "${row_rc[n]}" "${row_time[n]}" "${row_log[n]}"
  printf '%-25s %s\n' "" "$(log_result "${row_log[n]}")"
  ((row_rc[n] == 0)) || failed=1
done
exit "$failed"

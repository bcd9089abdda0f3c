#!/usr/bin/env bash
# Runs Windows programs under Wine for the build and the tests.
#   wine-run.sh PROGRAM.exe [ARGS…]   run one program (inside a session when one is open,
#                                     otherwise in a session of its own)
#   wine-run.sh --session CMD [ARGS…] run CMD with one session around it: the prefix made on first
#                                     use, Xvfb on a free display when there is no DISPLAY, one
#                                     wineserver kept for the whole run; stops only what it started.
#   wine-run.sh --lane NAME PROGRAM.exe [ARGS…]
#                                     run one program in a session of its own: a prefix of its own
#                                     (build/wineprefix-NAME) and a virtual display of its own, so
#                                     that it can run beside programs of other sessions.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
self="$repo/tools/wine-run.sh"

export WINEPREFIX="${VELORA_WINEPREFIX:-$repo/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
# No engine download offers, no menu files in the home folder.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=C.UTF-8 LC_ALL=C.UTF-8

# Debian's wine64 package puts no launcher on PATH; the launcher comes with the package wine.
wine_bin="$(command -v wine || command -v wine64 || true)"
if [ -z "$wine_bin" ]; then
  echo "wine-run: no Wine launcher (wine or wine64) on PATH; run tools/setup.sh, which installs the package wine" >&2
  exit 127
fi

# What the prefix is set up with; a prefix made by an older set-up is brought up to date once.
prefix_version=2

# A prefix just made may still be settling when the first `reg add` runs, which then fails with
# no word: each is tried again after the server has finished, and a last failure says what failed.
reg_add() {
  local attempt
  for attempt in 1 2 3; do
    "$wine_bin" reg add "$@" >/dev/null 2>&1 && return 0
    wineserver -w || true
    sleep "$attempt"
  done
  echo "wine-run: could not set up the Wine prefix $WINEPREFIX (reg add $1 failed three times)" >&2
  return 1
}

ensure_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 9>"$WINEPREFIX.lock"
  flock 9
  local marker="$WINEPREFIX/.velora-ready"
  if [ "$(cat "$marker" 2>/dev/null)" != "$prefix_version" ]; then
    if [ -f "$WINEPREFIX/system.reg" ]; then
      echo "wine-run: updating the Wine prefix $WINEPREFIX" >&2
    else
      echo "wine-run: creating the Wine prefix $WINEPREFIX" >&2
      "$wine_bin" wineboot -i >/dev/null 2>&1 || true
      wineserver -w || true
    fi
    # The program asks for 微软雅黑. Noto Sans CJK SC (fonts-noto-cjk) has outlines only; fonts
    # with embedded bitmaps draw broken strokes at the small sizes the panel uses.
    local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
    for face in 微软雅黑 "Microsoft YaHei"; do
      reg_add "$key" /v "$face" /t REG_SZ /d "Noto Sans CJK SC" /f
    done
    # Text files open with a program in a fresh prefix only once .txt has a type.
    reg_add 'HKCR\.txt' /ve /t REG_SZ /d txtfile /f
    wineserver -w
    echo "$prefix_version" >"$marker"
  fi
  flock -u 9
}

display_answers() {
  xdpyinfo -display "$1" >/dev/null 2>&1
}

# A display number is taken when its lock file or socket file exists here, or when a server of
# another mount namespace (a chroot, a container sharing the network) holds its abstract socket:
# clients would reach that server instead of ours, and two sessions would draw on one screen.
display_taken() {
  [ -e "/tmp/.X$1-lock" ] || [ -e "/tmp/.X11-unix/X$1" ] ||
    grep -q "@/tmp/.X11-unix/X$1\$" /proc/net/unix 2>/dev/null
}

# Starts Xvfb on the first display number it can hold; sets DISPLAY and xvfb_pid. An Xvfb that
# still cannot hold its number ends at once, and the next number is tried. The display counts
# only while our own Xvfb runs, so another server answering on the same number is never taken
# for ours.
start_virtual_display() {
  local n
  # Sessions starting at once would otherwise pick the same free number.
  exec 8>/tmp/.velora-virtual-display.lock
  flock 8
  for n in $(seq 90 160); do
    display_taken "$n" && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
      kill -0 "$xvfb_pid" 2>/dev/null || break
      if display_answers ":$n" && kill -0 "$xvfb_pid" 2>/dev/null; then
        export DISPLAY=":$n"
        flock -u 8
        return 0
      fi
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  done
  echo "wine-run: no virtual display (Xvfb) could be started on :90 to :160; windows cannot be made" >&2
  exit 1
}

# The virtual display has no window manager, and Wine waits two seconds for one to confirm each
# hide of a window it leaves to a manager. There Wine manages its windows itself: hides are at
# once, and it gives the keyboard focus to the window Windows activates. A real display keeps its
# window manager in charge.
set_window_management() {
  local key='HKCU\Software\Wine\X11 Driver'
  if [ "$1" = 1 ]; then
    "$wine_bin" reg add "$key" /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
  else
    "$wine_bin" reg delete "$key" /v Managed /f >/dev/null 2>&1 || true
  fi
}

# A person who ran one program on a virtual display sees nothing of it: say where it runs, write
# a picture of the screen once a window shows, and say how to stop it.
announce_virtual_display() {
  local shot="$repo/build/virtual-display.png"
  echo "wine-run: there is no display here, so the program runs on the virtual display $DISPLAY" >&2
  echo "wine-run: stop it with Ctrl+C; to watch it live, point a VNC viewer at 'x11vnc -display $DISPLAY' (Debian's x11vnc)" >&2
  (
    for _ in $(seq 300); do
      if xdotool search --onlyvisible --name . >/dev/null 2>&1; then
        sleep 1
        mkdir -p "$(dirname "$shot")"
        if import -display "$DISPLAY" -window root "$shot" 2>/dev/null; then
          echo "wine-run: the screen as it shows now: $shot (take another: DISPLAY=$DISPLAY import -window root FILE.png)" >&2
        fi
        exit 0
      fi
      sleep 0.2
    done
  ) &
  announcer_pid=$!
}

# Stops what this session started; also on Ctrl+C, since a background Xvfb ignores it.
end_session() {
  if [ -n "$announcer_pid" ]; then kill "$announcer_pid" 2>/dev/null || true; fi
  if [ "$started_server" = 1 ]; then wineserver -k >/dev/null 2>&1 || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
}

run_session() {
  local announce="$1"
  shift
  xvfb_pid="" started_server=0 announcer_pid=""
  local rc=0
  trap 'end_session; exit 130' INT TERM
  if [ -n "${DISPLAY:-}" ] && ! display_answers "$DISPLAY"; then
    echo "wine-run: the display $DISPLAY does not answer; starting a virtual one" >&2
    unset DISPLAY
  fi
  local virtual=0
  if [ -z "${DISPLAY:-}" ]; then
    virtual=1
    start_virtual_display
    if [ "$announce" = 1 ]; then announce_virtual_display; fi
  fi
  ensure_prefix
  # Answers 2 when a wineserver already runs for this prefix; that one is not ours to stop.
  if wineserver -p >/dev/null 2>&1; then started_server=1; fi
  # Start Wine's own services now, detached from our output: a test runner that waits for its
  # children's output to close would otherwise wait for them forever.
  "$wine_bin" cmd /c exit </dev/null >/dev/null 2>&1 || true
  set_window_management "$virtual"
  export VELORA_WINE_SESSION=1
  "$@" || rc=$?
  end_session
  trap - INT TERM
  return "$rc"
}

if [ "${1:-}" = "--session" ]; then
  shift
  run_session 0 "$@"
elif [ "${1:-}" = "--lane" ]; then
  export VELORA_WINEPREFIX="$repo/build/wineprefix-$2" WINEPREFIX="$repo/build/wineprefix-$2"
  shift 2
  unset DISPLAY VELORA_WINE_SESSION
  run_session 0 "$self" "$@"
elif [ -n "${VELORA_WINE_SESSION:-}" ]; then
  exec "$wine_bin" "$@"
else
  run_session 1 "$self" "$@"
fi

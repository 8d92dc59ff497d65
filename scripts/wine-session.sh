#!/usr/bin/env bash
# Usage: scripts/wine-session.sh COMMAND [ARGS...]
#
# Runs COMMAND inside a ready Wine environment and returns its exit code:
# a prefix (made once, then reused), an X display (Xvfb when there is
# no usable one) and a persistent wineserver for the whole session, so that
# each Windows exe the command starts comes up in a fraction of a second
# instead of waiting about 3 s for a wineserver of its own to linger out.
#
# One session at a time per prefix: a wineserver is one desktop, one window
# list and one clipboard, so two test runs on it would see each other's
# windows. A second session waits; for parallel runs give each its own
# prefix. A session started inside a session on the same prefix just runs
# its command.
#
# The prefix is 32-bit where the kernel runs 32-bit programs, else 64-bit
# (scripts/wine-arch.sh); a 64-bit session puts a `wine` first on PATH that
# starts Wine's 64-bit loader, since Debian's `wine` prefers the 32-bit one
# whenever it is installed, runnable or not.
#
# Environment: TARNWICK_WINEPREFIX overrides the prefix (default
# build/wineprefix, or build/wineprefix64, under the repository). DISPLAY is
# used when reachable.
# Exported to COMMAND: WINEPREFIX, WINEARCH, WINEDEBUG, WINEDLLOVERRIDES,
# DISPLAY, and TARNWICK_DESKTOP_SIZE (the virtual desktop, WIDTHxHEIGHT at the
# top left of the display).
set -euo pipefail

if [ $# -eq 0 ]; then
    echo "usage: $0 COMMAND [ARGS...]" >&2
    exit 2
fi

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

WINEARCH=$(bash "$repo/scripts/wine-arch.sh")
export WINEARCH
export WINEDEBUG=-all
# No Mono or Gecko install prompts: the program needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ "$WINEARCH" = win64 ]; then
    export WINEPREFIX="${TARNWICK_WINEPREFIX:-$repo/build/wineprefix64}"
    shim="$repo/build/wine64-bin"
    mkdir -p "$shim"
    for name in wine wine-stable; do
        printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$shim/$name"
        chmod +x "$shim/$name"
    done
    case ":$PATH:" in
        *":$shim:"*) ;;
        *) export PATH="$shim:$PATH" ;;
    esac
else
    export WINEPREFIX="${TARNWICK_WINEPREFIX:-$repo/build/wineprefix}"
fi
export TARNWICK_DESKTOP_SIZE=1024x768

if [ "${TARNWICK_WINE_SESSION:-}" = "$WINEPREFIX" ]; then
    exec "$@"
fi

# Bump when the prefix settings below change, so old prefixes are remade.
readonly prefix_version=3
readonly marker="$WINEPREFIX/.tarnwick-prefix-v$prefix_version"
readonly lock_file="$WINEPREFIX.lock"

xvfb_pid=""
command_pid=""
have_lock=0

log() { echo "wine-session: $*" >&2; }

# shellcheck disable=SC2317  # reached through the traps
cleanup() {
    local rc=$?
    trap - EXIT INT TERM HUP
    if [ -n "$command_pid" ] && kill -0 "$command_pid" 2>/dev/null; then
        kill -TERM "$command_pid" 2>/dev/null || true
    fi
    if [ "$have_lock" -eq 1 ]; then
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

display_usable() {
    [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1
}

start_xvfb() {
    local fdfile
    fdfile=$(mktemp)
    # -displayfd: Xvfb picks a free display number and writes it once it
    # accepts connections, which makes it both race-free and a ready signal.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" \
        </dev/null >/dev/null 2>&1 9>&- &
    xvfb_pid=$!
    for _ in $(seq 1 100); do
        if grep -q '^[0-9][0-9]*$' "$fdfile" 2>/dev/null; then
            break
        fi
        if ! kill -0 "$xvfb_pid" 2>/dev/null; then
            rm -f "$fdfile"
            xvfb_pid=""
            log "Xvfb did not start"
            exit 1
        fi
        sleep 0.1
    done
    local number
    number=$(head -n1 "$fdfile")
    rm -f "$fdfile"
    if [ -z "$number" ]; then
        log "Xvfb gave no display number within 10 s"
        exit 1
    fi
    export DISPLAY=":$number"
}

create_prefix() {
    log "creating Wine prefix $WINEPREFIX (about 10 s, once)"
    local started=$SECONDS
    rm -rf "$WINEPREFIX"
    # No `wineserver -w` here: waiting for the lingering server costs 5 s, and
    # the kill below stops it with the registry saved.
    wineboot -i </dev/null >/dev/null 2>&1 9>&-

    # Debian's Wine 8 does not find its own fonts unless they are in the prefix.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"

    local reg="$WINEPREFIX/drive_c/tarnwick-prefix.reg"
    # Managed=N: without a window manager every DestroyWindow of a top-level
    # window waits 2 s. No debugger for crashes: winedbg --auto can hang a test
    # run instead of printing its backtrace. Wine falls back to winedbg when the
    # value is missing, so it names a program that does not exist: the start
    # fails and a crashed exe just exits (code 5).
    # The default virtual desktop puts every process (the
    # program and a test driver alike) on one desktop that a screenshot of the
    # root window shows with captions, frames and menu bars.
    cat >"$reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"Default"="$TARNWICK_DESKTOP_SIZE"

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug]
"Debugger"="no-debugger-here.exe"
REG
    wine regedit /S 'C:\tarnwick-prefix.reg' </dev/null >/dev/null 2>&1 9>&-
    rm -f "$reg"
    # The settings take effect for processes of a new wineserver; stopping
    # this one also writes the registry to disk.
    wineserver -k 2>/dev/null || true
    wineserver -w
    touch "$marker"
    log "prefix ready in $((SECONDS - started)) s"
}

mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$lock_file"
if ! flock -xn 9; then
    log "waiting for another session on $WINEPREFIX to end"
    flock -x 9
fi
have_lock=1

if ! display_usable; then
    start_xvfb
fi
if [ ! -e "$marker" ]; then
    create_prefix
fi

# Holding the lock, any wineserver of this prefix is a leftover of a session
# that was killed; its desktop may live on a display that is gone.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
wineserver -p </dev/null >/dev/null 2>&1 9>&- || true
# The first Wine process of a wineserver starts the background services and
# the desktop process, which inherit its stdout and stderr and live as long as
# the wineserver. Start them here with null streams: otherwise they would hold
# the output pipes of the first test (ctest's, Python's) open, and whoever
# reads them would wait for an end of file that never comes.
wineboot </dev/null >/dev/null 2>&1 9>&- || true

export TARNWICK_WINE_SESSION="$WINEPREFIX"
set +e
# Nothing started from here may inherit the lock, or a process left behind
# would keep the next session waiting. The command runs in the background
# only so that a signal to this script is handled at once (bash runs traps
# after a foreground command ends, not while it runs); it keeps our stdin.
"$@" 9>&- 0<&0 &
command_pid=$!
wait "$command_pid"
rc=$?
command_pid=""
set -e
exit "$rc"

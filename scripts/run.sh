#!/usr/bin/env bash
# Usage: scripts/run.sh            (what `make run` calls)
#
# Starts build/windows/Tarnwick.exe under Wine. With a usable X display the
# program runs in the foreground until it is closed. Without one (a headless
# machine, CI) it runs on Xvfb long enough for its first poll, the virtual
# desktop is saved to build/screenshot.png, and the program is closed.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe="$repo/build/windows/Tarnwick.exe"
driver="$repo/build/windows/tests/e2e/tarnwick_driver.exe"
screenshot="$repo/build/screenshot.png"
# The first poll comes 1 s after start; reading a large table takes seconds
# more under Wine.
readonly settle_seconds=6

if [ ! -f "$exe" ]; then
    echo "run: $exe is missing; build it first (make build)" >&2
    exit 1
fi

screenshot_in_session() {
    wine "$exe" </dev/null &
    local pid=$!
    sleep "$settle_seconds"
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid" && rc=0 || rc=$?
        echo "run: Tarnwick ended early (exit code $rc); no screenshot" >&2
        exit 1
    fi
    # The virtual desktop sits at the top left of the (larger) Xvfb screen.
    import -window root -crop "${TARNWICK_DESKTOP_SIZE}+0+0" +repage "$screenshot"
    if [ ! -f "$driver" ] || ! wine "$driver" close 5000 </dev/null; then
        wineserver -k
    fi
    wait "$pid" || true
    echo "Screenshot saved to ${screenshot#"$repo"/}"
}

if [ "${1:-}" = "--screenshot-in-session" ]; then
    screenshot_in_session
    exit 0
fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec "$repo/scripts/wine-session.sh" wine "$exe"
fi
exec "$repo/scripts/wine-session.sh" bash "${BASH_SOURCE[0]}" --screenshot-in-session

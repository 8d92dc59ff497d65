#!/usr/bin/env bash
# Usage: scripts/run.sh            (what `make run` calls)
#
# Starts build/windows/Tarnwick.exe under Wine (where the kernel runs no 32-bit
# code, the same program built for x86_64: see scripts/wine-arch.sh). With a usable X display the
# program runs in the foreground until it is closed. Without one (a headless
# machine, CI) it runs on Xvfb long enough for its first poll, the virtual
# desktop is saved to build/screenshot.png with the IPv6 endpoints shown (and,
# with each dialog open, to build/settings.png and build/about.png), and the
# program is closed with the IPv6 setting as it was.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$repo/build/$(bash "$repo/scripts/wine-arch.sh" build)"
exe="$build/Tarnwick.exe"
driver="$build/tests/e2e/tarnwick_driver.exe"
screenshot="$repo/build/screenshot.png"
# The first poll comes 1 s after start; reading a large table takes seconds
# more under Wine.
readonly settle_seconds=6

if [ ! -f "$exe" ]; then
    echo "run: $exe is missing; build it first (make build)" >&2
    exit 1
fi

# A headless machine may have no UDP socket open at all; open a few for the
# screenshot (loopback and wildcard only), held while the program runs.
demo_sockets() {
    python3 - <<'PY' &
import signal, socket
held = []
for address, port in [("0.0.0.0", 53), ("127.0.0.1", 53), ("0.0.0.0", 0), ("127.0.0.1", 0),
                      ("127.0.0.1", 0), ("0.0.0.0", 0), ("::1", 0), ("::", 0)]:
    s = socket.socket(socket.AF_INET6 if ":" in address else socket.AF_INET, socket.SOCK_DGRAM)
    try:
        s.bind((address, port))
        held.append(s)
    except OSError:
        s.close()
signal.pause()
PY
    demo_pid=$!
}

id_of() {
    awk -v name="$1" '$1 == "#define" && $2 == name {print $3}' \
        "$repo/res/resource.h" "$repo/framework/StandardIds.h"
}

# Opens a dialog with command $1, saves the desktop to build/$3.png and closes the dialog
# with its button $2.
dialog_screenshot() {
    wine "$driver" command "$(id_of "$1")" </dev/null >/dev/null 2>&1 || return 0
    # The driver's "dialog" returns once the dialog shows.
    wine "$driver" dialog </dev/null >/dev/null 2>&1 || return 0
    sleep 0.5
    import -window root -crop "${TARNWICK_DESKTOP_SIZE}+0+0" +repage "$repo/build/$3.png"
    wine "$driver" dialog "$2" </dev/null >/dev/null 2>&1 || true
    sleep 0.5
    echo "Screenshot saved to build/$3.png"
}

screenshot_in_session() {
    demo_pid=""
    demo_sockets
    wine "$exe" </dev/null &
    local pid=$!
    sleep "$settle_seconds"
    # The IPv6 endpoints are shown for the screenshot (and switched back afterwards if the
    # settings had them off); one more poll shows the names the first one queued for look-up.
    local ipv6_stored=0
    grep -q '^IPv6=1' "$WINEPREFIX/drive_c/windows/Tarnwick.ini" 2>/dev/null && ipv6_stored=1
    if [ -f "$driver" ]; then
        [ "$ipv6_stored" -eq 1 ] ||
            wine "$driver" send-command "$(id_of ID_VIEW_IPV6)" </dev/null >/dev/null 2>&1 || true
        wine "$driver" command "$(id_of ID_REFRESH)" </dev/null >/dev/null 2>&1 || true
        sleep 1
    fi
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid" && rc=0 || rc=$?
        echo "run: Tarnwick ended early (exit code $rc); no screenshot" >&2
        exit 1
    fi
    # The virtual desktop sits at the top left of the (larger) Xvfb screen.
    import -window root -crop "${TARNWICK_DESKTOP_SIZE}+0+0" +repage "$screenshot"
    if [ -f "$driver" ]; then
        # Cancel leaves the settings file alone; the About box has only OK.
        dialog_screenshot ID_SETTINGS 2 settings
        dialog_screenshot ID_APP_ABOUT 1 about
    fi
    if [ -f "$driver" ] && [ "$ipv6_stored" -eq 0 ]; then
        wine "$driver" command "$(id_of ID_VIEW_IPV6)" </dev/null >/dev/null 2>&1 || true
    fi
    if [ ! -f "$driver" ] || ! wine "$driver" close 5000 </dev/null; then
        wineserver -k
    fi
    wait "$pid" || true
    [ -z "$demo_pid" ] || kill "$demo_pid" 2>/dev/null || true
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

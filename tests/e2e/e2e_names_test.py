#!/usr/bin/env python3
"""End-to-end test of name display and auto-update in Tarnwick.exe under Wine.

Binds UDP sockets on 0.0.0.0:53 and on 127.0.0.1, starts the real program and
checks from another process, through tarnwick_driver:
- the first rows show numbers; after Refresh commands (the resolver works
  between polls) the rows show the host name with "domain" and "localhost";
- auto-update starts paused: with no Refresh, a socket bound after the last
  poll stays missing;
- a click on the auto-update pane of the status bar starts it: a socket bound
  after the click appears within the update interval plus the poll's cost;
- the program closes cleanly on WM_CLOSE.

Needs root (port 53 and a UTS namespace that gives the program a host name of
its own) and a free port 53. Look-ups stay inside 127.0.0.0/8 and 0.0.0.0:
nothing else is bound. Must run inside scripts/wine-session.sh.
"""

import argparse
import os
import sys
import time

# No __pycache__ beside the sources.
sys.dont_write_bytecode = True

from e2e_common import (ID_REFRESH, TestFailure, Driver, Program, Shown, bind_udp, check,
                        run_test, service_names, wait_for_endpoints, wine_prefix)

DOMAIN_PORT = 53
# What gethostname gives the program. This machine's own name may be too short
# to be shown (names of one or two characters are not), so the program gets
# one of its own.
HOST_NAME = "tarnwick-e2e-host"
AUTO_UPDATE_PANE = 2
DEFAULT_INTERVAL_S = 2
# What a poll, a list read and a slow machine add to the interval.
POLL_ALLOWANCE_S = 3.0
# Long enough that an unasked poll would be seen, short enough to stay inside
# any interval the auto-update could be running at.
PAUSED_WATCH_S = 3.0


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--exe", required=True, help="Tarnwick.exe")
    parser.add_argument("--driver", required=True, help="tarnwick_driver.exe")
    parser.add_argument("--timeout", type=float, default=60.0,
                        help="seconds to wait for the first filled list")
    parser.add_argument("--names-timeout", type=float, default=30.0,
                        help="seconds of Refresh commands to wait for the names")
    return parser.parse_args()


def ini_value(path, section, key):
    """The text of `key` in `section` of an INI file, None when it is missing."""
    if not os.path.exists(path):
        return None
    current = None
    with open(path, encoding="latin-1") as f:
        for line in f:
            line = line.strip()
            if line.startswith("[") and line.endswith("]"):
                current = line[1:-1].strip().lower()
            elif current == section.lower() and "=" in line:
                name, _, value = line.partition("=")
                if name.strip().lower() == key.lower():
                    return value.strip()
    return None


def update_interval_s(prefix):
    """The interval the program runs auto-update at: the prefix's stored
    value, 2 s when there is none or it is not a positive number."""
    path = os.path.join(prefix, "drive_c", "windows", "Tarnwick.ini")
    text = ini_value(path, "Attributes", "UpdateInterval") or ""
    digits = text[:len(text) - len(text.lstrip("0123456789"))]
    interval = int(digits) if digits else 0
    if interval <= 0:
        return DEFAULT_INTERVAL_S
    check(interval <= 10, f"{path} sets UpdateInterval={interval}: too long for this test; "
                          f"remove the key to use the default of {DEFAULT_INTERVAL_S} s")
    return interval


def bind_unshown(shown, rows):
    """A socket on 127.0.0.1 that no row shows yet, whatever the resolver
    makes of it (another 127.x socket can share the port and the name)."""
    present = set(rows)
    for _ in range(20):
        s = bind_udp("127.0.0.1")
        if not shown.pairs(s.getsockname()) & present:
            return s
        s.close()
    raise TestFailure("every port bound on 127.0.0.1 is already shown by some row")


def is_shown(shown, rows, endpoint):
    return bool(shown.pairs(endpoint) & set(rows))


def wait_for_names(driver, program, expected, timeout_s):
    """Asks for polls until every row in `expected` (label -> set of allowed
    (address, port) texts) is shown; returns the seconds and polls it took."""
    started = time.monotonic()
    polls = 0
    while True:
        program.check_running()
        # Sent, not posted: the poll is over when the driver returns.
        driver.must("send-command", ID_REFRESH)
        polls += 1
        rows = set(driver.endpoint_rows())
        missing = [label for label, texts in expected.items() if not texts & rows]
        if not missing:
            return time.monotonic() - started, polls
        if time.monotonic() - started > timeout_s:
            raise TestFailure(f"after {polls} Refresh commands in {timeout_s:.0f} s no row shows "
                              f"{', '.join(missing)}; rows: {sorted(rows)[:10]}")
        time.sleep(0.3)


def check_stays_missing(driver, program, shown, endpoint, watch_s):
    end = time.monotonic() + watch_s
    while time.monotonic() < end:
        program.check_running()
        rows = driver.endpoint_rows()
        check(not is_shown(shown, rows, endpoint),
              f"{endpoint} appeared with no Refresh command and auto-update not switched on")
        time.sleep(0.2)


def wait_for_rows(driver, program, shown, endpoints, timeout_s):
    """Seconds until every endpoint is shown, reading the list only; None if
    that takes longer than timeout_s."""
    started = time.monotonic()
    while time.monotonic() - started <= timeout_s:
        program.check_running()
        rows = driver.endpoint_rows()
        if all(is_shown(shown, rows, e) for e in endpoints):
            return time.monotonic() - started
        time.sleep(0.1)
    return None


def run(args):
    driver = Driver(args.driver)
    prefix = wine_prefix()
    services = service_names(prefix)
    check("domain" in services.get(DOMAIN_PORT, set()),
          f"the services file of {prefix} does not name UDP port {DOMAIN_PORT} \"domain\"")
    shown = Shown(services, HOST_NAME)
    interval_s = update_interval_s(prefix)

    sockets = [bind_udp("0.0.0.0", DOMAIN_PORT), bind_udp("127.0.0.1")]
    try:
        domain, local = (s.getsockname() for s in sockets)
        with Program(args.exe, driver, HOST_NAME) as program:
            rows, _ = wait_for_endpoints(driver, program, shown, [domain, local],
                                         program.started, args.timeout)
            numbers = [("0.0.0.0", str(DOMAIN_PORT)), ("127.0.0.1", str(local[1]))]
            check(all(pair in rows for pair in numbers),
                  f"the first poll should show {numbers} as numbers; rows: {sorted(rows)[:10]}")

            expected = {
                f"({shown.host_name!r}, 'domain')": {(shown.host_name, "domain")},
                f"('localhost', {local[1]})": {("localhost", p) for p in shown.ports(local[1])},
            }
            names_s, polls = wait_for_names(driver, program, expected, args.names_timeout)
            print(f"names-after-refresh: {names_s:.1f} s ({polls} Refresh commands)")

            # The last Refresh is done: nothing polls from here unless asked.
            before = bind_unshown(shown, driver.endpoint_rows())
            sockets.append(before)
            check_stays_missing(driver, program, shown, before.getsockname(), PAUSED_WATCH_S)

            driver.must("click-pane", AUTO_UPDATE_PANE)
            after = bind_unshown(shown, driver.endpoint_rows())
            sockets.append(after)
            allowed_s = interval_s + POLL_ALLOWANCE_S
            delay_s = wait_for_rows(driver, program, shown,
                                    [after.getsockname(), before.getsockname()], allowed_s)
            check(delay_s is not None,
                  f"after a click on status pane {AUTO_UPDATE_PANE}, a socket bound then did "
                  f"not appear within {allowed_s:.0f} s (interval {interval_s} s) "
                  f"without a Refresh command")
            print(f"auto-update-first-new-row: {delay_s:.1f} s (interval {interval_s} s)")

            program.close()
    finally:
        for s in sockets:
            s.close()


def main():
    args = parse_args()
    return run_test("e2e.names_and_autoupdate", lambda: run(args))


if __name__ == "__main__":
    sys.exit(main())

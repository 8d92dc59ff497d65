#!/usr/bin/env python3
"""End-to-end test of name display and auto-update in Tarnwick.exe under Wine, inside
scripts/wine-session.sh: the first rows show numbers, later polls the host name with
"domain" and "localhost"; paused, nothing polls unasked; a click on the auto-update pane
shows a new socket within the interval. Needs root, `unshare --uts` (a host name of the
program's own) and a free port 53, else it is skipped; look-ups stay in 127.0.0.0/8."""

import sys
import time

# No __pycache__ beside the sources.
sys.dont_write_bytecode = True

from e2e_common import (ID_REFRESH, Driver, Program, Settings, Shown, TestFailure, bind_udp, check,
                        main, require_uts_namespace, service_names, wait_for_endpoints,
                        wine_prefix)

DOMAIN_PORT = 53
# Names of one or two characters are not shown, so the program gets a name of its own.
HOST_NAME = "tarnwick-e2e-host"
AUTO_UPDATE_PANE = 2
INTERVAL_S = 1
# What a poll, a list read and a slow machine add to the interval.
POLL_ALLOWANCE_S = 3.0
# Long enough that an unasked poll would be seen.
PAUSED_WATCH_S = 3.0


def bind_unshown(shown, rows):
    """A socket on 127.0.0.1 that no row shows yet, whatever the resolver makes
    of it (another 127.x socket can share the port and the name)."""
    for _ in range(20):
        s = bind_udp("127.0.0.1")
        if not shown.pairs(s.getsockname()) & set(rows):
            return s
        s.close()
    raise TestFailure("every port bound on 127.0.0.1 is already shown by some row")


def wait_for_names(driver, program, expected, timeout_s):
    """Asks for polls until every row in `expected` (label -> allowed (address,
    port) texts) is shown; returns the seconds and polls it took."""
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
        check(time.monotonic() - started <= timeout_s,
              f"after {polls} Refresh commands no row shows {', '.join(missing)}; "
              f"rows: {sorted(rows)[:10]}")
        time.sleep(0.3)


def seconds_until_shown(driver, program, shown, endpoints, timeout_s):
    """Seconds until every endpoint is shown, reading the list only; None if
    that takes longer than timeout_s."""
    started = time.monotonic()
    while time.monotonic() - started <= timeout_s:
        program.check_running()
        rows = set(driver.endpoint_rows())
        if all(shown.pairs(e) & rows for e in endpoints):
            return time.monotonic() - started
        time.sleep(0.1)
    return None


def run(args):
    driver = Driver(args.driver)
    prefix = wine_prefix()
    require_uts_namespace()
    services = service_names(prefix)
    check("domain" in services.get(DOMAIN_PORT, set()),
          f"the services file of {prefix} does not name UDP port {DOMAIN_PORT} \"domain\"")
    shown = Shown(services, HOST_NAME)

    sockets = [bind_udp("0.0.0.0", DOMAIN_PORT), bind_udp("127.0.0.1")]
    try:
        domain, local = (s.getsockname() for s in sockets)
        with Settings(f"[Attributes]\nUpdateInterval={INTERVAL_S}\n"), \
                Program(args.exe, driver, HOST_NAME) as program:
            rows, _ = wait_for_endpoints(driver, program, shown, [domain, local],
                                         program.started, args.timeout)
            numbers = [("0.0.0.0", str(DOMAIN_PORT)), ("127.0.0.1", str(local[1]))]
            check(all(pair in rows for pair in numbers),
                  f"the first poll should show {numbers} as numbers; rows: {sorted(rows)[:10]}")

            expected = {
                f"({HOST_NAME!r}, 'domain')": {(HOST_NAME, "domain")},
                f"('localhost', {local[1]})": {("localhost", p) for p in shown.ports(local[1])},
            }
            names_s, polls = wait_for_names(driver, program, expected, args.names_timeout)
            print(f"names-after-refresh: {names_s:.1f} s ({polls} Refresh commands)")

            # The last Refresh is done: nothing polls from here unless asked.
            before = bind_unshown(shown, driver.endpoint_rows())
            sockets.append(before)
            check(seconds_until_shown(driver, program, shown, [before.getsockname()],
                                      PAUSED_WATCH_S) is None,
                  f"{before.getsockname()} appeared with no Refresh and auto-update paused")

            driver.must("click-pane", AUTO_UPDATE_PANE)
            after = bind_unshown(shown, driver.endpoint_rows())
            sockets.append(after)
            allowed_s = INTERVAL_S + POLL_ALLOWANCE_S
            delay_s = seconds_until_shown(driver, program, shown,
                                          [after.getsockname(), before.getsockname()], allowed_s)
            check(delay_s is not None,
                  f"after a click on status pane {AUTO_UPDATE_PANE}, a socket bound then did "
                  f"not appear within {allowed_s:.0f} s without a Refresh command")
            print(f"auto-update-first-new-row: {delay_s:.1f} s (interval {INTERVAL_S} s)")
            program.close()
    finally:
        for s in sockets:
            s.close()


if __name__ == "__main__":
    main("e2e.names_and_autoupdate", run, timeout=(float, 60.0), names_timeout=(float, 30.0))

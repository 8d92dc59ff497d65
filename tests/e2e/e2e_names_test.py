#!/usr/bin/env python3
"""End-to-end test of name display in Tarnwick.exe under Wine, inside scripts/wine-session.sh,
through the platform's own resolver and services file: the first rows show numbers, later
polls the program's host name with "domain" and "localhost". Needs root, `unshare --uts` (a
host name of the program's own) and a free port 53, else it is skipped; look-ups stay in
127.0.0.0/8."""

import sys
import time

# No __pycache__ beside the sources.
sys.dont_write_bytecode = True

from e2e_common import (ID_REFRESH, Driver, Program, Shown, bind_udp, check, main,
                        require_uts_namespace, service_names, wait_for_endpoints, wine_prefix)

DOMAIN_PORT = 53
# Names of one or two characters are not shown, so the program gets a name of its own.
HOST_NAME = "tarnwick-e2e-host"


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
        with Program(args.exe, driver, HOST_NAME) as program:
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
            program.close()
    finally:
        for s in sockets:
            s.close()


if __name__ == "__main__":
    main("e2e.names", run, timeout=(float, 60.0), names_timeout=(float, 30.0))

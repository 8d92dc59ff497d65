#!/usr/bin/env python3
"""End-to-end test of the IPv6 endpoints of Tarnwick.exe under Wine, inside
scripts/wine-session.sh in a network namespace of its own (scripts/netns.sh): started with the
option stored on, the rows are the sockets `ss -4uan` lists followed by those `ss -6uan` lists,
with the IPv6 counters under the IPv4 ones; the View command turns it off, the rows are the
IPv4 table again and the settings file holds IPv6=0."""

import re
import sys

# No __pycache__ beside the sources.
sys.dont_write_bytecode = True

from e2e_common import (IDS, STATISTICS_LIST, Driver, Program, Shown, bind_udp, check,
                        check_rows_are_the_table, main, require_own_network, service_names,
                        settings_file, wait_for_endpoints, wine_prefix)


def run(args):
    require_own_network()
    driver = Driver(args.driver)
    shown = Shown(service_names(wine_prefix()))
    sockets = [bind_udp(address) for address in ("127.0.0.1", "::1", "::")]
    try:
        bound = [s.getsockname()[:2] for s in sockets]
        with settings_file("[Attributes]\nIPv6=1\n") as path, \
                Program(args.exe, driver) as program:
            rows, _ = wait_for_endpoints(driver, program, shown, bound, program.started,
                                         args.timeout)
            check_rows_are_the_table(shown, rows, "46")
            statistics = driver.rows(STATISTICS_LIST)
            check(len(statistics) == 10 and
                  statistics[5][0] == "Number of Listening Connections: (IPv6)" and
                  all(re.fullmatch(r"[0-9]+", row[1]) for row in statistics[5:]),
                  f"the IPv6 counters are not under the IPv4 ones: {statistics}")

            driver.must("send-command", IDS["ID_VIEW_IPV6"])
            check_rows_are_the_table(shown, driver.endpoint_rows(), "4")
            check(len(driver.rows(STATISTICS_LIST)) == 5, "the IPv6 counters stayed")
            with open(path) as f:
                check("IPv6=0" in f.read().split(), "the switch was not stored as IPv6=0")
            program.close()
    finally:
        for s in sockets:
            s.close()


if __name__ == "__main__":
    main("e2e.ipv6", run, timeout=(float, 60.0))

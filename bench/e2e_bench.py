#!/usr/bin/env python3
"""End-to-end figures of Tarnwick.exe under Wine (run by `make bench`).

With 2,000 UDP sockets bound, then 2,000 IPv4 and 2,000 IPv6 ones with the
IPv6 endpoints shown: the time from start to the first list that shows them
all (and whether the first list shown was already whole: one read of each
table), the longest round trip of a message to the main window over a minute
of auto-update, and how the rows compare with `ss -4uan`. With 20 sockets:
the program's own CPU share, paused and with auto-update on.

Run it in a network namespace of its own, so that the table holds only the
sockets bound here, and inside scripts/wine-session.sh started in that
namespace (bench/run-e2e-bench.sh does both).
"""

import argparse
import os
import sys
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

from e2e_common import (ID_AUTOUPDATE, Driver, Program, Shown, bind_udp,  # noqa: E402
                        raise_descriptor_limit, service_names, settings_file, ss_endpoints,
                        wait_for_endpoints, wine_prefix)


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--exe", required=True, help="Tarnwick.exe")
    parser.add_argument("--driver", required=True, help="tarnwick_driver.exe")
    parser.add_argument("--sockets", type=int, default=2000)
    parser.add_argument("--watch", type=float, default=60.0,
                        help="seconds of round trips with auto-update on")
    parser.add_argument("--idle-sockets", type=int, default=20)
    parser.add_argument("--cpu-watch", type=float, default=60.0,
                        help="seconds of each CPU measurement")
    return parser.parse_args()


def bind_sockets(count, ipv6=False):
    raise_descriptor_limit(2 * count + 256)
    sockets = [bind_udp("127.0.0.1" if i % 3 != 2 else "0.0.0.0") for i in range(count)]
    if ipv6:
        sockets += [bind_udp("::1" if i % 3 != 2 else "::") for i in range(count)]
    return sockets


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rpartition(")")[2].split()
    # utime and stime: fields 14 and 15 of the line, counted from the pid.
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def cpu_share(program, seconds):
    pid = program.process.pid
    cpu, started = cpu_seconds(pid), time.monotonic()
    time.sleep(seconds)
    return (cpu_seconds(pid) - cpu) / (time.monotonic() - started)


def compare_with_ss(driver, shown):
    """Rows against the sockets `ss` lists before and after they were read:
    (rows, sockets, sockets no row shows, rows that show no socket)."""
    before = set(ss_endpoints())
    rows = driver.endpoint_rows()
    after = set(ss_endpoints())
    by_text = {}
    for endpoint in before | after:
        for pair in shown.pairs(endpoint):
            by_text[pair] = endpoint
    shown_endpoints = {by_text[row] for row in rows if row in by_text}
    unknown = [row for row in rows if row not in by_text]
    missing = (before & after) - shown_endpoints
    return len(rows), len(before & after), missing, unknown


def many_sockets(args, driver, shown, ipv6=False):
    sockets = bind_sockets(args.sockets, ipv6)
    label = f"{args.sockets} IPv4 + {args.sockets} IPv6" if ipv6 else f"{args.sockets} IPv4"
    try:
        bound = [s.getsockname()[:2] for s in sockets]
        with settings_file(f"[Attributes]\nIPv6={int(ipv6)}\n"), \
                Program(args.exe, driver) as program:
            driver.must("wait-rows", 1, 120000)
            first = len(driver.endpoint_rows())
            rows, startup_s = wait_for_endpoints(driver, program, shown, bound,
                                                 program.started, 120)
            print(f"[{label}] startup-to-full-list: {startup_s:.1f} s; the first list shown "
                  f"held {first} of {len(rows)} rows")
            driver.must("command", ID_AUTOUPDATE)
            messages, longest_ms, mean_ms = driver.round_trips(args.watch)
            print(f"[{label}] round-trips with auto-update on: {messages} in {args.watch:.0f} s, "
                  f"longest {longest_ms:.1f} ms, mean {mean_ms:.2f} ms")
            if not ipv6:
                count, listed, missing, unknown = compare_with_ss(driver, shown)
                print(f"rows-vs-ss: {count} rows, ss lists {listed}; {len(missing)} sockets "
                      f"not shown {sorted(missing)[:3]}, {len(unknown)} rows unknown to ss "
                      f"{unknown[:3]}")
            program.close()
    finally:
        for s in sockets:
            s.close()


def few_sockets(args, driver, shown):
    sockets = bind_sockets(args.idle_sockets)
    try:
        bound = [s.getsockname() for s in sockets]
        with Program(args.exe, driver) as program:
            wait_for_endpoints(driver, program, shown, bound, program.started, 60)
            paused = cpu_share(program, args.cpu_watch)
            driver.must("command", ID_AUTOUPDATE)
            running = cpu_share(program, args.cpu_watch)
            print(f"cpu-share with {len(bound)} sockets: paused {paused * 100:.2f} %, "
                  f"auto-update on {running * 100:.2f} % of a core "
                  f"({args.cpu_watch:.0f} s each)")
            program.close()
    finally:
        for s in sockets:
            s.close()


def main():
    args = parse_args()
    driver = Driver(args.driver)
    shown = Shown(service_names(wine_prefix()))
    others = ss_endpoints()
    if others:
        print(f"note: {len(others)} UDP sockets of other processes are listed as well")
    many_sockets(args, driver, shown)
    many_sockets(args, driver, shown, ipv6=True)
    few_sockets(args, driver, shown)
    return 0


if __name__ == "__main__":
    sys.exit(main())

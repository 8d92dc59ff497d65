#!/usr/bin/env python3
"""End-to-end test of Tarnwick.exe under Wine, inside scripts/wine-session.sh in a network
namespace of its own (scripts/netns.sh), with the IPv6 endpoints and the owning processes
stored as shown: with 700 bound IPv4 UDP sockets and two IPv6 ones (on ::1 and ::), the rows
are the sockets `ss -4uan` lists followed by those `ss -6uan` lists, in order; the sockets of
two Windows processes (socket_owner, one copy named outside any code page) show their ids
and file names, the test's own Linux sockets PID 0; the statistics are the kernel's
counters, the IPv6 ones under them; with auto-update on, the window keeps answering and the
rows still are the table; the IPv6 and process commands turn theirs off and store IPv6=0;
the program closes cleanly, a read in flight or not."""

import os
import re
import shutil
import subprocess
import sys
import tempfile

# No __pycache__ beside the sources.
sys.dont_write_bytecode = True

from e2e_common import (ENDPOINT_LIST, ID_AUTOUPDATE, IDS, STATISTICS_LIST, Driver, Program, Shown, bind_udp,
                        check, check_rows_are_the_table, main, raise_descriptor_limit,
                        require_own_network, service_names, settings_file, ss_endpoints,
                        wait_for_endpoints, wine_prefix)

# Label in column 0 of the statistics list, its IPv6 row's label, and the /proc/net/snmp
# "Udp:" field behind it; None where Wine's figure is its own (the listening addresses).
STATISTICS_ROWS = [
    ("Number of Listening Connections:", "IPv6 Listening Connections:", None),
    ("Datagrams Having No Ports:", "IPv6 Datagrams Having No Ports:", "NoPorts"),
    ("Total Datagrams Sent:", "IPv6 Datagrams Sent:", "OutDatagrams"),
    ("Total Datagrams Received:", "IPv6 Datagrams Received:", "InDatagrams"),
    ("Error on Received Datagrams:", "IPv6 Errors on Received Datagrams:", "InErrors"),
]

# A window that read the table itself stood still for seconds here.
MAX_ROUND_TRIP_MS = 750


def bind_sockets(count):
    raise_descriptor_limit(count + 256)
    return [bind_udp("127.0.0.1" if i % 3 != 2 else "0.0.0.0") for i in range(count)]


# The helper's copy whose name no 8-bit code page holds, and where each copy binds.
OWNER_NAME = "Łódź-сервер.exe"
OWNER_ADDRESSES = {"socket_owner.exe": "127.0.0.1", OWNER_NAME: "::1"}
TITLES = ["IP Address", "Port", "PID", "Process"]


def start_owners(helper, folder, processes):
    """Starts a socket_owner copy per name into `processes`; returns their endpoints' owners
    as (address, port) -> (PID, file name). Each holds its socket until its stdin closes."""
    owners = {}
    for name, address in OWNER_ADDRESSES.items():
        path = os.path.join(folder, name)
        shutil.copy(helper, path)
        processes.append(subprocess.Popen(["wine", path, address, "0"], stdin=subprocess.PIPE,
                                          stdout=subprocess.PIPE, text=True))
        fields = processes[-1].stdout.readline().split()
        check(len(fields) == 2, f"{name} bound no socket on {address}")
        owners[(address, int(fields[1]))] = (fields[0], name)
    return owners


def check_owners(titles, rows, owners):
    """Each row, in ss order, shows its socket's Windows owner; a Linux socket PID 0."""
    table = ss_endpoints("4") + ss_endpoints("6")
    wrong = [(row, owners.get(e)) for row, e in zip(rows, table)
             if row[2:] != list(owners.get(e, ("0", "System Idle Process")))]
    check(titles == TITLES and len(rows) == len(table) and not wrong,
          f"columns {titles}; {len(rows)} rows for {len(table)} sockets; first wrong: {wrong[:3]}")


def udp_counters():
    with open("/proc/net/snmp") as f:
        lines = [line.split() for line in f if line.startswith("Udp:")]
    return dict(zip(lines[0][1:], (int(v) for v in lines[1][1:])))


def make_traffic(sockets):
    """Makes the counters differ from each other: more sent than received,
    and some datagrams to a port that nobody listens on."""
    receiver = sockets[0]
    for s in sockets[1:4]:
        s.sendto(b"tarnwick", receiver.getsockname())
    closed = bind_udp("127.0.0.1")
    unused = closed.getsockname()
    closed.close()
    for _ in range(5):
        sockets[1].sendto(b"nobody", unused)


def check_statistics(rows, before, after):
    """The IPv4 counters, then the IPv6 ones (numbers, where Wine counts in the namespace)."""
    check(len(rows) == 2 * len(STATISTICS_ROWS),
          f"the statistics list has {len(rows)} rows, expected {2 * len(STATISTICS_ROWS)}: {rows}")
    for row, (_, label, _) in zip(rows[5:], STATISTICS_ROWS):
        check(row[0] == label and re.fullmatch(r"[0-9]+", row[1]) is not None,
              f"IPv6 statistics row {row!r}")
    for row, (label, _, field) in zip(rows, STATISTICS_ROWS):
        check(len(row) >= 2 and row[0] == label,
              f"statistics row {row!r} should be labelled {label!r}")
        check(re.fullmatch(r"[0-9]+", row[1]) is not None,
              f"statistics value for {label!r} is not a number: {row[1]!r}")
        if field is None:
            continue
        # The counters are 32-bit in the program; they only grow in the kernel.
        low, high, value = before[field] % 2**32, after[field] % 2**32, int(row[1])
        if low <= high:
            check(low <= value <= high,
                  f"{label} shows {value}, the kernel counted {low} before the start "
                  f"and {high} after the read ({field})")


def run(args):
    require_own_network()
    driver = Driver(args.driver)
    shown = Shown(service_names(wine_prefix()))
    sockets = bind_sockets(args.sockets) + [bind_udp("::1"), bind_udp("::")]
    folder = tempfile.mkdtemp()
    helpers = []
    try:
        owners = start_owners(args.owner, folder, helpers)
        bound = [s.getsockname()[:2] for s in sockets] + list(owners)
        make_traffic(sockets)
        counters_before = udp_counters()

        with settings_file("[Attributes]\nIPv6=1\nProcess=1\n") as path, \
                Program(args.exe, driver) as program:
            rows, startup_s = wait_for_endpoints(driver, program, shown, bound,
                                                 program.started, args.timeout)
            statistics = driver.rows(STATISTICS_LIST)
            counters_after = udp_counters()
            print(f"startup-to-first-rows: {startup_s:.1f} s ({len(rows)} rows, "
                  f"{len(bound)} bound here)")
            check_rows_are_the_table(shown, rows, "46")
            check_owners(*driver.last_table, owners)
            check_statistics(statistics, counters_before, counters_after)

            driver.must("command", ID_AUTOUPDATE)
            messages, longest_ms, mean_ms = driver.round_trips(args.watch)
            print(f"round-trips with auto-update on: {messages} in {args.watch:.0f} s, "
                  f"longest {longest_ms:.1f} ms, mean {mean_ms:.2f} ms")
            check(longest_ms < MAX_ROUND_TRIP_MS,
                  f"with auto-update on the window stood still for {longest_ms:.0f} ms")

            # Paused, then both switched off while the last read is still on its way (one
            # read follows): the IPv4 table and counters alone in two columns, the choice
            # stored.
            driver.must("command", ID_AUTOUPDATE)
            driver.must("command", IDS["ID_VIEW_PROCESS"])
            driver.must("send-command", IDS["ID_VIEW_IPV6"])
            check_rows_are_the_table(shown, driver.endpoint_rows(), "4")
            titles, rows = driver.last_table
            check(titles == TITLES[:2] and all(len(row) == 2 for row in rows),
                  f"with the processes off the columns are {titles}")
            check(len(driver.rows(STATISTICS_LIST)) == 5, "the IPv6 counters stayed")
            with open(path) as f:
                check("IPv6=0" in f.read().split(), "the switch was not stored as IPv6=0")
            program.close()
    finally:
        for s in sockets:
            s.close()
        for helper in helpers:
            helper.stdin.close()
            helper.wait(timeout=10)
        shutil.rmtree(folder)


if __name__ == "__main__":
    main("e2e.endpoints", run, sockets=(int, 700), timeout=(float, 60.0), watch=(float, 6.0))

#!/usr/bin/env python3
"""End-to-end test of Tarnwick.exe under Wine.

Binds several hundred UDP sockets, starts the real program, and reads both of
its lists from another process through tarnwick_driver. Checks that every
socket bound here is shown, that nothing is shown that the system does not
list (`ss -4uan`), that the statistics list holds the five counters of the
kernel, and that the program closes cleanly on WM_CLOSE.

Must run inside scripts/wine-session.sh (WINEPREFIX, DISPLAY and a persistent
wineserver); ctest does that through the Makefile.
"""

import argparse
import ipaddress
import os
import re
import resource
import socket
import subprocess
import sys
import time

ENDPOINT_LIST = 61204
STATISTICS_LIST = 61208

# Label in column 0 of the statistics list, and the /proc/net/snmp "Udp:"
# field behind it; None where Wine has no source (it reports 0 for the number
# of listening addresses).
STATISTICS_ROWS = [
    ("Number of Listening Connections:", None),
    ("Datagrams Having No Ports:", "NoPorts"),
    ("Total Datagrams Sent:", "OutDatagrams"),
    ("Total Datagrams Received:", "InDatagrams"),
    ("Error on Received Datagrams:", "InErrors"),
]


class TestFailure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise TestFailure(message)


class Driver:
    def __init__(self, path):
        self.path = path

    def run(self, *args, timeout_s=90):
        return subprocess.run(["wine", self.path] + [str(a) for a in args],
                              stdin=subprocess.DEVNULL, capture_output=True, text=True,
                              timeout=timeout_s)

    def rows(self, list_id):
        result = self.run("rows", list_id)
        check(result.returncode == 0,
              f"driver rows {list_id} failed ({result.returncode}): {result.stderr.strip()}")
        return [line.split("\t") for line in result.stdout.splitlines()]


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--exe", required=True, help="Tarnwick.exe")
    parser.add_argument("--driver", required=True, help="tarnwick_driver.exe")
    parser.add_argument("--sockets", type=int, default=700,
                        help="UDP sockets to bind, two thirds on 127.0.0.1, the rest on 0.0.0.0")
    parser.add_argument("--timeout", type=float, default=60.0,
                        help="seconds to wait for the first filled list")
    return parser.parse_args()


def bind_sockets(count):
    soft, hard = resource.getrlimit(resource.RLIMIT_NOFILE)
    needed = count + 256
    if soft != resource.RLIM_INFINITY and soft < needed:
        check(hard == resource.RLIM_INFINITY or hard >= needed,
              f"RLIMIT_NOFILE hard limit {hard} is below the {needed} descriptors needed")
        resource.setrlimit(resource.RLIMIT_NOFILE, (needed, hard))
    sockets = []
    for i in range(count):
        s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        s.bind(("127.0.0.1" if i % 3 != 2 else "0.0.0.0", 0))
        sockets.append(s)
    return sockets


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
    closed = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    closed.bind(("127.0.0.1", 0))
    unused = closed.getsockname()
    closed.close()
    for _ in range(5):
        sockets[1].sendto(b"nobody", unused)


def ss_endpoints():
    output = subprocess.run(["ss", "-4uanH"], capture_output=True, text=True,
                            check=True).stdout
    endpoints = set()
    for line in output.splitlines():
        local = line.split()[3]
        address, _, port = local.rpartition(":")
        # A socket bound to a device shows as 0.0.0.0%eth0.
        endpoints.add((address.split("%")[0], int(port)))
    return endpoints


def service_names(prefix):
    """UDP port -> service names, from the prefix's own services file: that is
    the database the program's getservbyport reads under Wine."""
    names = {}
    path = os.path.join(prefix, "drive_c", "windows", "system32", "drivers", "etc", "services")
    with open(path) as f:
        for line in f:
            fields = line.split("#")[0].split()
            if len(fields) >= 2 and fields[1].endswith("/udp"):
                port = int(fields[1].split("/")[0])
                names.setdefault(port, set()).update([fields[0]] + fields[2:])
    return names


class Shown:
    """What a row may show for an endpoint: the numbers, or the names the
    resolver can find for them."""

    def __init__(self, services):
        self.services = services
        self.host_name = socket.gethostname()
        self.reverse = {}

    def addresses(self, address, look_up=False):
        texts = {address}
        if address == "0.0.0.0":
            texts.add(self.host_name)
        elif address.startswith("127."):
            texts.add("localhost")
        elif look_up:
            texts |= self.reverse_names(address)
        return texts

    def reverse_names(self, address):
        if address not in self.reverse:
            try:
                name, aliases, _ = socket.gethostbyaddr(address)
                self.reverse[address] = {name, *aliases}
            except OSError:
                self.reverse[address] = set()
        return self.reverse[address]

    def ports(self, port):
        return {str(port)} | self.services.get(port, set())

    def pairs(self, endpoint, look_up=False):
        address, port = endpoint
        return {(a, p) for a in self.addresses(address, look_up) for p in self.ports(port)}


def endpoint_rows(rows):
    check(all(len(row) >= 2 for row in rows),
          f"an endpoint row has fewer than two columns: {[r for r in rows if len(r) < 2][:3]}")
    return [(row[0], row[1]) for row in rows]


def missing_endpoints(shown, rows, bound):
    present = set(rows)
    return [e for e in bound if not (shown.pairs(e) & present)]


def check_rows_match_system(shown, rows, system):
    allowed = set()
    for endpoint in system:
        allowed |= shown.pairs(endpoint)
    unknown = [row for row in rows if row not in allowed]
    if unknown:
        # Only now ask the real resolver about the other addresses.
        for endpoint in system:
            if not endpoint[0].startswith("127.") and endpoint[0] != "0.0.0.0":
                allowed |= shown.pairs(endpoint, look_up=True)
        unknown = [row for row in rows if row not in allowed]
    check(not unknown,
          f"{len(unknown)} rows match no IPv4 UDP socket that ss lists, e.g. {unknown[:5]}")


def check_numeric_order(rows):
    """The program sorts the table itself (Wine returns it unsorted although
    sorting is asked for), by address and then port, as Windows does."""
    try:
        keys = [(int(ipaddress.IPv4Address(a)), int(p)) for a, p in rows]
    except ValueError:
        return  # names are shown: the order of numbers no longer applies
    wrong = [(rows[i], rows[i + 1]) for i in range(len(keys) - 1) if keys[i] > keys[i + 1]]
    check(not wrong, f"rows are not in address, port order, e.g. {wrong[:3]}")


def check_statistics(rows, before, after):
    check(len(rows) == len(STATISTICS_ROWS),
          f"the statistics list has {len(rows)} rows, expected {len(STATISTICS_ROWS)}: {rows}")
    for row, (label, field) in zip(rows, STATISTICS_ROWS):
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


def wait_for_all_rows(driver, program, shown, bound, started, timeout_s):
    """Returns the endpoint rows once every bound socket is shown, and when
    that was, counted from the start of the program."""
    deadline = started + timeout_s
    missing = bound
    while time.monotonic() < deadline:
        check(program.poll() is None, f"Tarnwick ended early with exit code {program.returncode}")
        remaining_ms = max(1, int((deadline - time.monotonic()) * 1000))
        waited = driver.run("wait-rows", len(bound), remaining_ms, ENDPOINT_LIST)
        if waited.returncode != 0:
            raise TestFailure(f"the endpoint list did not fill: {waited.stderr.strip()}")
        rows = endpoint_rows(driver.rows(ENDPOINT_LIST))
        missing = missing_endpoints(shown, rows, bound)
        if not missing:
            return rows, time.monotonic() - started
        time.sleep(0.2)
    raise TestFailure(f"{len(missing)} of {len(bound)} bound endpoints never appeared, "
                      f"e.g. {sorted(missing)[:5]}")


def run(args):
    prefix = os.environ.get("WINEPREFIX")
    check(prefix and os.environ.get("DISPLAY"),
          "WINEPREFIX and DISPLAY are not set: run under scripts/wine-session.sh")
    driver = Driver(args.driver)
    check(driver.run("wait", 0).returncode != 0,
          "a window \"Tarnwick\" is already open; close it first")

    shown = Shown(service_names(prefix))
    sockets = bind_sockets(args.sockets)
    program = None
    try:
        bound = [s.getsockname() for s in sockets]
        make_traffic(sockets)
        counters_before = udp_counters()
        system_before = ss_endpoints()

        started = time.monotonic()
        program = subprocess.Popen(["wine", args.exe], stdin=subprocess.DEVNULL)
        rows, startup_s = wait_for_all_rows(driver, program, shown, bound, started, args.timeout)
        statistics = driver.rows(STATISTICS_LIST)
        system_after = ss_endpoints()
        counters_after = udp_counters()
        print(f"startup-to-first-rows: {startup_s:.1f} s ({len(rows)} rows, "
              f"{len(bound)} bound here)")

        check_rows_match_system(shown, rows, system_before | system_after)
        check_numeric_order(rows)
        check_statistics(statistics, counters_before, counters_after)

        closed = driver.run("close", 10000)
        check(closed.returncode == 0, f"driver close failed: {closed.stderr.strip()}")
        try:
            exit_code = program.wait(timeout=5)
        except subprocess.TimeoutExpired:
            raise TestFailure("Tarnwick did not exit within 5 s of closing its window")
        check(exit_code == 0, f"Tarnwick exited with code {exit_code}")
    finally:
        if program is not None and program.poll() is None:
            program.kill()
            program.wait()
        for s in sockets:
            s.close()


def main():
    args = parse_args()
    try:
        run(args)
    except TestFailure as failure:
        print(f"FAIL e2e.endpoints: {failure}", file=sys.stderr)
        return 1
    except subprocess.TimeoutExpired as timeout:
        print(f"FAIL e2e.endpoints: {timeout.cmd} did not finish in time", file=sys.stderr)
        return 1
    print("PASS e2e.endpoints")
    return 0


if __name__ == "__main__":
    sys.exit(main())

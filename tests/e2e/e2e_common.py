"""What the end-to-end tests share: the driver, the program's start and close,
socket binding, what `ss` lists and what a row may show for an endpoint.
The tests run inside scripts/wine-session.sh (WINEPREFIX, DISPLAY and a
persistent wineserver); ctest does that through the Makefile."""

import argparse
import contextlib
import errno
import ipaddress
import os
import re
import resource
import socket
import subprocess
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
# ctest's code for a test that cannot run here (SKIP_RETURN_CODE).
SKIPPED = 77


def resource_ids():
    """The numeric #defines of the program's id headers, by name."""
    ids = {}
    for header in ("res/resource.h", "framework/StandardIds.h"):
        with open(os.path.join(REPO, header)) as f:
            for name, value in re.findall(r"^#define\s+(\w+)\s+(\d+|0x[0-9A-Fa-f]+)\s*$",
                                          f.read(), re.M):
                ids[name] = int(value, 0)
    return ids


IDS = resource_ids()
ENDPOINT_LIST = IDS["IDC_ENDPOINT_LIST"]
STATISTICS_LIST = IDS["IDC_STATISTICS"]
ID_REFRESH = IDS["ID_REFRESH"]
ID_AUTOUPDATE = IDS["ID_AUTOUPDATE"]


class TestFailure(Exception):
    pass


class TestSkipped(Exception):
    """The machine lacks what the test needs (root, a free port, a namespace)."""


def check(condition, message):
    if not condition:
        raise TestFailure(message)


class Driver:
    """tarnwick_driver.exe, run under wine; see driver.cpp for its verbs."""

    def __init__(self, path):
        self.path = path

    def run(self, *args, timeout_s=90):
        return subprocess.run(["wine", self.path] + [str(a) for a in args],
                              stdin=subprocess.DEVNULL, capture_output=True, text=True,
                              encoding="utf-8", timeout=timeout_s)

    def must(self, *args):
        result = self.run(*args)
        check(result.returncode == 0, f"driver {' '.join(map(str, args))} failed "
                                      f"({result.returncode}): {result.stderr.strip()}")
        return result.stdout

    def table(self, list_id):
        """The list's column titles and its rows, each a list of cell texts."""
        lines = [line.split("\t") for line in self.must("rows", list_id).splitlines()]
        return lines[0], lines[1:]

    def rows(self, list_id):
        return self.table(list_id)[1]

    def endpoint_rows(self):
        """The (address, port) of each row; `last_table` keeps the read's titles and cells."""
        self.last_table = self.table(ENDPOINT_LIST)
        rows = self.last_table[1]
        check(all(len(row) >= 2 for row in rows), f"an endpoint row lacks a column: {rows[:3]}")
        return [(row[0], row[1]) for row in rows]

    def round_trips(self, duration_s):
        """WM_NULL sent to the frame for `duration_s`: (messages, longest ms, mean ms)."""
        fields = self.must("round-trips", int(duration_s * 1000)).split()
        return int(fields[1]), float(fields[3]), float(fields[5])


@contextlib.contextmanager
def settings_file(text):
    """The program's settings file holds `text` (CR LF lines) while the block runs; what was
    there before is put back."""
    path = os.path.join(wine_prefix(), "drive_c", "windows", "Tarnwick.ini")
    saved = open(path, "rb").read() if os.path.exists(path) else None
    with open(path, "w", newline="\r\n") as f:
        f.write(text)
    try:
        yield path
    finally:
        if saved is None:
            os.remove(path)
        else:
            open(path, "wb").write(saved)


def require_own_network():
    """The tests compare what the program shows with every UDP socket there is: they need a
    network namespace of their own (scripts/netns.sh, as root)."""
    if os.environ.get("TARNWICK_NETNS") != "1":
        raise TestSkipped("no network namespace of the tests' own (scripts/netns.sh needs root)")


def wine_prefix():
    prefix = os.environ.get("WINEPREFIX")
    check(prefix and os.environ.get("DISPLAY"),
          "WINEPREFIX and DISPLAY are not set: run under scripts/wine-session.sh")
    return prefix


def raise_descriptor_limit(needed):
    soft, hard = resource.getrlimit(resource.RLIMIT_NOFILE)
    if soft != resource.RLIM_INFINITY and soft < needed:
        check(hard == resource.RLIM_INFINITY or hard >= needed,
              f"RLIMIT_NOFILE hard limit {hard} is below the {needed} descriptors needed")
        resource.setrlimit(resource.RLIMIT_NOFILE, (needed, hard))


def bind_udp(address, port=0):
    """A UDP socket bound to (address, port); a port that is taken or needs root
    skips the test: that is the machine, not the program."""
    s = socket.socket(socket.AF_INET6 if ":" in address else socket.AF_INET, socket.SOCK_DGRAM)
    try:
        s.bind((address, port))
    except OSError as error:
        s.close()
        if error.errno in (errno.EADDRINUSE, errno.EACCES):
            raise TestSkipped(f"UDP port {port} on {address} cannot be bound here: {error}")
        raise
    return s


def ss_endpoints(family="4"):
    """The UDP sockets of one family (4 or 6) as (address, port), sorted as the program sorts
    them: by address, then port, as numbers."""
    output = subprocess.run(["ss", f"-{family}uanH"], capture_output=True, text=True,
                            check=True).stdout
    endpoints = set()
    for line in output.splitlines():
        address, _, port = line.split()[3].rpartition(":")
        # "[::1]", "*" for any IPv6 address; a socket bound to a device shows as 0.0.0.0%eth0.
        address = address.strip("[]").split("%")[0].replace("*", "::" if family == "6" else "")
        endpoints.add((address, int(port)))
    return sorted(endpoints, key=lambda e: (ipaddress.ip_address(e[0]).packed, e[1]))


def service_names(prefix):
    """UDP port -> service names, from the prefix's own services file: the
    database the program's getservbyport reads under Wine."""
    names = {}
    path = os.path.join(prefix, "drive_c", "windows", "system32", "drivers", "etc", "services")
    with open(path) as f:
        for line in f:
            fields = line.split("#")[0].split()
            if len(fields) >= 2 and fields[1].endswith("/udp"):
                names.setdefault(int(fields[1].split("/")[0]), set()).update(
                    [fields[0]] + fields[2:])
    return names


class Shown:
    """What a row may show for an endpoint: the numbers, or the names the
    resolver gives them (in a namespace of the tests' own, only 0.0.0.0 and the
    loopback net have sockets)."""

    def __init__(self, services, host_name=None):
        self.services = services
        self.host_name = host_name or socket.gethostname()

    def addresses(self, address):
        names = {"0.0.0.0": {self.host_name}, "::": {self.host_name}, "::1": {"localhost"}}
        loopback = {"localhost"} if address.startswith("127.") else set()
        return {address} | names.get(address, set()) | loopback

    def ports(self, port):
        return {str(port)} | self.services.get(port, set())

    def pairs(self, endpoint):
        address, port = endpoint
        return {(a, p) for a in self.addresses(address) for p in self.ports(port)}


def check_rows_are_the_table(shown, rows, families="4"):
    """The rows are the sockets `ss` lists, family after family, one each, in address and then
    port order as numbers (Wine returns the tables unsorted; the program sorts them itself, as
    Windows does), each shown by its numbers or its names."""
    table = [e for family in families for e in ss_endpoints(family)]
    wrong = [(row, e) for row, e in zip(rows, table) if row not in shown.pairs(e)]
    check(len(rows) == len(table) and not wrong,
          f"{len(rows)} rows for the {len(table)} sockets ss lists; first wrong: {wrong[:3]}")


def wait_for_endpoints(driver, program, shown, bound, started, timeout_s):
    """Returns the endpoint rows once every endpoint in `bound` is shown, and
    when that was, counted from `started` (a time.monotonic())."""
    deadline = started + timeout_s
    missing = bound
    while time.monotonic() < deadline:
        program.check_running()
        remaining_ms = max(1, int((deadline - time.monotonic()) * 1000))
        waited = driver.run("wait-rows", len(bound), remaining_ms, ENDPOINT_LIST)
        check(waited.returncode == 0, f"the endpoint list did not fill: {waited.stderr.strip()}")
        rows = driver.endpoint_rows()
        missing = [e for e in bound if not shown.pairs(e) & set(rows)]
        if not missing:
            return rows, time.monotonic() - started
        time.sleep(0.2)
    raise TestFailure(f"{len(missing)} of {len(bound)} bound endpoints never appeared, "
                      f"e.g. {sorted(missing)[:5]}")


class Program:
    """Tarnwick.exe under wine, as a context manager: a program the test did
    not close is killed on the way out. With `host_name`, it runs in a UTS
    namespace of its own where gethostname gives that name (Wine passes the
    Linux one through); sockets and the wineserver stay shared."""

    def __init__(self, exe, driver, host_name=None):
        self.exe, self.driver, self.host_name = exe, driver, host_name
        self.process = None
        self.started = None

    def __enter__(self):
        check(self.driver.run("wait", 0).returncode != 0,
              "a window \"Tarnwick\" is already open; close it first")
        command = ["wine", self.exe]
        if self.host_name is not None:
            command = ["unshare", "--uts", "sh", "-c", 'hostname "$1" && shift && exec "$@"',
                       "sh", self.host_name] + command
        self.started = time.monotonic()
        self.process = subprocess.Popen(command, stdin=subprocess.DEVNULL)
        return self

    def __exit__(self, *exc):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        return False

    def check_running(self):
        check(self.process.poll() is None,
              f"Tarnwick ended early with exit code {self.process.returncode}")

    def close(self):
        """Closes the window from the driver; the program must exit with 0."""
        self.driver.must("close", 10000)
        try:
            exit_code = self.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            raise TestFailure("Tarnwick did not exit within 5 s of closing its window")
        check(exit_code == 0, f"Tarnwick exited with code {exit_code}")


def require_uts_namespace():
    probe = subprocess.run(["unshare", "--uts", "hostname", "tarnwick-probe"],
                           capture_output=True, text=True)
    if probe.returncode != 0:
        raise TestSkipped("`unshare --uts` (root, CAP_SYS_ADMIN) is needed to give the program "
                          f"a host name of its own: {probe.stderr.strip()}")


def main(name, run, **options):
    """Parses --exe, --driver and the test's own options (name=(type, default)), runs
    run(args) and exits with PASS (0), SKIP (SKIPPED) or FAIL (1)."""
    parser = argparse.ArgumentParser(description=name)
    parser.add_argument("--exe", required=True, help="Tarnwick.exe")
    parser.add_argument("--driver", required=True, help="tarnwick_driver.exe")
    parser.add_argument("--owner", help="socket_owner.exe")
    for option, (kind, default) in options.items():
        parser.add_argument("--" + option.replace("_", "-"), type=kind, default=default)
    args = parser.parse_args()
    try:
        run(args)
    except TestSkipped as reason:
        print(f"SKIP {name}: {reason}")
        sys.exit(SKIPPED)
    except TestFailure as failure:
        sys.exit(f"FAIL {name}: {failure}")
    except subprocess.TimeoutExpired as timeout:
        sys.exit(f"FAIL {name}: {timeout.cmd} did not finish in time")
    print(f"PASS {name}")

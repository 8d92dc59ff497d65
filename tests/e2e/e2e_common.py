"""What the end-to-end tests share: the driver, the program's start and close,
socket binding, what `ss` lists and what a row may show for an endpoint.

The tests run inside scripts/wine-session.sh (WINEPREFIX, DISPLAY and a
persistent wineserver); ctest does that through the Makefile.
"""

import errno
import os
import re
import resource
import socket
import subprocess
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


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


class TestFailure(Exception):
    pass


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
                              timeout=timeout_s)

    def must(self, *args):
        result = self.run(*args)
        check(result.returncode == 0,
              f"driver {' '.join(str(a) for a in args)} failed ({result.returncode}): "
              f"{result.stderr.strip()}")
        return result.stdout

    def rows(self, list_id):
        return [line.split("\t") for line in self.must("rows", list_id).splitlines()]

    def endpoint_rows(self):
        return endpoint_rows(self.rows(ENDPOINT_LIST))


def endpoint_rows(rows):
    check(all(len(row) >= 2 for row in rows),
          f"an endpoint row has fewer than two columns: {[r for r in rows if len(r) < 2][:3]}")
    return [(row[0], row[1]) for row in rows]


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
    s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    try:
        s.bind((address, port))
    except OSError as error:
        s.close()
        if error.errno == errno.EADDRINUSE:
            raise TestFailure(f"UDP port {port} on {address} is taken by another process "
                              f"(see `ss -uanp 'sport = :{port}'`); this test needs it free")
        if error.errno == errno.EACCES:
            raise TestFailure(f"binding UDP port {port} on {address} needs root")
        raise
    return s


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

    def __init__(self, services, host_name=None):
        self.services = services
        self.host_name = host_name or socket.gethostname()
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


def missing_endpoints(shown, rows, bound):
    present = set(rows)
    return [e for e in bound if not (shown.pairs(e) & present)]


def wait_for_endpoints(driver, program, shown, bound, started, timeout_s):
    """Returns the endpoint rows once every endpoint in `bound` is shown, and
    when that was, counted from `started` (a time.monotonic())."""
    deadline = started + timeout_s
    missing = bound
    while time.monotonic() < deadline:
        program.check_running()
        remaining_ms = max(1, int((deadline - time.monotonic()) * 1000))
        waited = driver.run("wait-rows", len(bound), remaining_ms, ENDPOINT_LIST)
        if waited.returncode != 0:
            raise TestFailure(f"the endpoint list did not fill: {waited.stderr.strip()}")
        rows = driver.endpoint_rows()
        missing = missing_endpoints(shown, rows, bound)
        if not missing:
            return rows, time.monotonic() - started
        time.sleep(0.2)
    raise TestFailure(f"{len(missing)} of {len(bound)} bound endpoints never appeared, "
                      f"e.g. {sorted(missing)[:5]}")


class Program:
    """Tarnwick.exe under wine. Use as a context manager: a program the test
    did not close is killed on the way out.

    With `host_name`, the program runs in a UTS namespace of its own where
    gethostname gives that name (Wine passes the Linux one through); the
    rest of the system, sockets and wineserver included, is shared."""

    def __init__(self, exe, driver, host_name=None):
        self.exe = exe
        self.driver = driver
        self.host_name = host_name
        self.process = None
        self.started = None

    def __enter__(self):
        check(self.driver.run("wait", 0).returncode != 0,
              "a window \"Tarnwick\" is already open; close it first")
        command = ["wine", self.exe]
        if self.host_name is not None:
            check_uts_namespace()
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
        closed = self.driver.run("close", 10000)
        check(closed.returncode == 0, f"driver close failed: {closed.stderr.strip()}")
        try:
            exit_code = self.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            raise TestFailure("Tarnwick did not exit within 5 s of closing its window")
        check(exit_code == 0, f"Tarnwick exited with code {exit_code}")


def check_uts_namespace():
    probe = subprocess.run(["unshare", "--uts", "hostname", "tarnwick-probe"],
                           capture_output=True, text=True)
    check(probe.returncode == 0,
          f"`unshare --uts` is needed to give the program a host name of its own (root, "
          f"CAP_SYS_ADMIN): {probe.stderr.strip()}")


def run_test(name, test):
    """Runs test() and prints the PASS or FAIL line; returns the exit code."""
    try:
        test()
    except TestFailure as failure:
        print(f"FAIL {name}: {failure}", file=sys.stderr)
        return 1
    except subprocess.TimeoutExpired as timeout:
        print(f"FAIL {name}: {timeout.cmd} did not finish in time", file=sys.stderr)
        return 1
    print(f"PASS {name}")
    return 0

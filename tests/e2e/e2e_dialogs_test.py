#!/usr/bin/env python3
"""End-to-end test of the Settings dialog and the About box, inside scripts/wine-session.sh:
over a file of red colours, Default and OK change the file and what both lists paint; the
About box keeps answering after a click on its link."""

import sys
import time

# No __pycache__ beside the sources.
sys.dont_write_bytecode = True

from e2e_common import (ENDPOINT_LIST, IDS, STATISTICS_LIST, Driver, Program, Settings,
                        TestFailure, check, main)

IDOK = 1  # winuser.h
STORED = "[Colors]\r\nBackColor=255\r\nSystemColor=255\r\nCustomColor=255\r\n" \
    "StatisticsColor=255\r\nSelectColor=255\r\n[Attributes]\r\nOnTop=1\r\n"
# Keys already in the file keep their place; the others follow in the order written.
DEFAULTS = ["[Colors]", "BackColor=13486280", "SystemColor=14483420", "CustomColor=14483455",
            "StatisticsColor=16770760", "SelectColor=16763080", "[Attributes]", "OnTop=0",
            "GridLines=1", "UpdateInterval=3"]
# Rows of system and other ports and the area below them; no row is selected.
DEFAULT_ROWS = ("220 255 220", "255 255 220", "200 200 205")
DEFAULT_STATISTICS = "200 230 255"


def painted(driver, list_id):
    """The colour of two of three points near a list's right edge (a grid line hides at
    most one); None while the list is not laid out yet."""
    rect = driver.run("rect", list_id)
    left, top, right, bottom = map(int, rect.stdout.split() or [0] * 4)
    if right - left < 40:
        return None
    points = [driver.must("pixel", list_id, right - left - 20, (bottom - top) // 2 + dy)
              for dy in (0, 2, 4)]
    return max(points, key=points.count).strip()


def wait_painted(driver, expected, what, timeout_s=15.0):
    """Waits until what both lists paint meets `expected`."""
    deadline = time.monotonic() + timeout_s
    while True:
        colours = painted(driver, ENDPOINT_LIST), painted(driver, STATISTICS_LIST)
        if expected(colours):
            return
        if time.monotonic() > deadline:
            raise TestFailure(f"the lists paint {colours}, not {what}")
        time.sleep(0.2)


def run(args):
    driver = Driver(args.driver)
    with Settings(STORED) as settings, Program(args.exe, driver) as program:
        wait_painted(driver, lambda c: c == ("255 0 0", "255 0 0"), "the stored red")
        driver.must("command", IDS["ID_SETTINGS"])
        check(driver.must("dialog").startswith("Settings\n"), "no Settings dialog")
        driver.must("click", IDS["IDC_DEFAULT"], 2, 2)
        driver.must("click", IDOK, 2, 2)
        wait_painted(driver, lambda c: c[0] in DEFAULT_ROWS and c[1] == DEFAULT_STATISTICS,
                     "the defaults after Default and OK")
        lines = open(settings.path).read().splitlines()
        check(lines == DEFAULTS, f"Default and OK left the file {lines}")

        driver.must("command", IDS["ID_APP_ABOUT"])
        texts = driver.must("dialog").splitlines()
        check(texts[0] == "About Tarnwick" and "-1\tTarnwick 1.2" in texts and
              f"{IDS['IDC_ABOUT_LINK']}\twww.tarnwick.test" in texts, f"About shows {texts}")
        driver.must("click", IDS["IDC_ABOUT_LINK"], 2, 2)
        time.sleep(2)
        asked = time.monotonic()
        check(driver.run("dialog").stdout.startswith("About Tarnwick\n"),
              "the About box closed or stopped answering after its link was clicked")
        print(f"about-box-answer-after-link: {time.monotonic() - asked:.2f} s")
        driver.must("click", IDOK, 2, 2)
        program.close()


if __name__ == "__main__":
    main("e2e.dialogs", run)

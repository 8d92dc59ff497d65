#!/usr/bin/env python3
"""End-to-end test of the owner-drawn menus of Tarnwick.exe under Wine.

Opens the File popup from another process in the XP look and, after the XP-Style Menu
command, in the classic look; captures each from the screen (saved as PNG beside the exe)
and checks the look: the XP look has a bar of its own colour, 21 pixels wide, at the left
of the items; the classic look has one background. Both show the Refresh image. After the
program exits, the settings file holds the switched look.

Must run inside scripts/wine-session.sh, as the other end-to-end tests.
"""

import argparse
import os
import subprocess
import sys
import time
from collections import Counter

sys.dont_write_bytecode = True

from e2e_common import IDS, Driver, Program, check, run_test, wine_prefix

REFRESH_GREEN = (0, 150, 0)  # drawn by tools/make_images.py into the Refresh image


def capture(rect, png):
    """The screen's pixels in `rect`, by rows; also saved to `png`."""
    left, top, right, bottom = rect
    ppm = subprocess.run(["import", "-window", "root", "-crop",
                          f"{right - left}x{bottom - top}+{left}+{top}", "+repage", "-depth", "8",
                          "ppm:-"], capture_output=True, check=True).stdout
    subprocess.run(["convert", "ppm:-", png], input=ppm, check=True)
    _, size, _, pixels = ppm.split(b"\n", 3)
    width, height = map(int, size.split())
    return [[tuple(pixels[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
            for y in range(height)]


def bar_width(rows):
    """How many columns from the left have the colour that most of column 10 has (the
    popup's frame is narrower than that) as their own most common colour."""
    columns = [Counter(row[x] for row in rows).most_common(1)[0][0] for x in range(len(rows[0]))]
    bar = columns[10]
    runs = [x for x, colour in enumerate(columns) if colour == bar]
    check(runs == list(range(runs[0], runs[-1] + 1)), f"the bar colour {bar} is not one band")
    return len(runs), bar, Counter(columns).most_common(1)[0][0]


def open_file_popup(driver, png):
    left, top, right, bottom, shown_ms = map(int, driver.must("open-menu", ord("f")).split())
    try:
        # Let the popup finish painting its items.
        time.sleep(0.3)
        return capture((left, top, right, bottom), png), shown_ms
    finally:
        driver.must("close-menu")


def run(args):
    driver = Driver(args.driver)
    ini = os.path.join(wine_prefix(), "drive_c", "windows", "Tarnwick.ini")
    with open(ini, "w", newline="\r\n") as f:
        f.write("[Attributes]\nMenuStyle=1\n")
    out = os.path.dirname(os.path.abspath(args.exe))
    with Program(args.exe, driver) as program:
        driver.must("wait")
        xp, shown_ms = open_file_popup(driver, os.path.join(out, "e2e-menu-xp.png"))
        driver.must("send-command", IDS["ID_XPSTYLE"])
        classic, _ = open_file_popup(driver, os.path.join(out, "e2e-menu-classic.png"))
        program.close()
    print(f"File popup shown {shown_ms} ms after the key; screenshots in {out}/e2e-menu-*.png")

    width, bar, items = bar_width(xp)
    check(width == 21 and bar != items, f"XP look: a bar of {width} columns in {bar} on {items}")
    width, bar, items = bar_width(classic)
    check(bar == items and width > 100, f"classic look: {width} columns in {bar} on {items}")
    for name, rows in (("XP", xp), ("classic", classic)):
        check(any(REFRESH_GREEN in row for row in rows), f"{name} look: no Refresh image")
    with open(ini) as f:
        stored = [line.strip() for line in f]
    check("MenuStyle=0" in stored, f"the switched look was not stored: {stored}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--exe", required=True, help="Tarnwick.exe")
    parser.add_argument("--driver", required=True, help="tarnwick_driver.exe")
    args = parser.parse_args()
    return run_test("e2e.menus", lambda: run(args))


if __name__ == "__main__":
    sys.exit(main())

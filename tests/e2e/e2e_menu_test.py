#!/usr/bin/env python3
"""End-to-end test of the owner-drawn menus of Tarnwick.exe under Wine (inside
scripts/wine-session.sh): the File popup captured from the screen (PNG beside the exe) in
the stored XP look, the look switched by its command and stored at exit, then the classic
look at the next start."""

import os
import subprocess
import sys
import time
from collections import Counter

sys.dont_write_bytecode = True

from e2e_common import IDS, Driver, Program, Settings, check, main

REFRESH_GREEN = (0, 150, 0)  # the arrow of the Refresh image (tools/make_images.py)


def open_file_popup(driver, png):
    """The File popup's pixels by rows, as the screen shows them."""
    left, top, right, bottom, shown_ms = map(int, driver.must("open-menu", ord("f")).split())
    time.sleep(0.3)  # the items are drawn after the popup shows
    crop = f"{right - left}x{bottom - top}+{left}+{top}"
    ppm = subprocess.run(["import", "-window", "root", "-crop", crop, "+repage", "-depth", "8",
                          "ppm:-"], capture_output=True, check=True).stdout
    subprocess.run(["convert", "ppm:-", png], input=ppm, check=True)
    _, size, _, pixels = ppm.split(b"\n", 3)
    width, height = map(int, size.split())
    rows = [[tuple(pixels[(y * width + x) * 3:][:3]) for x in range(width)] for y in range(height)]
    return rows, shown_ms


def bar(rows):
    """How many columns have column 10's colour most (the XP bar: 21), which, and the
    colour most columns have."""
    columns = [Counter(row[x] for row in rows).most_common(1)[0][0] for x in range(len(rows[0]))]
    return columns.count(columns[10]), columns[10], Counter(columns).most_common(1)[0][0]


def run(args):
    driver = Driver(args.driver)
    out = os.path.dirname(os.path.abspath(args.exe))
    # The look is switched while the popup is open and the program closed from there; the
    # next start shows the stored look.
    looks = {}
    with Settings("[Attributes]\nMenuStyle=1\n") as settings:
        for look, then in (("xp", ("send-command", IDS["ID_XPSTYLE"])), ("classic", ("wait",))):
            with Program(args.exe, driver) as program:
                driver.must("wait")
                png = os.path.join(out, f"e2e-menu-{look}.png")
                looks[look], shown_ms = open_file_popup(driver, png)
                driver.must(*then)
                program.close()
        with open(settings.path) as f:
            check("MenuStyle=0" in f.read().split(), "the switched look was not stored")
    print(f"File popup shown {shown_ms} ms after the key; screenshots {out}/e2e-menu-*.png")
    width, colour, items = bar(looks["xp"])
    check(width == 21 and colour != items, f"XP look: {width} columns of {colour} on {items}")
    width, colour, items = bar(looks["classic"])
    check(colour == items, f"classic look: {width} columns of {colour} on {items}")
    for look, rows in looks.items():
        check(any(REFRESH_GREEN in row for row in rows), f"{look} look: no Refresh image")


if __name__ == "__main__":
    main("e2e.menus", run)

#!/usr/bin/env python3
"""Opens orvane-check's HTML report of an input in headless Chromium, checks the page the browser
built against what the checker's JSON output says the input holds, and takes a screenshot.

    report_in_browser.py --checker BUILD/tools/orvane-check --out DIR [--window 1280x1600]
                         [--screenshot PNG] INPUT

Exits 77 (skipped) when Chromium is not installed; scripts/setup installs it.
"""
import argparse
import html.parser
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile

SKIPPED = 77
BROWSERS = ("chromium", "chromium-browser")
# The network is closed where the tests run: without these Chromium waits on refused connections.
FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--hide-scrollbars"]


class Page(html.parser.HTMLParser):
    """Counts the elements of the page the browser built, by tag and class."""

    def __init__(self):
        super().__init__()
        self.charts = 0
        self.rows = 0
        self.turning = 0
        self.external = []

    def handle_starttag(self, tag, attrs):
        attributes = dict(attrs)
        classes = (attributes.get("class") or "").split()
        if tag == "svg" and "chart" in classes:
            self.charts += 1
        if tag == "tr" and "diagnostic" in classes:
            self.rows += 1
        if tag == "figure" and "turns-back" in classes:
            self.turning += 1
        if tag in ("script", "link", "img", "iframe") or any(
                name in ("src", "srcset") for name in attributes):
            self.external.append(tag)


def expected(document):
    """Charts, diagnostics rows and curves that turn back, from the JSON output."""
    charts = rows = turning = 0
    for file in document["files"]:
        rows += len(file["diagnostics"])
        for block in file["blocks"]:
            if block["reader"] is None:
                continue
            rows += len(block["diagnostics"])
            values = block["values"]
            if block["reader"] == "P-Y":
                curves = values.get("curves", [])
                charts += len(curves) + (1 if curves else 0)
                for curve in curves:
                    first = [float(point[0]) for point in curve["points"]]  # "NaN" too
                    turning += any(not b > a for a, b in zip(first, first[1:]))
            elif block["reader"] == "AXIAL LOAD":
                charts += 3 if values.get("nodes") else 0
            elif block["reader"] == "WAVE-GENERAL":
                charts += 1 if values.get("selectedFrequencies") else 0
    return charts, rows, turning


def png_size(path):
    with open(path, "rb") as picture:
        head = picture.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack(">II", head[16:24])


def chromium(browser, profile, *arguments):
    command = [browser, *FLAGS, "--user-data-dir=" + profile, *arguments]
    result = subprocess.run(command, capture_output=True, text=True, timeout=180, check=False)
    if result.returncode != 0:
        sys.exit(f"FAIL: {' '.join(command)} exited {result.returncode}:\n{result.stderr[-2000:]}")
    return result.stdout


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--checker", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--window", default="1280x1600")
    parser.add_argument("--screenshot", help="also keep the screenshot here")
    parser.add_argument("input")
    options = parser.parse_args()

    browser = next((found for name in BROWSERS if (found := shutil.which(name))), None)
    if browser is None:
        print("SKIPPED: Chromium is not installed, so the report is not opened in a browser "
              "(scripts/setup installs Debian's chromium)")
        return SKIPPED

    name = os.path.splitext(os.path.basename(options.input))[0]
    os.makedirs(options.out, exist_ok=True)
    report = os.path.abspath(os.path.join(options.out, name + ".html"))
    run = subprocess.run([options.checker, "--json", "--html", report, options.input],
                         capture_output=True, text=True, check=False)
    if run.returncode not in (0, 1):
        sys.exit(f"FAIL: orvane-check exited {run.returncode}: {run.stderr}")
    charts, rows, turning = expected(json.loads(run.stdout))

    with tempfile.TemporaryDirectory(dir=options.out, prefix="profile-") as profile:
        page = Page()
        page.feed(chromium(browser, profile, "--dump-dom", "file://" + report))
        shot = os.path.abspath(os.path.join(options.out, name + ".png"))
        if os.path.exists(shot):
            os.remove(shot)
        width, height = (int(n) for n in options.window.split("x"))
        chromium(browser, profile, "--screenshot=" + shot, f"--window-size={width},{height}",
                 "file://" + report)

    failures = []
    for what, found, wanted in (("charts", page.charts, charts), ("diagnostics rows", page.rows, rows),
                                ("curves marked as turning back", page.turning, turning)):
        print(f"{name}: {found} {what} (expected {wanted})")
        if found != wanted:
            failures.append(what)
    if page.external:
        failures.append("elements that load from elsewhere: " + ", ".join(page.external))
    size = png_size(shot) if os.path.exists(shot) else None
    print(f"{name}: screenshot {shot} {size}")
    if size != (width, height) or os.path.getsize(shot) < 10000:
        failures.append("a screenshot of the window's size with something on it")
    if failures:
        print("FAIL: " + "; ".join(failures))
        return 1
    if options.screenshot:
        shutil.copyfile(shot, options.screenshot)
    return 0


if __name__ == "__main__":
    sys.exit(main())

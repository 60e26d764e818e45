#!/usr/bin/env python3
"""Opens orvane-check's HTML report of an input in headless Chromium: the page the browser built has
the charts, diagnostics rows and turning curves of the markup the checker wrote, loads nothing from
elsewhere, and a screenshot of the window's size is taken.

    report_in_browser.py --checker BUILD/tools/orvane-check --out DIR [--window 1280x1600]
                         [--screenshot PNG] INPUT

Exits 77 (skipped) when Chromium is not installed; scripts/setup installs it.
"""
import argparse
import html.parser
import os
import shutil
import struct
import subprocess
import sys
import tempfile

SKIPPED = 77
# The network is closed where the tests run: without these Chromium waits on refused connections.
FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--hide-scrollbars"]


class Page(html.parser.HTMLParser):
    """Counts charts, diagnostics rows and turning curves, and notes elements that load anything."""

    def __init__(self, text):
        super().__init__()
        self.counts = {"charts": 0, "diagnostics rows": 0, "curves turning back": 0}
        self.external = []
        self.feed(text)

    def handle_starttag(self, tag, attrs):
        attributes = dict(attrs)
        classes = (attributes.get("class") or "").split()
        for name, wanted in (("charts", ("svg", "chart")), ("diagnostics rows", ("tr", "diagnostic")),
                             ("curves turning back", ("figure", "turns-back"))):
            self.counts[name] += (tag, wanted[1] in classes) == (wanted[0], True)
        if tag in ("script", "link", "img", "iframe") or any(n in ("src", "srcset") for n in attributes):
            self.external.append(tag)


def chromium(browser, profile, *arguments):
    command = [browser, *FLAGS, "--user-data-dir=" + profile, *arguments]
    result = subprocess.run(command, capture_output=True, text=True, timeout=180, check=False)
    if result.returncode != 0:
        sys.exit(f"FAIL: {' '.join(command)} exited {result.returncode}:\n{result.stderr[-2000:]}")
    return result.stdout


def main():
    parser = argparse.ArgumentParser()
    for option in ("--checker", "--out"):
        parser.add_argument(option, required=True)
    parser.add_argument("--window", default="1280x1600")
    parser.add_argument("--screenshot", help="also keep the screenshot here")
    parser.add_argument("input")
    options = parser.parse_args()
    browser = shutil.which("chromium") or shutil.which("chromium-browser")
    if browser is None:
        print("SKIPPED: Chromium is not installed (scripts/setup installs Debian's chromium)")
        return SKIPPED

    name = os.path.splitext(os.path.basename(options.input))[0]
    os.makedirs(options.out, exist_ok=True)
    report = os.path.abspath(os.path.join(options.out, name + ".html"))
    shot = os.path.abspath(os.path.join(options.out, name + ".png"))
    run = subprocess.run([options.checker, "--html", report, options.input], capture_output=True, check=False)
    if run.returncode not in (0, 1):
        sys.exit(f"FAIL: orvane-check exited {run.returncode}: {run.stderr}")
    with open(report, encoding="utf-8") as markup:
        written = Page(markup.read())
    if os.path.exists(shot):
        os.remove(shot)
    width, height = (int(n) for n in options.window.split("x"))
    with tempfile.TemporaryDirectory(dir=options.out, prefix="profile-") as profile:
        built = Page(chromium(browser, profile, "--dump-dom", "file://" + report))
        chromium(browser, profile, "--screenshot=" + shot, f"--window-size={width},{height}", "file://" + report)

    failures = [f"{what}: {found} in the page, {written.counts[what]} in the markup"
                for what, found in built.counts.items() if found != written.counts[what]]
    if built.counts["charts"] == 0:
        failures.append("no chart")
    if built.external:
        failures.append("elements that load from elsewhere: " + ", ".join(built.external))
    with open(shot, "rb") as picture:
        head = picture.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or struct.unpack(">II", head[16:24]) != (width, height) \
            or os.path.getsize(shot) < 10000:
        failures.append("a screenshot of the window's size with something on it")
    print(f"{name}: {built.counts}; screenshot {shot}")
    if failures:
        print("FAIL: " + "; ".join(failures))
        return 1
    if options.screenshot:
        shutil.copyfile(shot, options.screenshot)
    return 0


if __name__ == "__main__":
    sys.exit(main())

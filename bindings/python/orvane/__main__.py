"""python -m orvane [OPTION]... FILE...: runs the orvane-check inside this package, which prints what it
finds and exits with its status."""

from __future__ import annotations

import subprocess
import sys

from ._library import find_checker


def main() -> int:
    return subprocess.call([str(find_checker()), *sys.argv[1:]])


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env bash
# Builds the wheel from a copy of the source tree SOURCE as a user would, installs it into a fresh
# virtual environment made by PYTHON (with the system's packages: numpy, pytest), removes the copy
# and its build, and runs the Python tests there from WORK, so that the installed package is the one
# imported and nothing of a build tree is within its reach.
#   run.sh PYTHON SOURCE WORK
set -euo pipefail
(($# == 3)) || { echo "usage: run.sh PYTHON SOURCE WORK" >&2; exit 2; }
python=$1 source=$2 work=$3
unset ORVANE_LIBRARY ORVANE_CHECK
rm -rf "$work"
mkdir -p "$work/source"
tar -C "$source" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$work/source" -xf -
"$python" -m venv --system-site-packages "$work/venv"
"$work/venv/bin/python" -m pip wheel --quiet --no-index --no-build-isolation --no-deps -w "$work/wheel" "$work/source"
"$work/venv/bin/python" -m pip install --quiet --no-index "$work"/wheel/orvane-*-py3-none-linux_*.whl
rm -rf "$work/source"
cd "$work"
"$work/venv/bin/python" -m pytest -q -p no:cacheprovider "$source/tests/python"

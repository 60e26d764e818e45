"""Finds what the package ships (the library, orvane-check) and loads the library."""

from __future__ import annotations

import ctypes
import os
from pathlib import Path

from ._signatures import SIGNATURES

LIBRARY_ENVIRONMENT_VARIABLE = "ORVANE_LIBRARY"
CHECKER_ENVIRONMENT_VARIABLE = "ORVANE_CHECK"

_PACKAGE = Path(__file__).resolve().parent


def _find(what: str, name: str, variable: str, path: str | os.PathLike[str] | None) -> Path:
    """`path`, else $`variable`, else the file `name` inside this package."""
    if path is None:
        path = os.environ.get(variable) or _PACKAGE / name
    found = Path(path)
    if not found.is_file():
        raise FileNotFoundError(
            f"{what} not found at {found}: pass its path, set {variable}, or install the package with pip"
        )
    return found


def find_library(path: str | os.PathLike[str] | None = None) -> Path:
    """The library to load: `path`, else $ORVANE_LIBRARY, else the one inside this package."""
    return _find("Orvane library", "libOrvane.so", LIBRARY_ENVIRONMENT_VARIABLE, path)


def find_checker(path: str | os.PathLike[str] | None = None) -> Path:
    """The orvane-check to run: `path`, else $ORVANE_CHECK, else the one inside this package."""
    return _find("orvane-check", "orvane-check", CHECKER_ENVIRONMENT_VARIABLE, path)


def load(path: str | os.PathLike[str] | None = None) -> ctypes.CDLL:
    """Loads the library and declares the argument and result types of every export."""
    library = ctypes.CDLL(str(find_library(path)))
    for name, (result, arguments) in SIGNATURES.items():
        function = getattr(library, name)
        function.restype = result
        function.argtypes = arguments
    return library

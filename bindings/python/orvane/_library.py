"""Loads the shared library and declares every export's C argument and result types."""

from __future__ import annotations

import ctypes
import os
from pathlib import Path

from ._signatures import SIGNATURES

LIBRARY_ENVIRONMENT_VARIABLE = "ORVANE_LIBRARY"


def _default_path() -> Path:
    """The library in the build tree next to these bindings."""
    return Path(__file__).resolve().parents[3] / "build" / "libOrvane.so"


def find_library(path: str | os.PathLike[str] | None = None) -> Path:
    """The library to load: `path`, else $ORVANE_LIBRARY, else the build tree's libOrvane.so."""
    if path is None:
        path = os.environ.get(LIBRARY_ENVIRONMENT_VARIABLE) or _default_path()
    found = Path(path)
    if not found.is_file():
        raise FileNotFoundError(
            f"Orvane library not found at {found}: pass its path, set {LIBRARY_ENVIRONMENT_VARIABLE}, or build it"
        )
    return found


def load(path: str | os.PathLike[str] | None = None) -> ctypes.CDLL:
    """Loads the library and declares the argument and result types of every export."""
    library = ctypes.CDLL(str(find_library(path)))
    for name, (result, arguments) in SIGNATURES.items():
        function = getattr(library, name)
        function.restype = result
        function.argtypes = arguments
    return library

"""The seventeen exports of the shared library, one to one, with their C argument types."""

from __future__ import annotations

import ctypes
import os
from ctypes import POINTER, c_char_p, c_double, c_float, c_int32, c_int64, c_void_p
from pathlib import Path

_I = POINTER(c_int32)
_F = POINTER(c_float)
_D = POINTER(c_double)
_TEXT = c_char_p

# Export name -> (result type, argument types). Every explicit argument is a pointer; the text
# lengths come last as 64-bit integers by value.
SIGNATURES: dict[str, tuple[object, list[object]]] = {
    "CreateStorage": (c_int32, []),
    "DeleteStorage": (c_int32, [_I]),
    "DeleteAllStorage": (c_int32, []),
    "ExampleSet": (None, [_I, _I]),
    "ExampleGet": (c_int32, [_I]),
    "ExamplePrint": (None, [_I, _TEXT, c_int64]),
    "ReadWaveGeneralMaxes01": (c_int32, [_I, _I, _TEXT, _I, _I, c_int64]),
    "ReadWaveGeneralData01": (
        c_int32,
        [_I, _I, _TEXT, _TEXT, _I, _I, _I, _I, _I, _I, _F, _I, _I, _I, _F, _I, _I, _I, c_int64, c_int64],
    ),
    "ReadWaveGeneralMaxes02": (c_int32, [_I, _I, _TEXT, _I, _I, c_int64]),
    "ReadWaveGeneralData02": (
        c_int32,
        [_I, _I, _TEXT, _TEXT, _I, _I, _I, _I, _I, _I, _F, _I, _I, _I, _F, _I, _I, _I, _F, _F, c_int64, c_int64],
    ),
    "ReadPYMaxes01": (c_int32, [_I, _I, _TEXT, _I, _I, _I, c_int64]),
    "ReadPYData01": (
        c_int32,
        [_I, _I, _TEXT, _TEXT, _I, _I, c_void_p, _I, _I, _I, _F, _F, _I, _I, _I, _TEXT, _F, c_int64, c_int64,
         c_int64],
    ),
    "ReadAxialLoadMaxes01": (c_int32, [_I, _I, _TEXT, _I, _I, c_int64]),
    "ReadAxialLoadData01": (c_int32, [_I, _I, _TEXT, _TEXT, _I, _I, _I, _I, _I, _F, _F, _F, c_int64, c_int64]),
    "ReadHigherHarmonicsData01": (c_int32, [_I, _I, _TEXT, _TEXT, _I, _I, _D, _D, c_int64, c_int64]),
    "ReadReferenceDiameterData01": (c_int32, [_I, _I, _TEXT, _TEXT, _I, _I, _D, c_int64, c_int64]),
    "ReadNonOrthogonalDampingData01": (c_int32, [_I, _I, _TEXT, _TEXT, _I, _I, _I, c_int64, c_int64]),
}

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

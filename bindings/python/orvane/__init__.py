"""Orvane from Python: the keyword block readers of the shared library, through ctypes.

    import orvane
    with orvane.Storage() as storage:
        curves = storage.read_py_curves(["SET=SAND1", "DEPTH=10.0", "0 0", "0.5 100", "*END"])

The raw exports are on `orvane.load()` under their own names, with their argument types set.
"""

from ._library import LIBRARY_ENVIRONMENT_VARIABLE, SIGNATURES, find_library, load
from .blocks import (
    AxialLoad,
    AxialLoadEntry,
    Diagnostic,
    HigherHarmonics,
    NonOrthogonalDamping,
    OrvaneError,
    PYCurve,
    PYCurves,
    ReferenceDiameter,
    Storage,
    WaveGeneral,
)

__all__ = [
    "LIBRARY_ENVIRONMENT_VARIABLE",
    "SIGNATURES",
    "AxialLoad",
    "AxialLoadEntry",
    "Diagnostic",
    "HigherHarmonics",
    "NonOrthogonalDamping",
    "OrvaneError",
    "PYCurve",
    "PYCurves",
    "ReferenceDiameter",
    "Storage",
    "WaveGeneral",
    "find_library",
    "load",
]

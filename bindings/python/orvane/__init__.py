"""Orvane from Python: whole input files read as orvane-check reads them, with NumPy arrays of the
values and every finding; and the library's block readers for hosts that split their files themselves.

    import orvane
    deck = orvane.read_file("model.inp")          # every block, every diagnostic; raises for none
    deck.raise_for_errors()                       # one InputError listing each error with its line
    with orvane.Storage() as storage:             # one block's lines, through the exports
        curves = storage.read_py_curves(["SET=SAND1", "DEPTH=10.0", "0 0", "0.5 100", "*END"])

The raw exports are on `orvane.load()` under their own names, with their argument types set.
"""

from ._library import CHECKER_ENVIRONMENT_VARIABLE, LIBRARY_ENVIRONMENT_VARIABLE, find_checker, find_library, load
from ._signatures import SIGNATURES
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
from .deck import (
    AxialLoadBlock,
    Block,
    Curve,
    Deck,
    HigherHarmonicsBlock,
    InputError,
    NonOrthogonalDampingBlock,
    PYBlock,
    ReferenceDiameterBlock,
    WaveGeneralBlock,
    read_file,
    read_text,
)

__all__ = [
    "CHECKER_ENVIRONMENT_VARIABLE",
    "LIBRARY_ENVIRONMENT_VARIABLE",
    "SIGNATURES",
    "AxialLoad",
    "AxialLoadBlock",
    "AxialLoadEntry",
    "Block",
    "Curve",
    "Deck",
    "Diagnostic",
    "HigherHarmonics",
    "HigherHarmonicsBlock",
    "InputError",
    "NonOrthogonalDamping",
    "NonOrthogonalDampingBlock",
    "OrvaneError",
    "PYBlock",
    "PYCurve",
    "PYCurves",
    "ReferenceDiameter",
    "ReferenceDiameterBlock",
    "Storage",
    "WaveGeneral",
    "WaveGeneralBlock",
    "find_checker",
    "find_library",
    "load",
    "read_file",
    "read_text",
]

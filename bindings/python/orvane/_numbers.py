"""A single-precision number from the text orvane-check writes for it in JSON: the shortest text that
reads back as the number, or "NaN", "Infinity" and "-Infinity"."""

from __future__ import annotations

import math
from fractions import Fraction
from typing import Union

import numpy as np

# A number as JSON gives it when its floats are kept as their text (integers stay integers).
Number = Union[int, str]


def single(text: Number | None) -> float | None:
    """The float32 value that `text` names, exactly, widened to a Python float; None stays None."""
    if text is None:
        return None
    wide = float(text)
    value = np.float32(wide)
    # Read through a double, a text can land exactly halfway between two float32 values and be rounded
    # to the wrong one (7.038531e-26 is the one such text of a positive float32): the text decides.
    if float(value) != wide:
        neighbour = np.nextafter(value, np.float32(math.copysign(math.inf, wide - float(value))))
        if float(value) + float(neighbour) == 2 * wide and Fraction(text) != Fraction(wide):
            value = max(value, neighbour) if Fraction(text) > Fraction(wide) else min(value, neighbour)
    return float(value)

"""Whole input files, read by the orvane-check inside this package: its blocks in file order with their
values as NumPy arrays, and every finding with its line.

    deck = orvane.read_file("model.inp")
    for curve in deck.blocks_of(orvane.PYBlock)[0].curves:
        print(curve.depth, curve.points[:, 1].max())
    deck.raise_for_errors()

The checker splits the file, runs the library's readers and decides which values a block left alone; it
hands over its JSON document and the blocks' arrays as .npy files, so that the deck holds exactly what
`orvane-check --json` reports. The readers keep their number work storage from call to call: reading
in a process of its own also keeps whatever this process read before out of the values.
"""

from __future__ import annotations

import functools
import json
import os
import subprocess
import tempfile
from dataclasses import dataclass, field
from pathlib import Path
from typing import Any, Callable, TypeVar

import numpy as np
from numpy.typing import NDArray

from ._library import find_checker
from ._numbers import single
from .blocks import Diagnostic, OrvaneError


def _no_singles(*shape: int) -> NDArray[np.float32]:
    return np.zeros(shape, dtype=np.float32)


@dataclass(eq=False)
class Block:
    """A keyword block; of this class itself when it is a keyword that no reader reads."""

    keyword: str  # its keyword line, without trailing blanks
    line: int  # the keyword line's number
    data_lines: int  # the lines between the keyword line and the terminator
    terminator: int | None  # the line that ended the block; None when the file ended it
    status: int | None = None  # 0, or -1 after a serious error; None when no reader ran
    diagnostics: list[Diagnostic] = field(default_factory=list)


@dataclass(eq=False)
class NonOrthogonalDampingBlock(Block):
    enabled: bool | None = None  # None: the block gave no valid value


@dataclass(eq=False)
class ReferenceDiameterBlock(Block):
    diameter: float | None = None


@dataclass(eq=False)
class HigherHarmonicsBlock(Block):
    factor: float | None = None
    threshold: float | None = None


@dataclass(eq=False)
class AxialLoadBlock(Block):
    nodes: NDArray[np.int32] = field(default_factory=lambda: np.zeros(0, dtype=np.int32))  # (n,)
    values: NDArray[np.float32] = field(default_factory=lambda: _no_singles(0, 3))  # (n, 3), a row a node


@dataclass(eq=False)
class WaveGeneralBlock(Block):
    seed: int | None = None
    wave_option: int | None = None  # 1 SUPERPOSITION, 2 MWL, 3 EXTENDED
    wave_zone_extent: float | None = None
    float_convolution: bool | None = None
    float_rao_forces: bool | None = None
    float_qtf_forces: bool | None = None
    origin: tuple[float, float] | None = None
    frequencies: NDArray[np.float32] = field(default_factory=lambda: _no_singles(0))  # the selected ones


@dataclass(eq=False)
class Curve:
    """A P-Y curve: placed at a depth (as DEPTH= gives it) or at a node, and its points."""

    depth: float | None
    node: int | None
    points: NDArray[np.float32]  # (n, 2): the first and second number of each point line


@dataclass(eq=False)
class PYBlock(Block):
    set_name: str | None = None  # the last SET= of the block
    scour: float | None = None
    curves: list[Curve] = field(default_factory=list)  # those whose header was read


class InputError(ValueError):
    """The errors of a file, each with its line."""

    def __init__(self, file: str, errors: list[Diagnostic]) -> None:
        super().__init__(f"{len(errors)} error{'s' * (len(errors) != 1)} in {file}:\n" + "\n".join(map(str, errors)))
        self.errors = errors


B = TypeVar("B", bound=Block)


@dataclass(eq=False)
class Deck:
    """A whole file: its blocks in file order and every finding, in line order."""

    file: str
    blocks: list[Block]
    diagnostics: list[Diagnostic]

    def blocks_of(self, kind: type[B]) -> list[B]:
        return [block for block in self.blocks if isinstance(block, kind)]

    @property
    def errors(self) -> list[Diagnostic]:
        return [d for d in self.diagnostics if d.severity == "error"]

    def raise_for_errors(self) -> None:
        """Raises one InputError listing every error of the file, if it has any."""
        if self.errors:
            raise InputError(self.file, self.errors)


def read_file(path: str | os.PathLike[str]) -> Deck:
    """Reads a whole file as orvane-check does. What the file holds, and a file that cannot be read,
    give diagnostics, never an exception; OrvaneError means the checker itself could not run."""
    name = os.fspath(path)
    # A name that starts with '-' would be taken for an option, or alone for standard input.
    return _read(os.path.join(".", name) if name.startswith("-") else name, None, name)


def read_text(text: str | bytes, name: str = "<text>") -> Deck:
    """Reads the text of a whole file (str is taken as UTF-8); `name` stands for the file in findings."""
    return _read("-", text.encode() if isinstance(text, str) else bytes(text), name)


def _read(argument: str, data: bytes | None, name: str) -> Deck:
    with tempfile.TemporaryDirectory(prefix="orvane-") as directory:
        # The values' text comes in the JSON document, their arrays as .npy files.
        command = [str(find_checker()), "--json", "--npy", directory, argument]
        done = subprocess.run(command, input=data, stdin=subprocess.DEVNULL if data is None else None,
                              capture_output=True, check=False)
        try:
            document = json.loads(done.stdout, parse_float=str)  # floats as their text: see single()
        except ValueError:
            reason = done.stderr.decode(errors="replace").strip()
            raise OrvaneError(f"orvane-check failed (exit status {done.returncode}): {reason}") from None
        return _deck(document["files"][0], name, Path(directory))


Arrays = Callable[[str], NDArray[Any]]


def _deck(file: dict[str, Any], name: str, directory: Path) -> Deck:
    def diagnostic(found: dict[str, Any]) -> Diagnostic:
        return Diagnostic(found["line"] or None, found["severity"], found["message"], file=name,
                          column=found.get("column"), end_column=found.get("endColumn"), rule=found.get("rule"))

    findings = [diagnostic(found) for found in file["diagnostics"]]
    if file["error"] is not None:
        findings.append(Diagnostic(None, "error", file["error"], file=name))
    blocks = []
    for found in file["blocks"]:
        block_type, values = _READERS.get(found["reader"], (Block, lambda *_: {}))
        arrays = functools.partial(_load, directory, found["line"])
        blocks.append(block_type(found["keyword"], found["line"], found["dataLines"], found["terminator"],
                                 found.get("status"), [diagnostic(d) for d in found.get("diagnostics", [])],
                                 **values(found.get("values", {}), arrays)))
        findings += blocks[-1].diagnostics
    return Deck(name, blocks, sorted(findings, key=lambda d: d.line or 0))


def _load(directory: Path, line: int, array: str) -> NDArray[Any]:
    """An array the block at `line` filled, as the checker wrote it."""
    loaded: NDArray[Any] = np.load(directory / f"1-{line}-{array}.npy")
    return loaded


def _flag(value: int | None) -> bool | None:
    return None if value is None else value != 0


def _wave_general(values: dict[str, Any], arrays: Arrays) -> dict[str, Any]:
    origin = (single(values.get("origin1")), single(values.get("origin2")))
    return {"seed": values.get("seed"), "wave_option": values.get("waveOption"),
            "wave_zone_extent": single(values.get("waveZoneExtent")),
            "float_convolution": _flag(values.get("floatConvolution")),
            "float_rao_forces": _flag(values.get("floatRaoForces")),
            "float_qtf_forces": _flag(values.get("floatQtfForces")),
            "origin": None if None in origin else origin, "frequencies": arrays("selectedFrequencies")}


def _py(values: dict[str, Any], arrays: Arrays) -> dict[str, Any]:
    placed = zip(arrays("curveKind").tolist(), arrays("curveDepth").tolist(), arrays("curveNode").tolist(),
                 np.split(arrays("points"), np.cumsum(arrays("pointCount"))[:-1]))
    # The library stores a depth with its sign reversed; a kind other than -1 (depth) or 0 (node) marks
    # a curve whose header was refused.
    curves = [Curve(-depth if kind == -1 else None, node if kind == 0 else None, points)
              for kind, depth, node, points in placed if kind in (-1, 0)]
    return {"set_name": values.get("setName"), "scour": single(values.get("scour")), "curves": curves}


# The readers by the name the checker gives them, with the block type and its values. The diameter and
# the harmonics numbers are single-precision values widened, as the library reads them.
_READERS: dict[str | None, tuple[type[Block], Callable[[dict[str, Any], Arrays], dict[str, Any]]]] = {
    "NON-ORTHOGONAL DAMPING": (NonOrthogonalDampingBlock, lambda v, _: {"enabled": _flag(v.get("enabled"))}),
    "REFERENCE DIAMETER": (ReferenceDiameterBlock, lambda v, _: {"diameter": single(v.get("referenceDiameter"))}),
    "HIGHER HARMONICS": (HigherHarmonicsBlock, lambda v, _: {"factor": single(v.get("harmonicsFactor")),
                                                             "threshold": single(v.get("harmonicsThreshold"))}),
    "AXIAL LOAD": (AxialLoadBlock, lambda _, a: {"nodes": a("nodeNumber"), "values": a("axialLoadColumns")}),
    "WAVE-GENERAL": (WaveGeneralBlock, _wave_general),
    "P-Y": (PYBlock, _py),
}

"""One function per keyword block: lines in, a dataclass of the values and the diagnostics out."""

from __future__ import annotations

import ctypes
import os
from ctypes import byref, c_double, c_float, c_int32
from dataclasses import dataclass, field
from typing import Iterable, Sequence, TypeVar, Union

from ._library import load

RECORD_WIDTH = 80  # what hosts pass; wider lines widen every record of the block
MESSAGE_WIDTH = 163  # holds every message of the library whole
SET_NAME_WIDTH = 80

Line = Union[str, bytes]


class OrvaneError(RuntimeError):
    """The library refused a call: the handle names no storage object, or no slot is free."""


@dataclass(frozen=True)
class Diagnostic:
    """A finding of the library or of orvane-check, with where it stands."""

    line: int | None  # from 1, within the lines passed or the file read; None: about the whole file
    severity: str  # "warning" (code 2) or "error" (code 3); whole files also give "note" and "lint"
    message: str
    file: str | None = None  # whole files only, as are the rest
    column: int | None = None  # from 1; None where the finding has no column
    end_column: int | None = None  # one past the last character
    rule: str | None = None  # the stable rule id, where the checker gives one

    def __str__(self) -> str:
        """As compilers write it: `file:line:column: severity: message [rule]`."""
        place = ":".join(str(part) for part in (self.file, self.line, self.column) if part is not None)
        return f"{place}: {self.severity}: {self.message}" + (f" [{self.rule}]" if self.rule else "")


@dataclass
class _Result:
    status: int = 0  # 0, or -1 after a serious error
    codes: list[int] = field(default_factory=list)  # one per line: 0, 2 or 3
    diagnostics: list[Diagnostic] = field(default_factory=list)


@dataclass
class NonOrthogonalDamping(_Result):
    enabled: int = 0  # 1 for YES, 0 for NO


@dataclass
class ReferenceDiameter(_Result):
    diameter: float = 0.0


@dataclass
class HigherHarmonics(_Result):
    factor: float = 0.0
    threshold: float = 0.0


@dataclass(frozen=True)
class AxialLoadEntry:
    node: int
    values: tuple[float, float, float]


@dataclass
class AxialLoad(_Result):
    entries: list[AxialLoadEntry] = field(default_factory=list)


@dataclass
class WaveGeneral(_Result):
    seed: int = 0
    wave_option: int = 0  # 1 SUPERPOSITION, 2 MWL, 3 EXTENDED
    wave_zone_extent: float = 0.0
    float_convolution: int = 0  # -1 YES, 0 NO
    float_rao_forces: int = 0
    float_qtf_forces: int = 0
    selected_frequencies: list[float] = field(default_factory=list)
    origin: tuple[float, float] = (0.0, 0.0)  # form 02 only


@dataclass(frozen=True)
class PYCurve:
    kind: str  # "depth" or "node"
    depth: float | None  # the DEPTH= value as written
    node: int | None
    points: list[tuple[float, float]]


@dataclass
class PYCurves(_Result):
    set_name: str = ""
    scour: float = 0.0
    curves: list[PYCurve] = field(default_factory=list)


R = TypeVar("R", bound=_Result)


class _Block:
    """A block's lines as the host's fixed-width records, with a message and a code per line."""

    def __init__(self, lines: Iterable[Line]) -> None:
        encoded = [line.encode("utf-8") if isinstance(line, str) else bytes(line) for line in lines]
        self.width = max([RECORD_WIDTH] + [len(line) for line in encoded])
        self.count = c_int32(len(encoded))
        records = b"".join(line.ljust(self.width) for line in encoded)
        self.records = ctypes.create_string_buffer(records, max(1, len(records)))
        self.messages = ctypes.create_string_buffer(max(1, len(encoded) * MESSAGE_WIDTH))
        self.codes = (c_int32 * max(1, len(encoded)))()
        self.status = c_int32(0)

    def finish(self, result: R) -> R:
        result.status = self.status.value
        result.codes = list(self.codes)[: self.count.value]
        raw = self.messages.raw
        for index, code in enumerate(result.codes):
            text = raw[index * MESSAGE_WIDTH : (index + 1) * MESSAGE_WIDTH].decode("ascii", "replace").rstrip()
            # The line that ends a block carries code 3 with no message: not a diagnostic.
            if code in (2, 3) and text:
                result.diagnostics.append(Diagnostic(index + 1, "warning" if code == 2 else "error", text))
        return result


class Storage:
    """A storage object of the library: every reading call goes through one.

    Use it as a context manager, or call close(); at most three exist at once.
    """

    def __init__(self, library: ctypes.CDLL | str | os.PathLike[str] | None = None) -> None:
        self.library = library if isinstance(library, ctypes.CDLL) else load(library)
        self.handle = c_int32(self.library.CreateStorage())
        if self.handle.value == 0:
            raise OrvaneError("no free storage slot: three storage objects exist already")

    def close(self) -> None:
        if self.handle.value != 0:
            self.library.DeleteStorage(byref(self.handle))
            self.handle = c_int32(0)

    def __enter__(self) -> Storage:
        return self

    def __exit__(self, *exception: object) -> None:
        self.close()

    def _call(self, name: str, *arguments: object) -> None:
        if getattr(self.library, name)(byref(self.handle), *arguments) != 0:
            raise OrvaneError(f"{name}: handle {self.handle.value} names no storage object")

    def read_non_orthogonal_damping(self, lines: Sequence[Line], *, enabled: int = 0) -> NonOrthogonalDamping:
        block, value = _Block(lines), c_int32(enabled)
        self._call("ReadNonOrthogonalDampingData01", byref(block.count), block.records, block.messages, block.codes,
                   byref(block.status), byref(value), block.width, MESSAGE_WIDTH)
        return block.finish(NonOrthogonalDamping(enabled=value.value))

    def read_reference_diameter(self, lines: Sequence[Line], *, diameter: float = 0.0) -> ReferenceDiameter:
        block, value = _Block(lines), c_double(diameter)
        self._call("ReadReferenceDiameterData01", byref(block.count), block.records, block.messages, block.codes,
                   byref(block.status), byref(value), block.width, MESSAGE_WIDTH)
        return block.finish(ReferenceDiameter(diameter=value.value))

    def read_higher_harmonics(self, lines: Sequence[Line], *, factor: float = 0.0,
                              threshold: float = 0.0) -> HigherHarmonics:
        block, factor_value, threshold_value = _Block(lines), c_double(factor), c_double(threshold)
        self._call("ReadHigherHarmonicsData01", byref(block.count), block.records, block.messages, block.codes,
                   byref(block.status), byref(factor_value), byref(threshold_value), block.width, MESSAGE_WIDTH)
        return block.finish(HigherHarmonics(factor=factor_value.value, threshold=threshold_value.value))

    def read_axial_load(self, lines: Sequence[Line]) -> AxialLoad:
        block, capacity = _Block(lines), c_int32(0)
        self._call("ReadAxialLoadMaxes01", byref(block.count), block.records, block.codes, byref(capacity), block.width)
        size = max(1, capacity.value)
        nodes, columns = (c_int32 * size)(), [(c_float * size)() for _ in range(3)]
        count = c_int32(0)
        self._call("ReadAxialLoadData01", byref(block.count), block.records, block.messages, block.codes,
                   byref(block.status), byref(count), byref(capacity), nodes, *columns, block.width, MESSAGE_WIDTH)
        stored = min(count.value, capacity.value)
        entries = [AxialLoadEntry(nodes[k], (columns[0][k], columns[1][k], columns[2][k])) for k in range(stored)]
        return block.finish(AxialLoad(entries=entries))

    def read_wave_general(self, lines: Sequence[Line], *, form: int = 2, frequency_domain: bool = True,
                          analysis_type: int = 0, restricted_analysis_type: int = 0, seed: int = 0,
                          wave_option: int = 0, wave_zone_extent: float = 0.0, float_convolution: int = 0,
                          float_rao_forces: int = 0, float_qtf_forces: int = 0,
                          origin: tuple[float, float] = (0.0, 0.0)) -> WaveGeneral:
        if form not in (1, 2):
            raise ValueError("form is 1 or 2")
        block, capacity = _Block(lines), c_int32(0)
        self._call(f"ReadWaveGeneralMaxes0{form}", byref(block.count), block.records, block.codes, byref(capacity),
                   block.width)
        frequencies, count = (c_float * max(1, capacity.value))(), c_int32(0)
        outputs = [c_int32(wave_option), c_int32(seed)]
        switches = [c_int32(float_convolution), c_int32(float_rao_forces), c_int32(float_qtf_forces)]
        zone = c_float(wave_zone_extent)
        inputs = [c_int32(analysis_type), c_int32(restricted_analysis_type), c_int32(1 if frequency_domain else 0)]
        origins = [c_float(origin[0]), c_float(origin[1])]
        arguments = [byref(block.count), block.records, block.messages, block.codes, byref(block.status),
                     *map(byref, outputs), byref(count), byref(capacity), frequencies, *map(byref, switches),
                     byref(zone), *map(byref, inputs)]
        if form == 2:
            arguments += [byref(origins[0]), byref(origins[1])]
        self._call(f"ReadWaveGeneralData0{form}", *arguments, block.width, MESSAGE_WIDTH)
        return block.finish(WaveGeneral(
            seed=outputs[1].value, wave_option=outputs[0].value, wave_zone_extent=zone.value,
            float_convolution=switches[0].value, float_rao_forces=switches[1].value,
            float_qtf_forces=switches[2].value, selected_frequencies=list(frequencies)[: count.value],
            origin=(origins[0].value, origins[1].value)))

    def read_py_curves(self, lines: Sequence[Line], *, scour: float = 0.0) -> PYCurves:
        block, max_curves, max_points = _Block(lines), c_int32(0), c_int32(0)
        self._call("ReadPYMaxes01", byref(block.count), block.records, block.codes, byref(max_curves),
                   byref(max_points), block.width)
        curves, points = max_curves.value, max_points.value
        py_points = (c_float * max(1, curves * points * 2))()
        depth, count, kind = (c_float * max(1, curves))(), (c_int32 * max(1, curves))(), (c_int32 * max(1, curves))()
        node = (c_int32 * max(1, 4 * curves))()
        unwritten = 99  # a kind the reader never writes: marks a curve whose header was refused
        for c in range(curves):
            kind[c] = unwritten
        curve_count = c_int32(0)
        set_name = ctypes.create_string_buffer(b" " * SET_NAME_WIDTH, SET_NAME_WIDTH)
        scour_value = c_float(scour)
        self._call("ReadPYData01", byref(block.count), block.records, block.messages, block.codes,
                   byref(block.status), None, byref(max_curves), byref(max_points), byref(curve_count), py_points,
                   depth, count, node, kind, set_name, byref(scour_value), block.width, MESSAGE_WIDTH,
                   SET_NAME_WIDTH)
        result = PYCurves(set_name=set_name.raw.decode("utf-8", "replace").rstrip(), scour=scour_value.value)
        for c in range(min(curve_count.value, curves)):
            if kind[c] == unwritten:
                continue
            stored = min(count[c], points)
            pairs = [(py_points[p * curves + c], py_points[(points + p) * curves + c]) for p in range(stored)]
            if kind[c] == -1:
                result.curves.append(PYCurve("depth", -depth[c], None, pairs))
            else:
                result.curves.append(PYCurve("node", None, node[4 * c], pairs))
        return block.finish(result)

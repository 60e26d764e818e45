import json
import subprocess
import sys
from pathlib import Path

import numpy as np
import pytest

import orvane

EXAMPLES = Path(__file__).resolve().parents[2] / "examples" / "inputs"
INPUTS = sorted(EXAMPLES.glob("*.inp"))


def bits(number):
    return int(np.float32(number).view(np.uint32))


def same(ours, theirs):
    """Equal, numbers where either is a float as float32 bit patterns (JSON writes 150.0 as 150)."""
    if isinstance(ours, dict):
        return ours.keys() == theirs.keys() and all(same(ours[name], theirs[name]) for name in ours)
    if isinstance(ours, list):
        return len(ours) == len(theirs) and all(map(same, ours, theirs))
    if isinstance(ours, float) or isinstance(theirs, float):
        return bits(ours) == bits(theirs)
    return ours == theirs


def as_checker_writes(block):
    """A block's values under the checker's JSON names and codes, counts left out."""
    kind = type(block)
    if kind is orvane.NonOrthogonalDampingBlock:
        found = {"enabled": None if block.enabled is None else int(block.enabled)}
    elif kind is orvane.ReferenceDiameterBlock:
        found = {"referenceDiameter": block.diameter}
    elif kind is orvane.HigherHarmonicsBlock:
        found = {"harmonicsFactor": block.factor, "harmonicsThreshold": block.threshold}
    elif kind is orvane.AxialLoadBlock:
        found = {"nodes": [{"nodeNumber": node, "axialLoadColumn2": a, "axialLoadColumn3": b, "axialLoadColumn4": c}
                           for node, (a, b, c) in zip(block.nodes.tolist(), block.values.tolist())]}
    elif kind is orvane.WaveGeneralBlock:
        flags = [None if flag is None else -int(flag)
                 for flag in (block.float_convolution, block.float_rao_forces, block.float_qtf_forces)]
        found = dict(zip(["seed", "waveOption", "waveZoneExtent", "floatConvolution", "floatRaoForces",
                          "floatQtfForces", "origin1", "origin2"],
                         [block.seed, block.wave_option, block.wave_zone_extent, *flags, *(block.origin or [None] * 2)]))
        found["selectedFrequencies"] = block.frequencies.tolist() or None
    elif kind is orvane.PYBlock:
        curves = [{"curveKind": -1, "curveDepth": -curve.depth} if curve.node is None else
                  {"curveKind": 0, "curveNode": curve.node} for curve in block.curves]
        found = {"setName": block.set_name, "scour": block.scour,
                 "curves": [{**placed, "points": curve.points.tolist()} for placed, curve in zip(curves, block.curves)]}
    else:
        return None
    return {name: value for name, value in found.items() if value is not None}


def without_counts(values):
    """The checker's values without counts (the arrays' lengths give them) and without the curves whose
    header was refused, which the deck leaves out."""
    if isinstance(values, list):
        return [without_counts(item) for item in values if not isinstance(item, dict) or "curveKind" in item
                or "pointCount" not in item]
    if isinstance(values, dict):
        return {name: without_counts(value) for name, value in values.items() if not name.endswith("Count")}
    return values


@pytest.mark.parametrize("path", INPUTS, ids=lambda path: path.name)
def test_values_are_the_checkers(path):
    checker = subprocess.run([str(orvane.find_checker()), "--json", "--values", str(path)], capture_output=True,
                             check=False)
    # "-0" is the float -0.0; other integers are integers.
    document = json.loads(checker.stdout, parse_int=lambda text: -0.0 if text == "-0" else int(text))
    blocks = document["files"][0]["blocks"]
    deck = orvane.read_file(path)
    assert [(b.keyword, b.line, b.data_lines, b.terminator, b.status) for b in deck.blocks] == \
        [(b["keyword"], b["line"], b["dataLines"], b["terminator"], b.get("status")) for b in blocks]
    for ours, theirs in zip(deck.blocks, blocks):
        assert same(as_checker_writes(ours), theirs.get("reader") and without_counts(theirs["values"])), ours.line
    assert len(deck.errors) == document["errors"]


def test_arrays():
    deck = orvane.read_file(EXAMPLES / "clean.inp")
    (wave,), (axial,), (py,) = (deck.blocks_of(kind) for kind in (orvane.WaveGeneralBlock, orvane.AxialLoadBlock,
                                                                    orvane.PYBlock))
    arrays = [wave.frequencies, axial.nodes, axial.values, *(curve.points for curve in py.curves)]
    assert [(array.dtype, array.shape) for array in arrays] == [
        (np.float32, (7,)), (np.int32, (4,)), (np.float32, (4, 3)), *[(np.float32, (4, 2))] * 3]
    assert [(curve.depth, curve.node) for curve in py.curves] == [(2.0, None), (6.0, None), (None, 1001)]
    # Read through a double, this text lands halfway between two float32 values and rounds the wrong way.
    (scoured,) = orvane.read_text("*P-Y\nSCOUR=-7.038531e-26\nDEPTH=1\n0 0\n1 1\n*END\n").blocks_of(orvane.PYBlock)
    assert bits(scoured.scour) == 0x95AE43FD


@pytest.mark.parametrize("read, expected", [
    (lambda tmp: orvane.read_file(tmp / "missing.inp"), [(None, "error", "No such file or directory")]),
    (lambda tmp: orvane.read_file(tmp), [(None, "error", "is a directory")]),
    (lambda tmp: orvane.read_text(b"*AXIAL LOAD\n\x00\n"), [(None, "error", "binary file (a NUL byte at offset 12); not checked")]),
    (lambda tmp: orvane.read_text(""), [(None, "lint", "the file is empty")]),
    (lambda tmp: orvane.read_text("*REFERENCE DIAMETER\n0.5\n0.7\n*END\n"), [
        (3, "error", "Only one data line is permitted under *REFERENCE DIAMETER."),
        (3, "note", "reading of this block stopped here (status -1)")]),
], ids=["missing", "directory", "binary", "empty", "second data line"])
def test_bad_input_gives_diagnostics(tmp_path, read, expected):
    deck = read(tmp_path)
    assert [(d.line, d.severity, d.message) for d in deck.diagnostics] == expected


def test_raise_for_errors_lists_every_error():
    orvane.read_file(EXAMPLES / "clean.inp").raise_for_errors()
    deck = orvane.read_file(EXAMPLES / "diagnostics.inp")
    with pytest.raises(orvane.InputError) as raised:
        deck.raise_for_errors()
    lines = str(raised.value).splitlines()
    assert lines[0] == f"35 errors in {EXAMPLES / 'diagnostics.inp'}:"
    assert lines[1:] == [str(error) for error in deck.errors] == [str(error) for error in raised.value.errors]
    assert lines[1] == (f"{EXAMPLES / 'diagnostics.inp'}:8: error: This is not a valid value. ENABLED can be either YES "
                        "or NO: [OV-DAMPING-ENABLED-INVALID]")


def test_package_runs_what_it_holds():
    package = Path(orvane.__file__).parent
    assert (orvane.find_library().parent, orvane.find_checker().parent) == (package, package)
    shown = subprocess.run([sys.executable, "-m", "orvane", "--lint=none", "diagnostics.inp"], cwd=EXAMPLES,
                           capture_output=True, check=False)
    assert (shown.returncode, shown.stdout) == (1, (EXAMPLES / "diagnostics.txt").read_bytes())


def test_rule_ids_and_columns_are_read_where_the_checker_gives_them(tmp_path, monkeypatch):
    finding = {"line": 2, "severity": "lint", "code": None, "message": "m", "text": "x", "rule": "OV-X", "column": 3,
               "endColumn": 5}
    document = {"files": [{"path": "-", "blocks": [], "diagnostics": [finding], "lines": 2, "error": None}]}
    checker = tmp_path / "orvane-check"
    checker.write_text(f"#!/bin/sh\ncat <<'EOF'\n{json.dumps(document)}\nEOF\n")
    checker.chmod(0o755)
    monkeypatch.setenv(orvane.CHECKER_ENVIRONMENT_VARIABLE, str(checker))
    (found,) = orvane.read_text("", name="x.inp").diagnostics
    assert (str(found), found.end_column) == ("x.inp:2:3: lint: m [OV-X]", 5)

"""Writes the fuzzers' seed corpus: realistic blocks of every keyword in the harnesses' input layout
(big-endian 16-bit numbers, then the records)."""

import json
import struct
from pathlib import Path

HERE = Path(__file__).resolve().parent
WIDTH, MESSAGE_WIDTH = 80, 163


def number(value: int, lowest: int, highest: int) -> bytes:
    return struct.pack(">H", (value - lowest) % (highest - lowest + 1))


def records(lines: list[str]) -> bytes:
    return b"".join(line.encode("latin-1").ljust(WIDTH) for line in lines)


def block(lines: list[str], max_lines: int) -> bytes:
    return number(len(lines), -1, max_lines) + number(WIDTH, 0, 300) + number(MESSAGE_WIDTH, 0, 250)


DAMPING = ["C switch", "ENABLED=YES", "*NEXT"]
DIAMETER = ["0.75", "0.5", "*NEXT"]
HARMONICS = ["-1.0, -2.5E-3", "#INCLUDE x", "*NEXT"]
AXIAL = ["C node fx fy fz", "101, 1.5, -2.5E3, 0", "  102.5 1D2 2.5-1 7", "3*4 /", "1E39 2", "*NEXT"]
WAVE = ["SEED=77", "OPTION=MWL", "WAVEZONE=150.0", "FLOAT_CONVOLUTION=YES", "FLOAT_RAO_FORCES=NO",
        "FLOAT_QTF_FORCES=YES", "FREQUENCIES=SELECTED", "0.05", "0.1", "X=1", "-1", "*NEXT"]
WAVE_ORIGIN = ["SEED=5", "ORIGIN=100.0 250.0", "FREQUENCIES=SELECTED", "*NEXT"]
PY = ["SET=SAND1", "SCOUR=2.0", "DEPTH=10.0", "0.0 0.0", "0.5 100.0", "NODE=12", "0.0 0.0", "1.0 50.0",
      "SCOUR=1", "2.0 60.0", "*END"]

SEEDS = {
    "single_line": {
        "damping": number(0, 0, 2) + block(DAMPING, 8) + records(DAMPING),
        "diameter": number(1, 0, 2) + block(DIAMETER, 8) + records(DIAMETER),
        "harmonics": number(2, 0, 2) + block(HARMONICS, 8) + records(HARMONICS),
    },
    "axial_load": {"axial": block(AXIAL, 64) + number(3, 0, 64) + records(AXIAL)},
    "wave_general": {
        form + name: block(lines, 64) + number(int(form[-1]) - 1, 0, 1) + number(4, 0, 64) + number(1, 0, 2)
        + number(2, 0, 2) + number(1, -3, 3) + records(lines)
        for form in ("form1", "form2")
        for name, lines in (("", WAVE), ("_origin", WAVE_ORIGIN))
    },
    "py_curves": {
        "py": block(PY, 64) + number(3, 0, 64) + number(4, 0, 64) + number(1, 0, 3) + number(20, 0, 40)
        + number(2, 0, 4) + records(PY),
    },
}


def framed(*messages: dict) -> bytes:
    bodies = [json.dumps({"jsonrpc": "2.0", **message}).encode() for message in messages]
    return b"".join(b"Content-Length: %d\r\n\r\n" % len(body) + body for body in bodies)


def at(method: str, line: int, character: int, **more) -> dict:
    return {"id": line, "method": method,
            "params": {"textDocument": {"uri": "f"}, "position": {"line": line, "character": character}, **more}}


OPEN = {"method": "textDocument/didOpen",
        "params": {"textDocument": {"uri": "f", "version": 1, "text": "\n".join(
            ["C deck", "*WAVE-GENERAL", "OPTION=SUPER", *WAVE[2:-1], "$ SOIL", "*P-Y CURVES", *PY[:-1],
             "*AXIAL LOAD", *AXIAL[1:-1], "*REFERENCE DIAMETER", *DIAMETER[:-1], "  C shifted", "*END"])}}}
CHANGE = {"method": "textDocument/didChange", "params": {"textDocument": {"uri": "f", "version": 2}, "contentChanges": [
    {"range": {"start": {"line": 2, "character": 7}, "end": {"line": 3, "character": 0}}, "text": "MWL\nSEED=1\n"}]}}
RANGE = {"start": {"line": 0, "character": 0}, "end": {"line": 40, "character": 0}}
SEEDS["lsp"] = {
    "features": framed(OPEN, at("textDocument/hover", 17, 1), at("textDocument/completion", 2, 7),
                       {"id": 50, "method": "textDocument/documentSymbol", "params": {"textDocument": {"uri": "f"}}},
                       {"id": 51, "method": "textDocument/foldingRange", "params": {"textDocument": {"uri": "f"}}},
                       {"id": 52, "method": "textDocument/codeAction",
                        "params": {"textDocument": {"uri": "f"}, "range": RANGE, "context": {"diagnostics": []}}}),
    "changes": framed(OPEN, CHANGE, at("textDocument/hover", 3, 0), {"id": 9, "method": "shutdown"},
                      {"method": "exit"}),
}

for harness, seeds in SEEDS.items():
    folder = HERE / "corpus" / harness
    folder.mkdir(parents=True, exist_ok=True)
    for name, data in seeds.items():
        (folder / name).write_bytes(data)

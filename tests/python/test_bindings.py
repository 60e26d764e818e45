import ctypes
import struct

import pytest

import orvane


def f32(value: float) -> float:
    """The single-precision number nearest to `value`, as Python sees it."""
    return struct.unpack("f", struct.pack("f", value))[0]


@pytest.fixture()
def storage():
    with orvane.Storage() as opened:
        yield opened


def test_every_export_is_declared_for_ctypes():
    library = orvane.load()
    assert len(orvane.SIGNATURES) == 17
    for name in orvane.SIGNATURES:
        assert getattr(library, name).argtypes is not None
    handle = ctypes.c_int32(library.CreateStorage())
    library.ExampleSet(ctypes.byref(handle), ctypes.byref(ctypes.c_int32(-5)))
    assert library.ExampleGet(ctypes.byref(handle)) == -5
    assert library.DeleteStorage(ctypes.byref(handle)) == handle.value


def test_refusals_raise(monkeypatch, tmp_path, storage):
    opened = [orvane.Storage(), orvane.Storage()]
    with pytest.raises(orvane.OrvaneError, match="no free storage slot"):
        orvane.Storage()
    for each in opened:
        each.close()
    storage.close()
    with pytest.raises(orvane.OrvaneError, match="ReadNonOrthogonalDampingData01: handle 0 names no storage object"):
        storage.read_non_orthogonal_damping(["ENABLED=YES"])
    monkeypatch.setenv(orvane.LIBRARY_ENVIRONMENT_VARIABLE, str(tmp_path / "missing.so"))
    with pytest.raises(FileNotFoundError, match="missing.so"):
        orvane.Storage()


# One call of each reader: text encoded to records, values passed by reference and read back,
# arrays sized from the counts, codes and messages turned into diagnostics.
def test_single_line_readers(storage):
    damping = storage.read_non_orthogonal_damping(["C switch", "ENABLED=no \u00b0", "*NEXT"], enabled=7)
    assert (damping.enabled, damping.status, damping.codes) == (0, 0, [0, 2, 3])
    assert damping.diagnostics == [orvane.Diagnostic(2, "warning", (
        "Non-standard characters on the following line were ignored. Please check that data was read correctly by "
        "examining the input echo in the output file:"))]
    assert storage.read_reference_diameter(["0.3", "*NEXT"]).diameter == 0.30000001192092896
    harmonics = storage.read_higher_harmonics(["1.5, -2", "*NEXT"], factor=9.0, threshold=9.0)
    assert (harmonics.factor, harmonics.threshold) == (1.5, 9.0)


def test_axial_load(storage):
    result = storage.read_axial_load(["101 1.5 -2.5E3 0.25", "*NEXT"])
    assert result.entries == [orvane.AxialLoadEntry(101, (1.5, -2500.0, 0.25))]
    empty = storage.read_axial_load(["*NEXT"])
    assert (empty.entries, empty.diagnostics) == ([], [orvane.Diagnostic(1, "error", "No AXIAL LOAD data defined:")])


def test_wave_general_both_forms(storage):
    lines = ["SEED=77", "OPTION=MWL", "WAVEZONE=150.0", "FLOAT_CONVOLUTION=YES", "FLOAT_RAO_FORCES=NO",
             "FLOAT_QTF_FORCES=YES", "FREQUENCIES=SELECTED", "0.05", "0.1", "*NEXT"]
    result = storage.read_wave_general(lines)
    assert (result.seed, result.wave_option, result.wave_zone_extent) == (77, 2, 150.0)
    assert (result.float_convolution, result.float_rao_forces, result.float_qtf_forces) == (-1, 0, -1)
    assert result.selected_frequencies == [f32(0.05), f32(0.1)]
    assert storage.read_wave_general(["ORIGIN=1.5 -2", "*NEXT"]).origin == (1.5, -2.0)
    refused = storage.read_wave_general(lines[6:8], form=1, frequency_domain=False, analysis_type=4,
                                        restricted_analysis_type=4)
    assert (refused.status, refused.selected_frequencies) == (-1, [])


def test_readme_example():
    # [snippet python]
    import orvane

    with orvane.Storage() as storage:
        result = storage.read_axial_load(["101 1.5 -2.5E3 0", "102.5, 1D2", "*NEXT KEYWORD"])
    assert result.entries[1] == orvane.AxialLoadEntry(103, (100.0, 0.0, 0.0))
    assert result.diagnostics == []
    # [/snippet]


def test_py_curves(storage):
    lines = ["SET=SAND1", "SCOUR=2.0", "DEPTH=10.0", "0.0 0.0", "0.5 100.0", "NODE=12", "0.0 0.0", "1.0 50.0",
             "2.0 60.0", "*END"]
    result = storage.read_py_curves(lines)
    assert (result.set_name, result.scour) == ("SAND1", 2.0)
    assert result.curves == [
        orvane.PYCurve("depth", 10.0, None, [(0.0, 0.0), (0.5, 100.0)]),
        orvane.PYCurve("node", None, 12, [(0.0, 0.0), (1.0, 50.0), (2.0, 60.0)]),
    ]
    # A header the reader refused is counted but never written: the binding leaves it out.
    refused = storage.read_py_curves(["DEPTH=1", "0 0", "DEPTH=2", "0 0", "1 1", "*END"])
    assert [curve.depth for curve in refused.curves] == [1.0]

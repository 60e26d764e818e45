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


def test_library_path_from_the_environment(monkeypatch, tmp_path):
    monkeypatch.setenv(orvane.LIBRARY_ENVIRONMENT_VARIABLE, str(tmp_path / "missing.so"))
    with pytest.raises(FileNotFoundError, match="missing.so"):
        orvane.Storage()


def test_a_deleted_handle_raises(storage):
    storage.close()
    with pytest.raises(orvane.OrvaneError, match="ReadNonOrthogonalDampingData01: handle 0 names no storage object"):
        storage.read_non_orthogonal_damping(["ENABLED=YES"])


def test_no_free_slot_raises():
    opened = [orvane.Storage() for _ in range(3)]
    try:
        with pytest.raises(orvane.OrvaneError, match="no free storage slot"):
            orvane.Storage()
    finally:
        for each in opened:
            each.close()


def test_damping_text_is_encoded_and_screened(storage):
    result = storage.read_non_orthogonal_damping(["C switch", "ENABLED=no \u00b0", "*NEXT"], enabled=7)
    assert (result.enabled, result.status, result.codes) == (0, 0, [0, 2, 3])
    assert result.diagnostics == [orvane.Diagnostic(2, "warning", (
        "Non-standard characters on the following line were ignored. Please check that data was read correctly by "
        "examining the input echo in the output file:"))]


def test_reference_diameter_second_line_is_an_error(storage):
    result = storage.read_reference_diameter(["0.3", "0.5", "*NEXT"])
    assert result.diameter == 0.30000001192092896
    assert result.status == -1
    assert result.diagnostics == [
        orvane.Diagnostic(2, "error", "Only one data line is permitted under *REFERENCE DIAMETER.")
    ]


def test_higher_harmonics_keeps_the_preset_of_a_refused_value(storage):
    result = storage.read_higher_harmonics(["1.5, -2", "*NEXT"], factor=9.0, threshold=9.0)
    assert (result.factor, result.threshold) == (1.5, 9.0)
    assert result.diagnostics == [
        orvane.Diagnostic(1, "warning",
                          "*HIGHER HARMONICS: Higher harmonics threshold cannot be negative. Value ignored.")
    ]


def test_axial_load(storage):
    result = storage.read_axial_load(["C node fx fy fz", "101 1.5 -2.5E3 0", "  102.5, 1D2, 2.5-1, 7", "103",
                                      "*NEXT"])
    assert result.entries == [
        orvane.AxialLoadEntry(101, (1.5, -2500.0, 0.0)),
        orvane.AxialLoadEntry(103, (100.0, 0.25, 7.0)),
        orvane.AxialLoadEntry(103, (0.0, 0.0, 0.0)),
    ]
    assert result.codes == [0, 0, 0, 0, 3]
    empty = storage.read_axial_load(["*NEXT"])
    assert (empty.entries, empty.diagnostics) == ([], [orvane.Diagnostic(1, "error", "No AXIAL LOAD data defined:")])


def test_wave_general_form_two(storage):
    lines = ["SEED=77", "OPTION=MWL", "WAVEZONE=150.0", "FLOAT_CONVOLUTION=YES", "FLOAT_RAO_FORCES=NO",
             "FLOAT_QTF_FORCES=YES", "FREQUENCIES=SELECTED", "0.05", "0.1", "*NEXT"]
    result = storage.read_wave_general(lines)
    assert (result.seed, result.wave_option, result.wave_zone_extent) == (77, 2, 150.0)
    assert (result.float_convolution, result.float_rao_forces, result.float_qtf_forces) == (-1, 0, -1)
    assert result.selected_frequencies == [f32(0.05), f32(0.1)]
    assert (result.status, result.diagnostics) == (0, [])


def test_wave_general_origin_and_time_domain(storage):
    result = storage.read_wave_general(["ORIGIN=1.5 -2", "*NEXT"], origin=(9.0, 9.0))
    assert result.origin == (1.5, -2.0)
    refused = storage.read_wave_general(["FREQUENCIES=SELECTED", "0.1", "*NEXT"], form=1, frequency_domain=False,
                                        analysis_type=4, restricted_analysis_type=4)
    assert refused.status == -1
    assert refused.selected_frequencies == []
    assert refused.diagnostics == [orvane.Diagnostic(
        1, "error", "The FREQUENCIES=SELECTED option is valid for frequency domain analyses only:")]


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
             "2.0 60.0", "SCOUR=3", "*END"]
    result = storage.read_py_curves(lines)
    assert (result.set_name, result.scour) == ("SAND1", 2.0)
    assert result.curves == [
        orvane.PYCurve("depth", 10.0, None, [(0.0, 0.0), (0.5, 100.0)]),
        orvane.PYCurve("node", None, 12, [(0.0, 0.0), (1.0, 50.0), (2.0, 60.0)]),
    ]
    assert result.diagnostics == [
        orvane.Diagnostic(10, "warning", "SCOUR= already specified for this set. Input is ignored.")
    ]


def test_py_curves_refused_header_is_not_a_curve(storage):
    result = storage.read_py_curves(["DEPTH=1", "0 0", "DEPTH=2", "0 0", "1 1", "*END"])
    assert result.status == -1
    assert [curve.depth for curve in result.curves] == [1.0]
    assert result.diagnostics == [orvane.Diagnostic(3, "error", "Expecting more P-Y curve data here instead of:")]

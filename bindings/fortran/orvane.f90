! Orvane for Fortran 2003 hosts: explicit BIND(C) interfaces to the seventeen exports (hidden text
! lengths written out as value arguments) and thin wrappers that take CHARACTER arrays of any length
! and pass their lengths, so that the compiler checks every call.
module orvane
  use, intrinsic :: iso_c_binding, only: c_int32_t, c_int64_t, c_float, c_double, c_char, c_ptr, c_null_ptr
  implicit none
  private

  public :: CreateStorage, DeleteStorage, DeleteAllStorage, ExampleSet, ExampleGet, ExamplePrint
  public :: ReadWaveGeneralMaxes01, ReadWaveGeneralData01, ReadWaveGeneralMaxes02, ReadWaveGeneralData02
  public :: ReadPYMaxes01, ReadPYData01, ReadAxialLoadMaxes01, ReadAxialLoadData01
  public :: ReadHigherHarmonicsData01, ReadReferenceDiameterData01, ReadNonOrthogonalDampingData01
  public :: example_print, read_wave_general_maxes, read_wave_general_data01, read_wave_general_data02
  public :: read_py_maxes, read_py_data, read_axial_load_maxes, read_axial_load_data
  public :: read_higher_harmonics, read_reference_diameter, read_non_orthogonal_damping

  interface
    include 'orvane_interfaces.inc'
  end interface

contains

  ! A call whose arrays are smaller than lineCount says is refused with 1, like a bad handle.
  logical function fits(lineCount, n)
    integer(c_int32_t), intent(in) :: lineCount
    integer, intent(in) :: n
    fits = lineCount <= n
  end function

  subroutine example_print(handle, text)
    integer(c_int32_t), intent(in) :: handle
    character(len=*), intent(in) :: text
    call ExamplePrint(handle, text, len(text, kind=c_int64_t))
  end subroutine

  integer(c_int32_t) function read_wave_general_maxes(handle, lineCount, lines, lineCodes, &
      selectedFrequencyCount) result(r)
    integer(c_int32_t), intent(in) :: handle, lineCount
    character(len=*), intent(in), contiguous :: lines(:)
    integer(c_int32_t), intent(inout), contiguous :: lineCodes(:)
    integer(c_int32_t), intent(inout) :: selectedFrequencyCount
    r = 1
    if (.not. (fits(lineCount, size(lines)) .and. fits(lineCount, size(lineCodes)))) return
    r = ReadWaveGeneralMaxes01(handle, lineCount, lines, lineCodes, selectedFrequencyCount, &
        len(lines, kind=c_int64_t))
  end function

  integer(c_int32_t) function read_wave_general_data01(handle, lineCount, lines, messages, lineCodes, status, &
      waveOption, seed, selectedFrequencyCount, selectedFrequencies, floatConvolution, floatRaoForces, &
      floatQtfForces, waveZoneExtent, analysisType, restrictedAnalysisType, frequencyDomain) result(r)
    integer(c_int32_t), intent(in) :: handle, lineCount, analysisType, restrictedAnalysisType
    character(len=*), intent(in), contiguous :: lines(:)
    character(len=*), intent(inout), contiguous :: messages(:)
    integer(c_int32_t), intent(inout), contiguous :: lineCodes(:)
    integer(c_int32_t), intent(inout) :: status, waveOption, seed, selectedFrequencyCount
    real(c_float), intent(inout), contiguous :: selectedFrequencies(:)
    integer(c_int32_t), intent(inout) :: floatConvolution, floatRaoForces, floatQtfForces
    real(c_float), intent(inout) :: waveZoneExtent
    logical, intent(in) :: frequencyDomain
    r = 1
    if (.not. (fits(lineCount, size(lines)) .and. fits(lineCount, size(messages)) &
        .and. fits(lineCount, size(lineCodes)))) return
    r = ReadWaveGeneralData01(handle, lineCount, lines, messages, lineCodes, status, waveOption, seed, &
        selectedFrequencyCount, int(size(selectedFrequencies), c_int32_t), selectedFrequencies, floatConvolution, &
        floatRaoForces, floatQtfForces, waveZoneExtent, analysisType, restrictedAnalysisType, &
        merge(1_c_int32_t, 0_c_int32_t, frequencyDomain), len(lines, kind=c_int64_t), len(messages, kind=c_int64_t))
  end function

  integer(c_int32_t) function read_wave_general_data02(handle, lineCount, lines, messages, lineCodes, status, &
      waveOption, seed, selectedFrequencyCount, selectedFrequencies, floatConvolution, floatRaoForces, &
      floatQtfForces, waveZoneExtent, analysisType, restrictedAnalysisType, frequencyDomain, origin1, origin2) &
      result(r)
    integer(c_int32_t), intent(in) :: handle, lineCount, analysisType, restrictedAnalysisType
    character(len=*), intent(in), contiguous :: lines(:)
    character(len=*), intent(inout), contiguous :: messages(:)
    integer(c_int32_t), intent(inout), contiguous :: lineCodes(:)
    integer(c_int32_t), intent(inout) :: status, waveOption, seed, selectedFrequencyCount
    real(c_float), intent(inout), contiguous :: selectedFrequencies(:)
    integer(c_int32_t), intent(inout) :: floatConvolution, floatRaoForces, floatQtfForces
    real(c_float), intent(inout) :: waveZoneExtent, origin1, origin2
    logical, intent(in) :: frequencyDomain
    r = 1
    if (.not. (fits(lineCount, size(lines)) .and. fits(lineCount, size(messages)) &
        .and. fits(lineCount, size(lineCodes)))) return
    r = ReadWaveGeneralData02(handle, lineCount, lines, messages, lineCodes, status, waveOption, seed, &
        selectedFrequencyCount, int(size(selectedFrequencies), c_int32_t), selectedFrequencies, floatConvolution, &
        floatRaoForces, floatQtfForces, waveZoneExtent, analysisType, restrictedAnalysisType, &
        merge(1_c_int32_t, 0_c_int32_t, frequencyDomain), origin1, origin2, len(lines, kind=c_int64_t), &
        len(messages, kind=c_int64_t))
  end function

  integer(c_int32_t) function read_py_maxes(handle, lineCount, lines, lineCodes, curveCount, maxPoints) result(r)
    integer(c_int32_t), intent(in) :: handle, lineCount
    character(len=*), intent(in), contiguous :: lines(:)
    integer(c_int32_t), intent(inout), contiguous :: lineCodes(:)
    integer(c_int32_t), intent(inout) :: curveCount, maxPoints
    r = 1
    if (.not. (fits(lineCount, size(lines)) .and. fits(lineCount, size(lineCodes)))) return
    r = ReadPYMaxes01(handle, lineCount, lines, lineCodes, curveCount, maxPoints, len(lines, kind=c_int64_t))
  end function

  ! pyPoints(maxCurves, maxPoints, 2) and curveNode(4, maxCurves): the capacities come from the shapes.
  integer(c_int32_t) function read_py_data(handle, lineCount, lines, messages, lineCodes, status, curveCount, &
      pyPoints, curveDepth, pointCount, curveNode, curveKind, setName, scour) result(r)
    integer(c_int32_t), intent(in) :: handle, lineCount
    character(len=*), intent(in), contiguous :: lines(:)
    character(len=*), intent(inout), contiguous :: messages(:)
    integer(c_int32_t), intent(inout), contiguous :: lineCodes(:)
    integer(c_int32_t), intent(inout) :: status, curveCount
    real(c_float), intent(inout), contiguous :: pyPoints(:, :, :), curveDepth(:)
    integer(c_int32_t), intent(inout), contiguous :: pointCount(:), curveNode(:, :), curveKind(:)
    character(len=*), intent(inout) :: setName
    real(c_float), intent(inout) :: scour
    integer(c_int32_t) :: maxCurves, maxPoints
    r = 1
    maxCurves = int(size(pyPoints, 1), c_int32_t)
    maxPoints = int(size(pyPoints, 2), c_int32_t)
    if (.not. (fits(lineCount, size(lines)) .and. fits(lineCount, size(messages)) &
        .and. fits(lineCount, size(lineCodes)))) return
    if (size(pyPoints, 3) /= 2 .or. size(curveNode, 1) /= 4) return
    if (size(curveDepth) < maxCurves .or. size(pointCount) < maxCurves .or. size(curveNode, 2) < maxCurves &
        .or. size(curveKind) < maxCurves) return
    r = ReadPYData01(handle, lineCount, lines, messages, lineCodes, status, c_null_ptr, maxCurves, maxPoints, &
        curveCount, pyPoints, curveDepth, pointCount, curveNode, curveKind, setName, scour, &
        len(lines, kind=c_int64_t), len(messages, kind=c_int64_t), len(setName, kind=c_int64_t))
  end function

  integer(c_int32_t) function read_axial_load_maxes(handle, lineCount, lines, lineCodes, maxNodeCount) result(r)
    integer(c_int32_t), intent(in) :: handle, lineCount
    character(len=*), intent(in), contiguous :: lines(:)
    integer(c_int32_t), intent(inout), contiguous :: lineCodes(:)
    integer(c_int32_t), intent(inout) :: maxNodeCount
    r = 1
    if (.not. (fits(lineCount, size(lines)) .and. fits(lineCount, size(lineCodes)))) return
    r = ReadAxialLoadMaxes01(handle, lineCount, lines, lineCodes, maxNodeCount, len(lines, kind=c_int64_t))
  end function

  integer(c_int32_t) function read_axial_load_data(handle, lineCount, lines, messages, lineCodes, status, &
      nodeCount, nodeNumbers, axialLoadColumn2, axialLoadColumn3, axialLoadColumn4) result(r)
    integer(c_int32_t), intent(in) :: handle, lineCount
    character(len=*), intent(in), contiguous :: lines(:)
    character(len=*), intent(inout), contiguous :: messages(:)
    integer(c_int32_t), intent(inout), contiguous :: lineCodes(:), nodeNumbers(:)
    integer(c_int32_t), intent(inout) :: status, nodeCount
    real(c_float), intent(inout), contiguous :: axialLoadColumn2(:), axialLoadColumn3(:), axialLoadColumn4(:)
    integer(c_int32_t) :: maxNodes
    r = 1
    maxNodes = int(min(size(nodeNumbers), size(axialLoadColumn2), size(axialLoadColumn3), &
        size(axialLoadColumn4)), c_int32_t)
    if (.not. (fits(lineCount, size(lines)) .and. fits(lineCount, size(messages)) &
        .and. fits(lineCount, size(lineCodes)))) return
    r = ReadAxialLoadData01(handle, lineCount, lines, messages, lineCodes, status, nodeCount, maxNodes, &
        nodeNumbers, axialLoadColumn2, axialLoadColumn3, axialLoadColumn4, len(lines, kind=c_int64_t), &
        len(messages, kind=c_int64_t))
  end function

  integer(c_int32_t) function read_higher_harmonics(handle, lineCount, lines, messages, lineCodes, status, &
      harmonicsFactor, harmonicsThreshold) result(r)
    integer(c_int32_t), intent(in) :: handle, lineCount
    character(len=*), intent(in), contiguous :: lines(:)
    character(len=*), intent(inout), contiguous :: messages(:)
    integer(c_int32_t), intent(inout), contiguous :: lineCodes(:)
    integer(c_int32_t), intent(inout) :: status
    real(c_double), intent(inout) :: harmonicsFactor, harmonicsThreshold
    r = 1
    if (.not. (fits(lineCount, size(lines)) .and. fits(lineCount, size(messages)) &
        .and. fits(lineCount, size(lineCodes)))) return
    r = ReadHigherHarmonicsData01(handle, lineCount, lines, messages, lineCodes, status, harmonicsFactor, &
        harmonicsThreshold, len(lines, kind=c_int64_t), len(messages, kind=c_int64_t))
  end function

  integer(c_int32_t) function read_reference_diameter(handle, lineCount, lines, messages, lineCodes, status, &
      referenceDiameter) result(r)
    integer(c_int32_t), intent(in) :: handle, lineCount
    character(len=*), intent(in), contiguous :: lines(:)
    character(len=*), intent(inout), contiguous :: messages(:)
    integer(c_int32_t), intent(inout), contiguous :: lineCodes(:)
    integer(c_int32_t), intent(inout) :: status
    real(c_double), intent(inout) :: referenceDiameter
    r = 1
    if (.not. (fits(lineCount, size(lines)) .and. fits(lineCount, size(messages)) &
        .and. fits(lineCount, size(lineCodes)))) return
    r = ReadReferenceDiameterData01(handle, lineCount, lines, messages, lineCodes, status, referenceDiameter, &
        len(lines, kind=c_int64_t), len(messages, kind=c_int64_t))
  end function

  integer(c_int32_t) function read_non_orthogonal_damping(handle, lineCount, lines, messages, lineCodes, status, &
      enabled) result(r)
    integer(c_int32_t), intent(in) :: handle, lineCount
    character(len=*), intent(in), contiguous :: lines(:)
    character(len=*), intent(inout), contiguous :: messages(:)
    integer(c_int32_t), intent(inout), contiguous :: lineCodes(:)
    integer(c_int32_t), intent(inout) :: status, enabled
    r = 1
    if (.not. (fits(lineCount, size(lines)) .and. fits(lineCount, size(messages)) &
        .and. fits(lineCount, size(lineCodes)))) return
    r = ReadNonOrthogonalDampingData01(handle, lineCount, lines, messages, lineCodes, status, enabled, &
        len(lines, kind=c_int64_t), len(messages, kind=c_int64_t))
  end function

end module orvane

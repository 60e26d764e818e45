! A Fortran 2003 host that reaches the library only through module orvane, so that the compiler
! checks every argument.
program modern_host
  use, intrinsic :: iso_c_binding, only: c_int32_t, c_float, c_double
  use orvane
  implicit none
  character(len=80) :: lines(12)
  character(len=100) :: messages(12)
  character(len=8) :: setName
  integer(c_int32_t) :: handle, codes(12), status, enabled, nodeCount, maxNodeCount, curveCount, maxPoints
  integer(c_int32_t) :: nodes(2), pointCount(2), curveNode(4, 2), curveKind(2), frequencyCount
  integer(c_int32_t) :: waveOption, seed, convolution, rao, qtf
  real(c_float) :: fx(2), fy(2), fz(2), pyPoints(2, 3, 2), curveDepth(2), scour, frequencies(3), waveZone
  real(c_double) :: diameter
  integer :: failures = 0

  handle = CreateStorage()

  ! [snippet fortran-modern]
  lines(1) = 'ENABLED=no'
  lines(2) = '*AXIAL LOAD'
  enabled = 5
  call expect('damping call', read_non_orthogonal_damping(handle, 2, lines, messages, codes, status, enabled), 0)
  ! [/snippet]
  call expect('enabled', enabled, 0)

  lines(1) = '7 1.5 2.5 3.5'
  lines(2) = '8.5, , -1E2'
  lines(3) = '*REFERENCE DIAMETER'
  call expect('axial maxes call', read_axial_load_maxes(handle, 3, lines, codes, maxNodeCount), 0)
  call expect('axial call', read_axial_load_data(handle, 3, lines, messages, codes, status, nodeCount, &
      nodes(1:maxNodeCount), fx, fy, fz), 0)
  call expect('node count', nodeCount, 2)
  call expect('node 2', nodes(2), 9)
  call expect('fy 2', transfer(fy(2), 0), transfer(-100.0, 0))

  lines(1) = '0.3'
  lines(2) = '*HIGHER HARMONICS'
  call expect('diameter call', read_reference_diameter(handle, 2, lines, messages, codes, status, diameter), 0)
  call expect('diameter bits', int(transfer(diameter, 0_8) - transfer(real(0.3, c_double), 0_8)), 0)

  lines(1) = 'FREQUENCIES=SELECTED'
  lines(2) = '0.25'
  lines(3) = '*P-Y'
  call expect('wave maxes call', read_wave_general_maxes(handle, 3, lines, codes, frequencyCount), 0)
  call expect('wave call', read_wave_general_data01(handle, 3, lines, messages, codes, status, waveOption, seed, &
      frequencyCount, frequencies(1:frequencyCount), convolution, rao, qtf, waveZone, 4, 4, .false.), 0)
  call expect_text('time domain refuses the list', messages(1), &
      'The FREQUENCIES=SELECTED option is valid for frequency domain analyses only:')

  lines(1) = 'SET=CLAYS'
  lines(2) = 'NODE=4'
  lines(3) = '0 0'
  lines(4) = '1 10'
  lines(5) = 'DEPTH=2.5'
  lines(6) = '2 20'
  lines(7) = '3 30'
  lines(8) = '*END'
  call expect('py maxes call', read_py_maxes(handle, 8, lines, codes, curveCount, maxPoints), 0)
  curveCount = 0
  pointCount = 0
  curveNode = -1
  pyPoints = -1.0
  call expect('py call', read_py_data(handle, 8, lines, messages, codes, status, curveCount, pyPoints, &
      curveDepth, pointCount, curveNode, curveKind, setName, scour), 0)
  call expect('curves', curveCount, 2)
  call expect('node record', curveNode(1, 1) + curveNode(2, 1), 3)
  call expect('y(2,2) column-major', transfer(pyPoints(2, 2, 2), 0), transfer(30.0, 0))
  call expect('unused point untouched', transfer(pyPoints(1, 3, 1), 0), transfer(-1.0, 0))
  call expect_text('set name', setName, 'CLAYS')

  call expect('too few records refused', read_non_orthogonal_damping(handle, 13, lines, messages, codes, status, &
      enabled), 1)
  call example_print(handle, 'modern')
  call expect('delete', DeleteStorage(handle), handle)

  print '(a, i0, a)', 'modern host: ', failures, ' failed'
  if (failures /= 0) stop 1

contains

  subroutine expect(label, got, want)
    character(len=*), intent(in) :: label
    integer(c_int32_t), intent(in) :: got, want
    if (got /= want) then
      failures = failures + 1
      print '(3a, i0, a, i0)', 'FAIL ', label, ': got ', got, ' want ', want
    end if
  end subroutine

  subroutine expect_text(label, got, want)
    character(len=*), intent(in) :: label, got, want
    if (got /= want) then
      failures = failures + 1
      print '(5a)', 'FAIL ', label, ': got "', got, '"'
    end if
  end subroutine

end program modern_host

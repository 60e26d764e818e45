! The Fortran yardstick: how a traditional host reads P-Y and *AXIAL LOAD records, one list-directed
! internal READ per data line, with the same line classification as the library and a message
! record blanked per line. Every number read is summed by its bit pattern for the benchmark's check.
module list_directed_baseline
  use, intrinsic :: iso_c_binding, only: c_char, c_int32_t, c_int64_t
  implicit none
  private
  public :: fortran_py_maxes, fortran_py_data, fortran_axial_maxes, fortran_axial_data

contains

  pure function upper(text) result(folded)
    character(len=*), intent(in) :: text
    character(len=len(text)) :: folded
    integer :: i, code
    folded = text
    do i = 1, len(text)
      code = iachar(text(i:i))
      if (code >= iachar('a') .and. code <= iachar('z')) folded(i:i) = achar(code - 32)
    end do
  end function upper

  pure function bits(value) result(word)
    real, intent(in) :: value
    integer(c_int64_t) :: word
    word = iand(int(transfer(value, 0_c_int32_t), c_int64_t), int(z'FFFFFFFF', c_int64_t))
  end function bits

  subroutine fortran_py_maxes(lineCount, lines, lineLength, curves, mostPoints) bind(C, name='fortran_py_maxes')
    integer(c_int32_t), value :: lineCount
    character(kind=c_char), intent(in) :: lines(*)
    integer(c_int64_t), value :: lineLength
    integer(c_int32_t), intent(out) :: curves, mostPoints
    call py_maxes(lines, int(lineLength), lineCount, curves, mostPoints)
  end subroutine fortran_py_maxes

  subroutine py_maxes(records, width, n, curves, mostPoints)
    integer, intent(in) :: width, n
    character(len=width), intent(in) :: records(n)
    integer(c_int32_t), intent(out) :: curves, mostPoints
    character(len=width) :: line
    integer :: i, points
    curves = 0
    mostPoints = 0
    points = 0
    do i = 1, n
      line = adjustl(records(i))
      if (line(1:1) == '*' .or. line(1:1) == '$') exit
      if (len_trim(line) == 0 .or. line(1:1) == 'C' .or. line(1:1) == 'c') cycle
      if (upper(line(1:3)) == 'SET' .or. upper(line(1:5)) == 'SCOUR') cycle
      if (upper(line(1:5)) == 'DEPTH' .or. upper(line(1:4)) == 'NODE') then
        curves = curves + 1
        points = 0
      else if (curves > 0) then
        points = points + 1
        mostPoints = max(mostPoints, points)
      end if
    end do
  end subroutine py_maxes

  subroutine fortran_py_data(lineCount, lines, lineLength, messages, messageLength, values, bitSum) &
      bind(C, name='fortran_py_data')
    integer(c_int32_t), value :: lineCount
    character(kind=c_char), intent(in) :: lines(*)
    integer(c_int64_t), value :: lineLength
    character(kind=c_char), intent(inout) :: messages(*)
    integer(c_int64_t), value :: messageLength
    integer(c_int64_t), intent(out) :: values, bitSum
    call py_data(lines, messages, int(lineLength), int(messageLength), lineCount, values, bitSum)
  end subroutine fortran_py_data

  subroutine py_data(records, messages, width, messageWidth, n, values, bitSum)
    integer, intent(in) :: width, messageWidth, n
    character(len=width), intent(in) :: records(n)
    character(len=messageWidth), intent(inout) :: messages(n)
    integer(c_int64_t), intent(out) :: values, bitSum
    character(len=width) :: line
    character(len=6) :: head
    real :: a, b, depth
    integer :: i, k, ios, node
    values = 0
    bitSum = 0
    do i = 1, n
      messages(i) = ' '
      if (records(i)(1:1) == 'C' .or. records(i)(1:1) == 'c') cycle
      if (len_trim(records(i)) == 0) cycle
      if (records(i)(1:1) == '*' .or. records(i)(1:1) == '$') exit
      line = adjustl(records(i))
      head = upper(line(1:6))
      if (head(1:4) == 'SET=') then
        cycle
      else if (head == 'SCOUR=') then
        k = index(line, 'R=')
        read (line(k + 2:), *, iostat=ios) depth
      else if (head == 'DEPTH=') then
        k = index(line, 'H=')
        read (line(k + 2:), *, iostat=ios) depth
      else if (head(1:5) == 'NODE=') then
        k = index(line, 'E=')
        read (line(k + 2:), *, iostat=ios) depth
        node = nint(depth)
      else
        a = 0
        b = 0
        read (line, *, iostat=ios) a, b
        values = values + 2
        bitSum = bitSum + bits(a) + bits(b)
      end if
    end do
  end subroutine py_data

  subroutine fortran_axial_maxes(lineCount, lines, lineLength, nodes) bind(C, name='fortran_axial_maxes')
    integer(c_int32_t), value :: lineCount
    character(kind=c_char), intent(in) :: lines(*)
    integer(c_int64_t), value :: lineLength
    integer(c_int32_t), intent(out) :: nodes
    call axial_maxes(lines, int(lineLength), lineCount, nodes)
  end subroutine fortran_axial_maxes

  subroutine axial_maxes(records, width, n, nodes)
    integer, intent(in) :: width, n
    character(len=width), intent(in) :: records(n)
    integer(c_int32_t), intent(out) :: nodes
    character(len=width) :: line
    integer :: i
    nodes = 0
    do i = 1, n
      line = adjustl(records(i))
      if (line(1:1) == '*' .or. line(1:1) == '$') exit
      if (len_trim(line) == 0 .or. line(1:1) == 'C' .or. line(1:1) == 'c') cycle
      nodes = nodes + 1
    end do
  end subroutine axial_maxes

  subroutine fortran_axial_data(lineCount, lines, lineLength, messages, messageLength, values, bitSum) &
      bind(C, name='fortran_axial_data')
    integer(c_int32_t), value :: lineCount
    character(kind=c_char), intent(in) :: lines(*)
    integer(c_int64_t), value :: lineLength
    character(kind=c_char), intent(inout) :: messages(*)
    integer(c_int64_t), value :: messageLength
    integer(c_int64_t), intent(out) :: values, bitSum
    call axial_data(lines, messages, int(lineLength), int(messageLength), lineCount, values, bitSum)
  end subroutine fortran_axial_data

  subroutine axial_data(records, messages, width, messageWidth, n, values, bitSum)
    integer, intent(in) :: width, messageWidth, n
    character(len=width), intent(in) :: records(n)
    character(len=messageWidth), intent(inout) :: messages(n)
    integer(c_int64_t), intent(out) :: values, bitSum
    real :: node, load(3)
    integer :: i, k, ios
    values = 0
    bitSum = 0
    do i = 1, n
      messages(i) = ' '
      if (records(i)(1:1) == 'C' .or. records(i)(1:1) == 'c') cycle
      if (len_trim(records(i)) == 0) cycle
      if (records(i)(1:1) == '*' .or. records(i)(1:1) == '$') exit
      node = 0
      load = 0
      read (records(i), *, iostat=ios) node, load
      bitSum = bitSum + iand(int(nint(node), c_int64_t), int(z'FFFFFFFF', c_int64_t))
      do k = 1, 3
        bitSum = bitSum + bits(load(k))
      end do
      values = values + 3
    end do
  end subroutine axial_data

end module list_directed_baseline

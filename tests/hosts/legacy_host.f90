! A host written the way the existing analysis programs are: implicit interfaces, plain CALLs and
! integer function references, CHARACTER records, INTEGER*4, REAL*4 and REAL*8. The compiler itself
! passes every argument by reference and appends the hidden character lengths.
      PROGRAM LEGACYHOST
      IMPLICIT NONE
      INTEGER*4 CreateStorage, DeleteStorage, DeleteAllStorage, ExampleGet
      INTEGER*4 ReadWaveGeneralMaxes01, ReadWaveGeneralData01
      INTEGER*4 ReadWaveGeneralMaxes02, ReadWaveGeneralData02
      INTEGER*4 ReadPYMaxes01, ReadPYData01
      INTEGER*4 ReadAxialLoadMaxes01, ReadAxialLoadData01
      INTEGER*4 ReadHigherHarmonicsData01, ReadReferenceDiameterData01
      INTEGER*4 ReadNonOrthogonalDampingData01
      EXTERNAL CreateStorage, DeleteStorage, DeleteAllStorage, ExampleGet
      EXTERNAL ExampleSet, ExamplePrint
      EXTERNAL ReadWaveGeneralMaxes01, ReadWaveGeneralData01
      EXTERNAL ReadWaveGeneralMaxes02, ReadWaveGeneralData02
      EXTERNAL ReadPYMaxes01, ReadPYData01
      EXTERNAL ReadAxialLoadMaxes01, ReadAxialLoadData01
      EXTERNAL ReadHigherHarmonicsData01, ReadReferenceDiameterData01
      EXTERNAL ReadNonOrthogonalDampingData01

      CHARACTER(LEN=80) LINES(12)
      CHARACTER(LEN=200) MSGS(12)
      CHARACTER(LEN=20) SETNAM
      INTEGER*4 CODES(12), NLINES, ISTAT, IRES, H, HBAD, I, NEWVAL
      INTEGER*4 ENABLD, NODES(3), MAXN, NNODE, MAXNOD
      INTEGER*4 IOPT, ISEED, NFREQ, MAXFRQ, IFCONV, IFRAO, IFQTF
      INTEGER*4 ITYPE, IRESTR
      LOGICAL*4 FREQDM
      INTEGER*4 NCURV, MAXPT, MAXCRV, NPTS(2), NODEC(4,2), KIND(2)
      INTEGER*4 IRESV
      REAL*4 COL2(3), COL3(3), COL4(3), FREQS(4), WZONE, ORIG1, ORIG2
      REAL*4 PY(2,3,2), DEPTHS(2), SCOUR
      REAL*8 DIAM, FACTOR, THRESH
      INTEGER*4 NCHECK, NFAIL
      COMMON /TALLY/ NCHECK, NFAIL
      NCHECK = 0
      NFAIL = 0

! ---- Storage and the Example operations ----
      H = CreateStorage()
      CALL CHECKI('handle', H, 1)
      NEWVAL = -42
      CALL ExampleSet(H, NEWVAL)
      CALL CHECKI('ExampleGet', ExampleGet(H), -42)
      WRITE (*, '(A)') 'before'
      FLUSH (6)
      CALL ExamplePrint(H, 'Value')
      WRITE (*, '(A)') 'after'
      HBAD = 3
      NLINES = 1
      LINES(1) = 'ENABLED=NO'
      ENABLD = 7
      IRES = ReadNonOrthogonalDampingData01(HBAD, NLINES, LINES, MSGS, CODES, ISTAT, ENABLD)
      CALL CHECKI('bad handle result', IRES, 1)
      CALL CHECKI('bad handle enabled', ENABLD, 7)

! ---- *NON-ORTHOGONAL DAMPING ----
! [snippet fortran-legacy]
      NLINES = 3
      LINES(1) = 'C Damping of the non-orthogonal members'
      LINES(2) = 'ENABLED=YES'
      LINES(3) = '*REFERENCE DIAMETER'
      ENABLD = 0
      IRES = ReadNonOrthogonalDampingData01(H, NLINES, LINES, MSGS, CODES, ISTAT, ENABLD)
! [/snippet]
      CALL CHECKI('damping result', IRES, 0)
      CALL CHECKI('enabled', ENABLD, 1)
      CALL CHECKI('damping status', ISTAT, 0)
      CALL CHECKC('damping codes', CODES, (/0, 0, 3/), 3)
      CALL CHECKM('damping messages', MSGS, 3, 0, ' ')

! ---- *REFERENCE DIAMETER: a second data line is an error ----
      NLINES = 3
      LINES(1) = '0.3'
      LINES(2) = '0.5'
      LINES(3) = '*HIGHER HARMONICS'
      DIAM = -1.0D0
      IRES = ReadReferenceDiameterData01(H, NLINES, LINES, MSGS, CODES, ISTAT, DIAM)
      CALL CHECKD('diameter', DIAM, DBLE(0.3E0))
      CALL CHECKI('diameter status', ISTAT, -1)
      CALL CHECKC('diameter codes', CODES, (/0, 3, 0/), 3)
      CALL CHECKM('diameter messages', MSGS, 3, 2, &
     &  'Only one data line is permitted under *REFERENCE DIAMETER.')

! ---- *HIGHER HARMONICS: both values negative ----
      NLINES = 2
      LINES(1) = '-1.0, -2.0'
      LINES(2) = '$ next section'
      FACTOR = 9.0D0
      THRESH = 9.0D0
      IRES = ReadHigherHarmonicsData01(H, NLINES, LINES, MSGS, CODES, ISTAT, FACTOR, THRESH)
      CALL CHECKD('factor kept', FACTOR, 9.0D0)
      CALL CHECKD('threshold kept', THRESH, 9.0D0)
      CALL CHECKI('harmonics status', ISTAT, 0)
      CALL CHECKC('harmonics codes', CODES, (/2, 3/), 2)
      CALL CHECKM('harmonics messages', MSGS, 2, 1, &
     &  '*HIGHER HARMONICS: Higher harmonics factor cannot be negative. Value ignored.' // &
     &  '*HIGHER HARMONICS: Higher harmonics threshold cannot be negative. Value ignored.')
      LINES(1) = '0.5 0.01'
      IRES = ReadHigherHarmonicsData01(H, NLINES, LINES, MSGS, CODES, ISTAT, FACTOR, THRESH)
      CALL CHECKD('factor', FACTOR, 0.5D0)
      CALL CHECKD('threshold', THRESH, DBLE(0.01E0))
      CALL CHECKC('harmonics codes', CODES, (/0, 3/), 2)

! ---- *AXIAL LOAD ----
      NLINES = 6
      LINES(1) = 'C node  fx  fy  fz'
      LINES(2) = '101, 1.5, -2.5E3, 0.0'
      LINES(3) = '   102.5 1.0D2 2.5-1 7'
      LINES(4) = ' '
      LINES(5) = '103'
      LINES(6) = '*WAVE-GENERAL'
      IRES = ReadAxialLoadMaxes01(H, NLINES, LINES, CODES, MAXNOD)
      CALL CHECKI('axial maxes result', IRES, 0)
      CALL CHECKI('maxNodeCount', MAXNOD, 3)
      CALL CHECKC('axial maxes codes', CODES, (/0, 0, 0, 0, 0, 3/), 6)
      MAXN = MAXNOD
      IRES = ReadAxialLoadData01(H, NLINES, LINES, MSGS, CODES, ISTAT, NNODE, MAXN, NODES, &
     &  COL2, COL3, COL4)
      CALL CHECKI('nodeCount', NNODE, 3)
      CALL CHECKI('axial status', ISTAT, 0)
      CALL CHECKC('nodes', NODES, (/101, 103, 103/), 3)
      CALL CHECKR('col2 1', COL2(1), 1.5E0)
      CALL CHECKR('col3 1', COL3(1), -2.5E3)
      CALL CHECKR('col4 1', COL4(1), 0.0E0)
      CALL CHECKR('col2 2', COL2(2), 100.0E0)
      CALL CHECKR('col3 2', COL3(2), 0.25E0)
      CALL CHECKR('col4 2', COL4(2), 7.0E0)
      CALL CHECKR('col2 3', COL2(3), 0.0E0)
      CALL CHECKR('col3 3', COL3(3), 0.0E0)
      CALL CHECKR('col4 3', COL4(3), 0.0E0)
      CALL CHECKC('axial codes', CODES, (/0, 0, 0, 0, 0, 3/), 6)
      CALL CHECKM('axial messages', MSGS, 6, 0, ' ')

! ---- *WAVE-GENERAL, form 01 ----
      NLINES = 10
      LINES(1) = 'SEED=77'
      LINES(2) = 'OPTION=MWL'
      LINES(3) = '  WAVEZONE=150.0'
      LINES(4) = 'FLOAT_CONVOLUTION=YES'
      LINES(5) = 'FLOAT_RAO_FORCES=no'
      LINES(6) = 'FLOAT_QTF_FORCES=Yes'
      LINES(7) = 'FREQUENCIES=SELECTED'
      LINES(8) = '0.05'
      LINES(9) = '0.1'
      LINES(10) = '*P-Y'
      IRES = ReadWaveGeneralMaxes01(H, NLINES, LINES, CODES, MAXFRQ)
      CALL CHECKI('frequency count 01', MAXFRQ, 2)
      CALL CHECKC('wave maxes codes', CODES, (/0, 0, 0, 0, 0, 0, 0, 0, 0, 3/), 10)
      ITYPE = 1
      IRESTR = 1
      FREQDM = .TRUE.
      IOPT = 0
      ISEED = 0
      IFCONV = 5
      IFRAO = 5
      IFQTF = 5
      WZONE = 0.0
      IRES = ReadWaveGeneralData01(H, NLINES, LINES, MSGS, CODES, ISTAT, IOPT, ISEED, NFREQ, &
     &  MAXFRQ, FREQS, IFCONV, IFRAO, IFQTF, WZONE, ITYPE, IRESTR, FREQDM)
      CALL CHECKI('seed', ISEED, 77)
      CALL CHECKI('wave option', IOPT, 2)
      CALL CHECKR('wave zone', WZONE, 150.0E0)
      CALL CHECKI('float convolution', IFCONV, -1)
      CALL CHECKI('float rao forces', IFRAO, 0)
      CALL CHECKI('float qtf forces', IFQTF, -1)
      CALL CHECKI('selected frequencies', NFREQ, 2)
      CALL CHECKR('frequency 1', FREQS(1), 0.05E0)
      CALL CHECKR('frequency 2', FREQS(2), 0.1E0)
      CALL CHECKI('wave status', ISTAT, 0)
      CALL CHECKC('wave codes', CODES, (/0, 0, 0, 0, 0, 0, 0, 0, 0, 0/), 10)
      CALL CHECKM('wave messages', MSGS, 10, 0, ' ')

! ---- *WAVE-GENERAL, form 02, in a time domain analysis ----
      NLINES = 4
      LINES(1) = 'SEED=5'
      LINES(2) = 'OPTION=SUPER'
      LINES(3) = 'ORIGIN=100.0 250.0'
      LINES(4) = '*P-Y'
      IRES = ReadWaveGeneralMaxes02(H, NLINES, LINES, CODES, MAXFRQ)
      CALL CHECKI('frequency count 02', MAXFRQ, 0)
      FREQDM = .FALSE.
      ORIG1 = -1.0
      ORIG2 = -1.0
      IOPT = 0
      IRES = ReadWaveGeneralData02(H, NLINES, LINES, MSGS, CODES, ISTAT, IOPT, ISEED, NFREQ, &
     &  MAXFRQ, FREQS, IFCONV, IFRAO, IFQTF, WZONE, ITYPE, IRESTR, FREQDM, ORIG1, ORIG2)
      CALL CHECKI('seed 02', ISEED, 5)
      CALL CHECKI('wave option kept', IOPT, 0)
      CALL CHECKR('origin 1', ORIG1, 100.0E0)
      CALL CHECKR('origin 2', ORIG2, 250.0E0)
      CALL CHECKI('no frequencies', NFREQ, 0)
      CALL CHECKI('wave 02 status', ISTAT, 0)
      CALL CHECKC('wave 02 codes', CODES, (/0, 3, 0, 0/), 4)
      CALL CHECKM('wave 02 messages', MSGS, 4, 2, &
     &  'This is not a valid value. OPTION can be either SUPERPOSITION, MWL or EXTE:')

! ---- P-Y curves ----
      NLINES = 10
      LINES(1) = 'SET=SAND1'
      LINES(2) = 'SCOUR=2.0'
      LINES(3) = 'DEPTH=10.0'
      LINES(4) = '0.0 0.0'
      LINES(5) = '0.5 100.0'
      LINES(6) = 'NODE=12'
      LINES(7) = '0.0 0.0'
      LINES(8) = '1.0 50.0'
      LINES(9) = '2.0 60.0'
      LINES(10) = '*END'
      IRES = ReadPYMaxes01(H, NLINES, LINES, CODES, MAXCRV, MAXPT)
      CALL CHECKI('curve count', MAXCRV, 2)
      CALL CHECKI('max points', MAXPT, 3)
      CALL CHECKC('py maxes codes', CODES, (/0, 0, 0, 0, 0, 0, 0, 0, 0, 3/), 10)
      NCURV = 0
      NPTS = 0
      NODEC = -5
      KIND = 9
      DEPTHS = 9.0
      PY = 9.0
      IRESV = 12345
      SETNAM = 'old'
      SCOUR = 0.0
      IRES = ReadPYData01(H, NLINES, LINES, MSGS, CODES, ISTAT, IRESV, MAXCRV, MAXPT, NCURV, &
     &  PY, DEPTHS, NPTS, NODEC, KIND, SETNAM, SCOUR)
      CALL CHECKI('py status', ISTAT, 0)
      CALL CHECKI('curves', NCURV, 2)
      CALL CHECKC('points', NPTS, (/2, 3/), 2)
      CALL CHECKC('kinds', KIND, (/-1, 0/), 2)
      CALL CHECKR('depth 1', DEPTHS(1), -10.0E0)
      CALL CHECKR('depth 2 untouched', DEPTHS(2), 9.0E0)
      CALL CHECKC('node records', NODEC, (/-5, -5, -5, -5, 12, -5, -5, -5/), 8)
      CALL CHECKR('p(1,2)', PY(1,2,1), 0.5E0)
      CALL CHECKR('y(1,2)', PY(1,2,2), 100.0E0)
      CALL CHECKR('p(1,3) untouched', PY(1,3,1), 9.0E0)
      CALL CHECKR('p(2,3)', PY(2,3,1), 2.0E0)
      CALL CHECKR('y(2,2)', PY(2,2,2), 50.0E0)
      CALL CHECKR('y(2,3)', PY(2,3,2), 60.0E0)
      CALL CHECKS('set name', SETNAM, 'SAND1')
      CALL CHECKR('scour', SCOUR, 2.0E0)
      CALL CHECKI('reserved untouched', IRESV, 12345)
      CALL CHECKC('py codes', CODES, (/0, 0, 0, 0, 0, 0, 0, 0, 0, 3/), 10)

! ---- Registry ----
      CALL CHECKI('delete', DeleteStorage(H), 1)
      CALL CHECKI('delete again', DeleteStorage(H), 0)
      CALL CHECKI('delete all of none', DeleteAllStorage(), 1)
      DO I = 1, 3
        H = CreateStorage()
      END DO
      CALL CHECKI('fourth create', CreateStorage(), 0)
      CALL CHECKI('delete all', DeleteAllStorage(), 3)

      WRITE (*, '(A, I0, A, I0, A)') 'legacy host: ', NCHECK, ' checks, ', NFAIL, ' failed'
      IF (NFAIL .NE. 0) STOP 1
      END

      SUBROUTINE CHECKI(LABEL, GOT, WANT)
      CHARACTER*(*) LABEL
      INTEGER*4 GOT, WANT, NCHECK, NFAIL
      COMMON /TALLY/ NCHECK, NFAIL
      NCHECK = NCHECK + 1
      IF (GOT .NE. WANT) THEN
        NFAIL = NFAIL + 1
        WRITE (*, '(3A, I0, A, I0)') 'FAIL ', LABEL, ': got ', GOT, ' want ', WANT
      END IF
      END

      SUBROUTINE CHECKC(LABEL, GOT, WANT, N)
      CHARACTER*(*) LABEL
      INTEGER*4 N, GOT(N), WANT(N), I
      DO I = 1, N
        CALL CHECKI(LABEL, GOT(I), WANT(I))
      END DO
      END

! Reals are compared bit for bit.
      SUBROUTINE CHECKR(LABEL, GOT, WANT)
      CHARACTER*(*) LABEL
      REAL*4 GOT, WANT
      CALL CHECKI(LABEL, TRANSFER(GOT, 0), TRANSFER(WANT, 0))
      END

      SUBROUTINE CHECKD(LABEL, GOT, WANT)
      CHARACTER*(*) LABEL
      REAL*8 GOT, WANT
      INTEGER*4 NCHECK, NFAIL
      COMMON /TALLY/ NCHECK, NFAIL
      NCHECK = NCHECK + 1
      IF (TRANSFER(GOT, 0_8) .NE. TRANSFER(WANT, 0_8)) THEN
        NFAIL = NFAIL + 1
        WRITE (*, '(3A, ES25.17, A, ES25.17)') 'FAIL ', LABEL, ': got ', GOT, ' want ', WANT
      END IF
      END

      SUBROUTINE CHECKS(LABEL, GOT, WANT)
      CHARACTER*(*) LABEL, GOT, WANT
      INTEGER*4 NCHECK, NFAIL
      COMMON /TALLY/ NCHECK, NFAIL
      NCHECK = NCHECK + 1
      IF (GOT .NE. WANT) THEN
        NFAIL = NFAIL + 1
        WRITE (*, '(5A)') 'FAIL ', LABEL, ': got "', GOT, '"'
      END IF
      END

! Message N holds TEXT (blank-padded); every other message of the N lines is blank.
      SUBROUTINE CHECKM(LABEL, MSGS, NLINES, N, TEXT)
      CHARACTER*(*) LABEL, TEXT
      INTEGER*4 NLINES, N, I
      CHARACTER*(*) MSGS(NLINES)
      DO I = 1, NLINES
        IF (I .EQ. N) THEN
          CALL CHECKS(LABEL, MSGS(I), TEXT)
        ELSE
          CALL CHECKS(LABEL, MSGS(I), ' ')
        END IF
      END DO
      END

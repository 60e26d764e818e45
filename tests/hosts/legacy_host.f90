! A host written the way the existing analysis programs are: implicit interfaces, plain CALLs and
! integer function references, CHARACTER records, INTEGER*4, REAL*4 and REAL*8. The compiler itself
! passes every argument by reference and appends the hidden character lengths. Reals are compared
! bit for bit.
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
      INTEGER*4 CODES(12), NLINES, ISTAT, IRES, H, HBAD, NEWVAL
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

! ---- One call of every other export: arguments by reference, REAL*8 and LOGICAL*4 values,
! ---- column-major arrays, and the hidden lengths of the message and set name records ----
      NLINES = 2
      LINES(1) = '0.3'
      LINES(2) = '*HIGHER HARMONICS'
      IRES = ReadReferenceDiameterData01(H, NLINES, LINES, MSGS, CODES, ISTAT, DIAM)
      CALL CHECKC('diameter', TRANSFER(DIAM, (/0, 0/)), TRANSFER(DBLE(0.3E0), (/0, 0/)), 2)
      LINES(1) = '-1.0, 0.01'
      FACTOR = 9.0D0
      IRES = ReadHigherHarmonicsData01(H, NLINES, LINES, MSGS, CODES, ISTAT, FACTOR, THRESH)
      CALL CHECKC('factor kept', TRANSFER(FACTOR, (/0, 0/)), TRANSFER(9.0D0, (/0, 0/)), 2)
      CALL CHECKC('threshold', TRANSFER(THRESH, (/0, 0/)), TRANSFER(DBLE(0.01E0), (/0, 0/)), 2)
      CALL CHECKC('harmonics codes', CODES, (/2, 3/), 2)
      CALL CHECKI('harmonics message', MERGE(1, 0, MSGS(1) .EQ. &
     &  '*HIGHER HARMONICS: Higher harmonics factor cannot be negative. Value ignored.'), 1)
      CALL CHECKI('blank message', MERGE(1, 0, MSGS(2) .EQ. ' '), 1)

      NLINES = 3
      LINES(1) = '101, 1.5, -2.5E3, 0.25'
      LINES(2) = '102'
      LINES(3) = '*WAVE-GENERAL'
      IRES = ReadAxialLoadMaxes01(H, NLINES, LINES, CODES, MAXNOD)
      CALL CHECKI('maxNodeCount', MAXNOD, 2)
      MAXN = 3
      NODES(3) = -5
      IRES = ReadAxialLoadData01(H, NLINES, LINES, MSGS, CODES, ISTAT, NNODE, MAXN, NODES, &
     &  COL2, COL3, COL4)
      CALL CHECKI('nodeCount', NNODE, 2)
      CALL CHECKC('nodes', NODES, (/101, 102, -5/), 3)
      CALL CHECKI('col2', TRANSFER(COL2(1), 0), TRANSFER(1.5E0, 0))
      CALL CHECKI('col3', TRANSFER(COL3(1), 0), TRANSFER(-2.5E3, 0))
      CALL CHECKI('col4', TRANSFER(COL4(1), 0), TRANSFER(0.25E0, 0))

      NLINES = 9
      LINES(1) = 'SEED=77'
      LINES(2) = 'OPTION=MWL'
      LINES(3) = 'WAVEZONE=150.0'
      LINES(4) = 'FLOAT_CONVOLUTION=YES'
      LINES(5) = 'FLOAT_RAO_FORCES=NO'
      LINES(6) = 'FLOAT_QTF_FORCES=YES'
      LINES(7) = 'FREQUENCIES=SELECTED'
      LINES(8) = '0.05 0.1'
      LINES(9) = '*P-Y'
      IRES = ReadWaveGeneralMaxes01(H, NLINES, LINES, CODES, MAXFRQ)
      CALL CHECKI('frequency count', MAXFRQ, 1)
      ITYPE = 1
      IRESTR = 1
      FREQDM = .TRUE.
      IRES = ReadWaveGeneralData01(H, NLINES, LINES, MSGS, CODES, ISTAT, IOPT, ISEED, NFREQ, &
     &  MAXFRQ, FREQS, IFCONV, IFRAO, IFQTF, WZONE, ITYPE, IRESTR, FREQDM)
      CALL CHECKI('seed', ISEED, 77)
      CALL CHECKI('wave option', IOPT, 2)
      CALL CHECKI('wave zone', TRANSFER(WZONE, 0), TRANSFER(150.0E0, 0))
      CALL CHECKC('switches', (/IFCONV, IFRAO, IFQTF/), (/-1, 0, -1/), 3)
      CALL CHECKI('selected frequencies', NFREQ, 1)
      CALL CHECKI('frequency', TRANSFER(FREQS(1), 0), TRANSFER(0.05E0, 0))
      CALL CHECKI('wave status', ISTAT, 0)
      NLINES = 2
      LINES(1) = 'ORIGIN=100.0 250.0'
      LINES(2) = '*P-Y'
      IRES = ReadWaveGeneralMaxes02(H, NLINES, LINES, CODES, MAXFRQ)
      IRES = ReadWaveGeneralData02(H, NLINES, LINES, MSGS, CODES, ISTAT, IOPT, ISEED, NFREQ, &
     &  MAXFRQ, FREQS, IFCONV, IFRAO, IFQTF, WZONE, ITYPE, IRESTR, FREQDM, ORIG1, ORIG2)
      CALL CHECKI('origin 1', TRANSFER(ORIG1, 0), TRANSFER(100.0E0, 0))
      CALL CHECKI('origin 2', TRANSFER(ORIG2, 0), TRANSFER(250.0E0, 0))

      NLINES = 9
      LINES(1) = 'SET=SAND1'
      LINES(2) = 'SCOUR=2.0'
      LINES(3) = 'DEPTH=10.0'
      LINES(4) = '0.0 0.0'
      LINES(5) = '0.5 100.0'
      LINES(6) = 'NODE=12'
      LINES(7) = '1.0 50.0'
      LINES(8) = '2.0 60.0'
      LINES(9) = '*END'
      IRES = ReadPYMaxes01(H, NLINES, LINES, CODES, MAXCRV, MAXPT)
      CALL CHECKC('py maxes', (/MAXCRV, MAXPT/), (/2, 2/), 2)
      MAXPT = 3
      NCURV = 0
      NPTS = 0
      NODEC = -5
      PY = 9.0
      IRESV = 12345
      IRES = ReadPYData01(H, NLINES, LINES, MSGS, CODES, ISTAT, IRESV, MAXCRV, MAXPT, NCURV, &
     &  PY, DEPTHS, NPTS, NODEC, KIND, SETNAM, SCOUR)
      CALL CHECKI('curves', NCURV, 2)
      CALL CHECKC('kinds', KIND, (/-1, 0/), 2)
      CALL CHECKI('depth', TRANSFER(DEPTHS(1), 0), TRANSFER(-10.0E0, 0))
      CALL CHECKC('node records', NODEC, (/-5, -5, -5, -5, 12, -5, -5, -5/), 8)
      CALL CHECKI('p(1,2)', TRANSFER(PY(1,2,1), 0), TRANSFER(0.5E0, 0))
      CALL CHECKI('y(2,2)', TRANSFER(PY(2,2,2), 0), TRANSFER(60.0E0, 0))
      CALL CHECKI('p(1,3) untouched', TRANSFER(PY(1,3,1), 0), TRANSFER(9.0E0, 0))
      CALL CHECKI('set name', MERGE(1, 0, SETNAM .EQ. 'SAND1'), 1)
      CALL CHECKI('scour', TRANSFER(SCOUR, 0), TRANSFER(2.0E0, 0))
      CALL CHECKI('reserved untouched', IRESV, 12345)

      CALL CHECKI('delete', DeleteStorage(H), 1)
      CALL CHECKI('delete again', DeleteStorage(H), 0)
      CALL CHECKI('delete all of none', DeleteAllStorage(), 1)

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

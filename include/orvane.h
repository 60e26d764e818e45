/*
 * Orvane: readers for the keyword blocks of an offshore analysis input file.
 *
 * Calling convention (the one legacy Fortran hosts use): every explicit argument is passed by
 * reference; every text argument adds a hidden length, passed by value as a 64-bit integer after
 * all explicit arguments, in the order of the text arguments. Text is fixed-width, blank-padded
 * and never terminated; a text array holds its records back to back. Arrays are column-major.
 *
 * Every reading function returns 1 when the handle names no storage object (nothing is written)
 * and 0 otherwise; what the reader found is in its own status, codes and messages:
 *   code 0 nothing to report, 2 warning, 3 error or the line that ended the block;
 *   status 0, or -1 after a serious error.
 * The library keeps shared state, so a host makes one call at a time.
 */
#ifndef ORVANE_H
#define ORVANE_H

#include <stdint.h>

#if defined(_WIN32)
#if defined(ORVANE_BUILDING)
#define ORVANE_API __declspec(dllexport)
#else
#define ORVANE_API __declspec(dllimport)
#endif
#else
#define ORVANE_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Storage registry: three slots, the handle is the slot number (1 to 3). ---- */

/** Creates a storage object in the lowest free slot; returns its handle, or 0 when all are taken. */
ORVANE_API int32_t CreateStorage(void);
/** Destroys the object of `handle`; returns the handle, or 0 when it named no object. */
ORVANE_API int32_t DeleteStorage(const int32_t* handle);
/** Destroys objects from slot 1 upwards, stopping at the first empty slot; returns that slot's number (3 when all were
 * full). */
ORVANE_API int32_t DeleteAllStorage(void);

/* ---- Example operations on the object's own integer (a handle naming no object is ignored). ---- */

/** Stores `newValue` in the object's example value. */
ORVANE_API void ExampleSet(const int32_t* handle, const int32_t* newValue);
/** Returns the object's example value (0 for a handle that names no object). */
ORVANE_API int32_t ExampleGet(const int32_t* handle);
/** Writes one line to standard output: the text (trailing blanks included), ".", the example value; then flushes. */
ORVANE_API void ExamplePrint(const int32_t* handle, const char* text, int64_t textLength);

/* ---- *WAVE-GENERAL ---- */

/** Counts the lines after FREQUENCIES=SELECTED that can hold a selected frequency. */
ORVANE_API int32_t ReadWaveGeneralMaxes01(const int32_t* handle, const int32_t* lineCount, const char* lines,
                                          int32_t* lineCodes, int32_t* selectedFrequencyCount, int64_t lineLength);
/** Reads a form 01 block: seed, wave option, wave zone, three YES/NO switches (-1/0), selected frequencies. */
ORVANE_API int32_t ReadWaveGeneralData01(const int32_t* handle, const int32_t* lineCount, const char* lines,
                                         char* messages, int32_t* lineCodes, int32_t* status, int32_t* waveOption,
                                         int32_t* seed, int32_t* selectedFrequencyCount,
                                         const int32_t* maxSelectedFrequencies, float* selectedFrequencies,
                                         int32_t* floatConvolution, int32_t* floatRaoForces, int32_t* floatQtfForces,
                                         float* waveZoneExtent, const int32_t* analysisType,
                                         const int32_t* restrictedAnalysisType, const int32_t* frequencyDomain,
                                         int64_t lineLength, int64_t messageLength);
/** The same count as ReadWaveGeneralMaxes01, for form 02 blocks. */
ORVANE_API int32_t ReadWaveGeneralMaxes02(const int32_t* handle, const int32_t* lineCount, const char* lines,
                                          int32_t* lineCodes, int32_t* selectedFrequencyCount, int64_t lineLength);
/** Reads a form 02 block: everything of form 01 plus the two numbers of ORIGIN=. */
ORVANE_API int32_t ReadWaveGeneralData02(const int32_t* handle, const int32_t* lineCount, const char* lines,
                                         char* messages, int32_t* lineCodes, int32_t* status, int32_t* waveOption,
                                         int32_t* seed, int32_t* selectedFrequencyCount,
                                         const int32_t* maxSelectedFrequencies, float* selectedFrequencies,
                                         int32_t* floatConvolution, int32_t* floatRaoForces, int32_t* floatQtfForces,
                                         float* waveZoneExtent, const int32_t* analysisType,
                                         const int32_t* restrictedAnalysisType, const int32_t* frequencyDomain,
                                         float* origin1, float* origin2, int64_t lineLength, int64_t messageLength);

/* ---- P-Y curves ---- */

/** Counts the curve headers of a P-Y block and the most points counted for one curve. */
ORVANE_API int32_t ReadPYMaxes01(const int32_t* handle, const int32_t* lineCount, const char* lines, int32_t* lineCodes,
                                 int32_t* curveCount, int32_t* maxPoints, int64_t lineLength);
/** Reads a P-Y block, appending its curves after the `curveCount` already held; pyPoints is (maxCurves, maxPoints, 2).
 */
ORVANE_API int32_t ReadPYData01(const int32_t* handle, const int32_t* lineCount, const char* lines, char* messages,
                                int32_t* lineCodes, int32_t* status, void* reserved, const int32_t* maxCurves,
                                const int32_t* maxPoints, int32_t* curveCount, float* pyPoints, float* curveDepth,
                                int32_t* pointCount, int32_t* curveNode, int32_t* curveKind, char* setName,
                                float* scour, int64_t lineLength, int64_t messageLength, int64_t setNameLength);

/* ---- *AXIAL LOAD ---- */

/** Counts the lines of an *AXIAL LOAD block that can hold a node. */
ORVANE_API int32_t ReadAxialLoadMaxes01(const int32_t* handle, const int32_t* lineCount, const char* lines,
                                        int32_t* lineCodes, int32_t* maxNodeCount, int64_t lineLength);
/** Reads an *AXIAL LOAD block: per data line a node number (rounded) and three values. */
ORVANE_API int32_t ReadAxialLoadData01(const int32_t* handle, const int32_t* lineCount, const char* lines,
                                       char* messages, int32_t* lineCodes, int32_t* status, int32_t* nodeCount,
                                       const int32_t* maxNodes, int32_t* nodeNumbers, float* axialLoadColumn2,
                                       float* axialLoadColumn3, float* axialLoadColumn4, int64_t lineLength,
                                       int64_t messageLength);

/* ---- Single-line blocks ---- */

/** Reads *HIGHER HARMONICS: factor and threshold, each stored (widened) only when not negative. */
ORVANE_API int32_t ReadHigherHarmonicsData01(const int32_t* handle, const int32_t* lineCount, const char* lines,
                                             char* messages, int32_t* lineCodes, int32_t* status,
                                             double* harmonicsFactor, double* harmonicsThreshold, int64_t lineLength,
                                             int64_t messageLength);
/** Reads *REFERENCE DIAMETER: one strictly positive diameter, stored widened. */
ORVANE_API int32_t ReadReferenceDiameterData01(const int32_t* handle, const int32_t* lineCount, const char* lines,
                                               char* messages, int32_t* lineCodes, int32_t* status,
                                               double* referenceDiameter, int64_t lineLength, int64_t messageLength);
/** Reads *NON-ORTHOGONAL DAMPING: ENABLED=YES gives 1, ENABLED=NO gives 0. */
ORVANE_API int32_t ReadNonOrthogonalDampingData01(const int32_t* handle, const int32_t* lineCount, const char* lines,
                                                  char* messages, int32_t* lineCodes, int32_t* status, int32_t* enabled,
                                                  int64_t lineLength, int64_t messageLength);

/* ---- Function types, for hosts that load the library at run time (dlopen, LoadLibrary). ---- */

typedef int32_t (*OrvaneCreateStorageFn)(void);
typedef int32_t (*OrvaneDeleteStorageFn)(const int32_t*);
typedef int32_t (*OrvaneDeleteAllStorageFn)(void);
typedef void (*OrvaneExampleSetFn)(const int32_t*, const int32_t*);
typedef int32_t (*OrvaneExampleGetFn)(const int32_t*);
typedef void (*OrvaneExamplePrintFn)(const int32_t*, const char*, int64_t);
typedef int32_t (*OrvaneReadWaveGeneralMaxesFn)(const int32_t*, const int32_t*, const char*, int32_t*, int32_t*,
                                                int64_t);
typedef int32_t (*OrvaneReadWaveGeneralData01Fn)(const int32_t*, const int32_t*, const char*, char*, int32_t*, int32_t*,
                                                 int32_t*, int32_t*, int32_t*, const int32_t*, float*, int32_t*,
                                                 int32_t*, int32_t*, float*, const int32_t*, const int32_t*,
                                                 const int32_t*, int64_t, int64_t);
typedef int32_t (*OrvaneReadWaveGeneralData02Fn)(const int32_t*, const int32_t*, const char*, char*, int32_t*, int32_t*,
                                                 int32_t*, int32_t*, int32_t*, const int32_t*, float*, int32_t*,
                                                 int32_t*, int32_t*, float*, const int32_t*, const int32_t*,
                                                 const int32_t*, float*, float*, int64_t, int64_t);
typedef int32_t (*OrvaneReadPYMaxes01Fn)(const int32_t*, const int32_t*, const char*, int32_t*, int32_t*, int32_t*,
                                         int64_t);
typedef int32_t (*OrvaneReadPYData01Fn)(const int32_t*, const int32_t*, const char*, char*, int32_t*, int32_t*, void*,
                                        const int32_t*, const int32_t*, int32_t*, float*, float*, int32_t*, int32_t*,
                                        int32_t*, char*, float*, int64_t, int64_t, int64_t);
typedef int32_t (*OrvaneReadAxialLoadMaxes01Fn)(const int32_t*, const int32_t*, const char*, int32_t*, int32_t*,
                                                int64_t);
typedef int32_t (*OrvaneReadAxialLoadData01Fn)(const int32_t*, const int32_t*, const char*, char*, int32_t*, int32_t*,
                                               int32_t*, const int32_t*, int32_t*, float*, float*, float*, int64_t,
                                               int64_t);
typedef int32_t (*OrvaneReadHigherHarmonicsData01Fn)(const int32_t*, const int32_t*, const char*, char*, int32_t*,
                                                     int32_t*, double*, double*, int64_t, int64_t);
typedef int32_t (*OrvaneReadReferenceDiameterData01Fn)(const int32_t*, const int32_t*, const char*, char*, int32_t*,
                                                       int32_t*, double*, int64_t, int64_t);
typedef int32_t (*OrvaneReadNonOrthogonalDampingData01Fn)(const int32_t*, const int32_t*, const char*, char*, int32_t*,
                                                          int32_t*, int32_t*, int64_t, int64_t);

#ifdef __cplusplus
}
#endif

#endif /* ORVANE_H */

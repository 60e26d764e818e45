/* A long create, read and delete cycle over every export, for memcheck: no leak, no invalid access. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "orvane.h"

enum { kWidth = 80, kMessageWidth = 163, kLines = 9 };

int main(int argc, char** argv) {
  static const char py[kLines][kWidth + 1] = {"SET=S",  "SCOUR=1", "DEPTH=1", "0 0",    "1 1",
                                              "NODE=3", "0 0",     "2 2",     "*E 1e39"};
  static char lines[kLines][kWidth], messages[kLines][kMessageWidth];
  static int32_t codes[kLines];
  const long rounds = argc > 1 ? atol(argv[1]) : 200;
  int32_t count = kLines;
  for (int32_t i = 0; i < kLines; ++i) {
    memset(lines[i], ' ', kWidth);
    memcpy(lines[i], py[i], strlen(py[i]));
  }
  /* One block, read by every reader: each sees lines it must refuse as well as its own. */
  for (long round = 0; round < rounds; ++round) {
    int32_t handle = CreateStorage(), extra = CreateStorage();
    int32_t status = 0, a = 0, b = 0, c = 0, n = 0, cap = 4, curves = 0, points[4] = {0}, node[16] = {0}, kind[4] = {0};
    float p[4 * 4 * 2] = {0}, depth[4] = {0}, scour = 0, f[4] = {0}, zone = 0, o1 = 0, o2 = 0, col[3][4] = {{0}};
    double d1 = 0, d2 = 0;
    char setName[8];
    ReadPYMaxes01(&handle, &count, &lines[0][0], codes, &a, &b, kWidth);
    ReadPYData01(&handle, &count, &lines[0][0], &messages[0][0], codes, &status, NULL, &cap, &cap, &curves, p, depth,
                 points, node, kind, setName, &scour, kWidth, kMessageWidth, (int64_t)sizeof setName);
    ReadWaveGeneralMaxes01(&handle, &count, &lines[0][0], codes, &a, kWidth);
    ReadWaveGeneralMaxes02(&extra, &count, &lines[0][0], codes, &a, kWidth);
    ReadWaveGeneralData01(&handle, &count, &lines[0][0], &messages[0][0], codes, &status, &a, &b, &n, &cap, f, &a, &b,
                          &c, &zone, &a, &b, &c, kWidth, kMessageWidth);
    ReadWaveGeneralData02(&extra, &count, &lines[0][0], &messages[0][0], codes, &status, &a, &b, &n, &cap, f, &a, &b,
                          &c, &zone, &a, &b, &c, &o1, &o2, kWidth, kMessageWidth);
    ReadAxialLoadMaxes01(&handle, &count, &lines[0][0], codes, &a, kWidth);
    ReadAxialLoadData01(&handle, &count, &lines[0][0], &messages[0][0], codes, &status, &n, &cap, node, col[0], col[1],
                        col[2], kWidth, kMessageWidth);
    ReadHigherHarmonicsData01(&handle, &count, &lines[0][0], &messages[0][0], codes, &status, &d1, &d2, kWidth,
                              kMessageWidth);
    ReadReferenceDiameterData01(&handle, &count, &lines[0][0], &messages[0][0], codes, &status, &d1, kWidth,
                                kMessageWidth);
    ReadNonOrthogonalDampingData01(&extra, &count, &lines[0][0], &messages[0][0], codes, &status, &a, kWidth,
                                   kMessageWidth);
    ExampleSet(&handle, &a);
    if (ExampleGet(&handle) != a) {
      return 1;
    }
    round % 2 == 0 ? (void)(DeleteStorage(&extra) + DeleteStorage(&handle)) : (void)DeleteAllStorage();
  }
  printf("%ld rounds\n", rounds);
  return 0;
}

/* A C host: reads one block of each keyword the way an analysis program does (maxes reader first
 * where there is one, arrays sized from its counts, then the data reader) and prints the results. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "orvane.h"

enum { kWidth = 80, kMessageWidth = 163 };

/* A block's records and its per-line outputs. */
typedef struct {
  int32_t lineCount;
  char* lines;
  char* messages;
  int32_t* codes;
  int32_t status;
} Block;

static Block MakeBlock(const char* const* texts, int32_t count) {
  Block block = {count, malloc((size_t)count * kWidth), malloc((size_t)count * kMessageWidth),
                 malloc((size_t)count * sizeof(int32_t)), 0};
  if (block.lines == NULL || block.messages == NULL || block.codes == NULL) {
    fprintf(stderr, "out of memory\n");
    exit(2);
  }
  memset(block.lines, ' ', (size_t)count * kWidth);
  for (int32_t i = 0; i < count; ++i) {
    size_t length = strlen(texts[i]);
    memcpy(block.lines + (size_t)i * kWidth, texts[i], length < kWidth ? length : kWidth);
  }
  return block;
}

/* Prints every line that has something to say, then frees the block. */
static void Report(Block* block) {
  for (int32_t i = 0; i < block->lineCount; ++i) {
    const char* message = block->messages + (size_t)i * kMessageWidth;
    int width = kMessageWidth;
    while (width > 0 && message[width - 1] == ' ') {
      --width;
    }
    if (block->codes[i] != 0 && width > 0) {
      printf("  line %d: %s: %.*s\n", (int)(i + 1), block->codes[i] == 2 ? "warning" : "error", width, message);
    }
  }
  printf("  status %d\n", (int)block->status);
  free(block->lines);
  free(block->messages);
  free(block->codes);
}

#define COUNT(texts) ((int32_t)(sizeof(texts) / sizeof(texts[0])))

static void ReadDamping(int32_t* handle) {
  /* [snippet c] */
  static const char* const texts[] = {"C Damping of the non-orthogonal members", "ENABLED=YES", "*REFERENCE DIAMETER"};
  Block block = MakeBlock(texts, COUNT(texts));
  int32_t enabled = 0; /* the host's default, kept when the block gives no valid value */
  ReadNonOrthogonalDampingData01(handle, &block.lineCount, block.lines, block.messages, block.codes, &block.status,
                                 &enabled, kWidth, kMessageWidth);
  printf("*NON-ORTHOGONAL DAMPING: enabled = %d\n", (int)enabled);
  /* [/snippet] */
  Report(&block);
}

static void ReadDiameterAndHarmonics(int32_t* handle) {
  static const char* const diameter[] = {"0.3", "*HIGHER HARMONICS"};
  Block block = MakeBlock(diameter, COUNT(diameter));
  double value = 1.0;
  ReadReferenceDiameterData01(handle, &block.lineCount, block.lines, block.messages, block.codes, &block.status, &value,
                              kWidth, kMessageWidth);
  printf("*REFERENCE DIAMETER: diameter = %.17g\n", value);
  Report(&block);

  static const char* const harmonics[] = {"0.5, -0.01", "*AXIAL LOAD"};
  block = MakeBlock(harmonics, COUNT(harmonics));
  double factor = 0.0;
  double threshold = 0.0;
  ReadHigherHarmonicsData01(handle, &block.lineCount, block.lines, block.messages, block.codes, &block.status, &factor,
                            &threshold, kWidth, kMessageWidth);
  printf("*HIGHER HARMONICS: factor = %g, threshold = %g\n", factor, threshold);
  Report(&block);
}

static void ReadAxialLoad(int32_t* handle) {
  static const char* const texts[] = {"C node   fx      fy      fz", "101   1.5   -2.5E3  0", "  102.5, 1D2, 2.5-1, 7",
                                      "103", "*WAVE-GENERAL"};
  Block block = MakeBlock(texts, COUNT(texts));
  int32_t capacity = 0;
  ReadAxialLoadMaxes01(handle, &block.lineCount, block.lines, block.codes, &capacity, kWidth);
  int32_t* nodes = calloc((size_t)capacity + 1, sizeof(int32_t));
  float* columns = calloc(3 * ((size_t)capacity + 1), sizeof(float));
  int32_t nodeCount = 0;
  ReadAxialLoadData01(handle, &block.lineCount, block.lines, block.messages, block.codes, &block.status, &nodeCount,
                      &capacity, nodes, columns, columns + capacity + 1, columns + 2 * (capacity + 1), kWidth,
                      kMessageWidth);
  printf("*AXIAL LOAD: %d nodes\n", (int)nodeCount);
  for (int32_t k = 0; k < nodeCount && k < capacity; ++k) {
    printf("  node %d: %g %g %g\n", (int)nodes[k], columns[k], columns[capacity + 1 + k],
           columns[2 * (capacity + 1) + k]);
  }
  Report(&block);
  free(nodes);
  free(columns);
}

static void ReadWaveGeneral(int32_t* handle) {
  static const char* const texts[] = {
      "SEED=77", "OPTION=MWL", "WAVEZONE=150.0", "FLOAT_CONVOLUTION=YES", "FREQUENCIES=SELECTED", "0.05", "0.10",
      "-0.2",    "*P-Y"};
  Block block = MakeBlock(texts, COUNT(texts));
  int32_t capacity = 0;
  ReadWaveGeneralMaxes02(handle, &block.lineCount, block.lines, block.codes, &capacity, kWidth);
  float* frequencies = calloc((size_t)capacity + 1, sizeof(float));
  int32_t option = 1, seed = 0, count = 0, convolution = 0, rao = 0, qtf = 0;
  int32_t analysisType = 0, restrictedType = 1, frequencyDomain = 1;
  float zone = 0.0F, origin1 = 0.0F, origin2 = 0.0F;
  ReadWaveGeneralData02(handle, &block.lineCount, block.lines, block.messages, block.codes, &block.status, &option,
                        &seed, &count, &capacity, frequencies, &convolution, &rao, &qtf, &zone, &analysisType,
                        &restrictedType, &frequencyDomain, &origin1, &origin2, kWidth, kMessageWidth);
  printf("*WAVE-GENERAL: seed = %d, option = %d, wave zone = %g, switches = %d %d %d\n", (int)seed, (int)option, zone,
         (int)convolution, (int)rao, (int)qtf);
  for (int32_t k = 0; k < count; ++k) {
    printf("  frequency %d: %.9g\n", (int)(k + 1), frequencies[k]);
  }
  Report(&block);
  free(frequencies);
}

static void ReadPYCurves(int32_t* handle) {
  static const char* const texts[] = {"SET=SAND1", "SCOUR=2.0", "DEPTH=10.0", "0.0 0.0",  "0.5 100.0",
                                      "NODE=12",   "0.0 0.0",   "1.0 50.0",   "2.0 60.0", "*END"};
  Block block = MakeBlock(texts, COUNT(texts));
  int32_t maxCurves = 0;
  int32_t maxPoints = 0;
  ReadPYMaxes01(handle, &block.lineCount, block.lines, block.codes, &maxCurves, &maxPoints, kWidth);
  const size_t curves = (size_t)maxCurves + 1; /* one spare so that no allocation is of size 0 */
  float* points = calloc(curves * ((size_t)maxPoints + 1) * 2, sizeof(float));
  float* depth = calloc(curves, sizeof(float));
  int32_t* pointCount = calloc(curves, sizeof(int32_t));
  int32_t* node = calloc(4 * curves, sizeof(int32_t));
  int32_t* kind = calloc(curves, sizeof(int32_t));
  char setName[20];
  float scour = 0.0F;
  int32_t curveCount = 0;
  memset(setName, ' ', sizeof setName);
  ReadPYData01(handle, &block.lineCount, block.lines, block.messages, block.codes, &block.status, NULL, &maxCurves,
               &maxPoints, &curveCount, points, depth, pointCount, node, kind, setName, &scour, kWidth, kMessageWidth,
               (int64_t)sizeof setName);
  printf("P-Y: set %.*s, scour %g, %d curves\n", (int)strcspn(setName, " "), setName, scour, (int)curveCount);
  for (int32_t c = 0; c < curveCount && c < maxCurves; ++c) {
    if (kind[c] == -1) {
      printf("  curve %d at depth %g:", (int)(c + 1), -depth[c]);
    } else {
      printf("  curve %d at node %d:", (int)(c + 1), (int)node[4 * c]);
    }
    for (int32_t p = 0; p < pointCount[c] && p < maxPoints; ++p) {
      /* Element (c, p, k) of the column-major (maxCurves, maxPoints, 2) array. */
      printf(" (%g, %g)", points[(size_t)p * maxCurves + c], points[((size_t)maxPoints + p) * maxCurves + c]);
    }
    printf("\n");
  }
  Report(&block);
  free(points);
  free(depth);
  free(pointCount);
  free(node);
  free(kind);
}

int main(void) {
  int32_t handle = CreateStorage();
  if (handle == 0) {
    fprintf(stderr, "no storage object\n");
    return 2;
  }
  ReadDamping(&handle);
  ReadDiameterAndHarmonics(&handle);
  ReadAxialLoad(&handle);
  ReadWaveGeneral(&handle);
  ReadPYCurves(&handle);
  DeleteStorage(&handle);
  return 0;
}

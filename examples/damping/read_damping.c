/* Reads the data lines of a *NON-ORTHOGONAL DAMPING block from a file, the way a host does:
 * 80-character blank-padded records, then prints the value and every line's code and message. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "orvane.h"

enum { kRecordWidth = 80, kMessageWidth = 163, kMaxLines = 64 };

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s BLOCK-FILE\n", argv[0]);
    return 2;
  }
  FILE* file = fopen(argv[1], "r");
  if (file == NULL) {
    fprintf(stderr, "%s: cannot open %s\n", argv[0], argv[1]);
    return 2;
  }
  static char lines[kMaxLines][kRecordWidth];
  static char messages[kMaxLines][kMessageWidth];
  int32_t codes[kMaxLines];
  char buffer[1024];
  int32_t lineCount = 0;
  while (lineCount < kMaxLines && fgets(buffer, sizeof buffer, file) != NULL) {
    size_t length = strcspn(buffer, "\r\n");
    if (length > kRecordWidth) {
      length = kRecordWidth;
    }
    memset(lines[lineCount], ' ', kRecordWidth);
    memcpy(lines[lineCount], buffer, length);
    ++lineCount;
  }
  fclose(file);

  int32_t handle = CreateStorage();
  int32_t status = 0;
  int32_t enabled = -99; /* the host's preset, kept when the block gives no valid value */
  if (ReadNonOrthogonalDampingData01(&handle, &lineCount, &lines[0][0], &messages[0][0], codes, &status, &enabled,
                                     kRecordWidth, kMessageWidth) != 0) {
    fprintf(stderr, "no storage object\n");
    return 2;
  }
  printf("enabled = %d, status = %d\n", (int)enabled, (int)status);
  for (int32_t i = 0; i < lineCount; ++i) {
    int width = kMessageWidth;
    while (width > 0 && messages[i][width - 1] == ' ') {
      --width;
    }
    printf("line %d: code %d %.*s\n", (int)(i + 1), (int)codes[i], width, messages[i]);
  }
  DeleteStorage(&handle);
  return status == 0 ? 0 : 1;
}

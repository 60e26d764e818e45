// orvane-check: checks the keyword blocks of analysis input files with the Orvane readers.
#ifndef _WIN32
#include <unistd.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "driver.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
#ifdef _WIN32
  // A Windows console shows colour codes as text unless the program turns them on, so colour is
  // never automatic there (--color=always still gives it).
  const bool terminal = false;
#else
  const bool terminal = isatty(STDOUT_FILENO) == 1;
#endif
  return orvane::check::Run(arguments, stdout, stderr, terminal, std::getenv("NO_COLOR"));
}

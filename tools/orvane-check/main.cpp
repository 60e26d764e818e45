// orvane-check: checks the keyword blocks of analysis input files with the Orvane readers.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "driver.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return orvane::check::Run(arguments, stdout, stderr, isatty(STDOUT_FILENO) == 1, std::getenv("NO_COLOR"));
}

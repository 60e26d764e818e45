// The whole run: options, then every file read, split, checked and reported in turn.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace orvane::check {

// Returns the exit status: 0 no errors, 1 errors found, 2 the checker could not run (a bad option,
// a file that could not be read; the reason goes to `errors`, one line each).
int Run(const std::vector<std::string>& arguments, std::FILE* output, std::FILE* errors, bool terminal,
        const char* noColour);

}  // namespace orvane::check
